#include "shell/window/open_request.h"

#include <QRegularExpression>

namespace vlm {

QString OpenMacro(const QString& absolutePath)
{
    return QStringLiteral("[open(\"") + absolutePath + QStringLiteral("\")]");
}

QString FileOfOpenMacro(const QString& macro)
{
    QString s = macro;
    const qsizetype lineEnd = s.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        s.truncate(lineEnd);
    const qsizetype open = s.indexOf(QLatin1Char('"'));
    if (open >= 0)
        s.remove(0, open + 1);
    const qsizetype close = s.indexOf(QLatin1Char('"'));
    if (close >= 0)
        s.truncate(close);
    return s;
}

std::optional<QString> FileOfCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("-open")) {
            if (i + 1 < arguments.size() && !arguments[i + 1].isEmpty())
                return arguments[i + 1];
            return std::nullopt;
        }
        if (!a.isEmpty() && !a.startsWith(QLatin1Char('-')))
            return a;
    }
    return std::nullopt;
}

} // namespace vlm
