#pragma once

// Reading PDF files back with the poppler tools, as a user checks them.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace vlm::test {

struct ToolRun
{
    bool ran = false;
    int exitCode = -1;
    QString out;
};

inline ToolRun RunTool(const QString& tool, const QStringList& args)
{
    ToolRun r;
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return r;
    QProcess p;
    p.start(path, args);
    if (!p.waitForFinished(120000))
        return r;
    r.ran = true;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

// The rows of `pdfimages -list` below its two header lines.
inline QStringList ImageRows(const QString& pdf)
{
    QStringList rows = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                           .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return rows.mid(2);
}

// The page rasterised by pdftoppm at `dpi`, without smoothing.
inline QImage Rasterise(const QString& pdf, int dpi, const QString& stem)
{
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"),
                                         QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace vlm::test
