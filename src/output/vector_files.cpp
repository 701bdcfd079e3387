#include "output/vector_files.h"

#include "output/pdf_images.h"
#include "texts/output_texts.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace vlm {

namespace {

const QString kCreator = QStringLiteral("Vellumora");

std::string LowerExtension(const std::string& fileName)
{
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = fileName.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

} // namespace

struct VectorDocumentWriter::Noted
{
    LosslessPdfImages images;
};

bool vectorFormatOf(const std::string& fileName, VectorFormat& format)
{
    const std::string ext = LowerExtension(fileName);
    if (ext == ".pdf")
        format = VectorFormat::Pdf;
    else if (ext == ".svg")
        format = VectorFormat::Svg;
    else
        return false;
    return true;
}

VectorDocumentWriter::VectorDocumentWriter(VectorFormat format, const QString& title,
                                           const VectorSheetOptions& options)
    : format_(format), title_(title), options_(options), buffer_(&bytes_), noted_(std::make_unique<Noted>())
{
    buffer_.open(QIODevice::WriteOnly);
}

VectorDocumentWriter::~VectorDocumentWriter()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

bool VectorDocumentWriter::addSheet(Document& document, const std::string& selection, const SheetEnvironment& env,
                                    const CellFiller& fillCell)
{
    const QSize size = vectorSheetSize(document, env.screen, options_.deviceDpi);
    if (size.isEmpty())
        return false;
    const QSizeF points(size.width() * 72.0 / options_.deviceDpi, size.height() * 72.0 / options_.deviceDpi);
    if (format_ == VectorFormat::Svg) {
        if (pages_ > 0)
            return false;
        svg_ = std::make_unique<QSvgGenerator>();
        svg_->setOutputDevice(&buffer_);
        svg_->setResolution(options_.deviceDpi);
        svg_->setSize(size);
        svg_->setViewBox(QRect(QPoint(0, 0), size));
        svg_->setTitle(title_);
        svg_->setDescription(kCreator);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(svg_.get()))
            return false;
    } else {
        const QPageSize page(points, QPageSize::Point, QString(), QPageSize::ExactMatch);
        if (!pdf_) {
            pdf_ = std::make_unique<QPdfWriter>(&buffer_);
            pdf_->setResolution(options_.deviceDpi);
            pdf_->setTitle(title_);
            pdf_->setCreator(kCreator);
            pdf_->setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf_->setPageSize(page);
            painter_ = std::make_unique<QPainter>();
            if (!painter_->begin(pdf_.get()))
                return false;
        } else {
            pdf_->setPageSize(page);
            if (!pdf_->newPage())
                return false;
        }
    }
    Noted* noted = noted_.get();
    const bool pdf = format_ == VectorFormat::Pdf;
    const bool drawn = drawVectorSheet(*painter_, document, selection, env, options_, [noted, pdf](const QImage& i) {
        if (pdf)
            noted->images.note(i);
    }, fillCell);
    if (drawn)
        ++pages_;
    return drawn;
}

QByteArray VectorDocumentWriter::finish()
{
    if (!painter_ || pages_ == 0)
        return {};
    const bool ended = painter_->end();
    painter_.reset();
    pdf_.reset();
    svg_.reset();
    buffer_.close();
    if (!ended)
        return {};
    QByteArray out = std::move(bytes_);
    // Qt's engine stores colour images as JPEG; they get their own pixels back.
    if (format_ == VectorFormat::Pdf && noted_->images.count() > 0 && !noted_->images.rewrite(out))
        return {};
    return out;
}

bool writeVectorSheet(Document& document, const std::string& selection, const SheetEnvironment& env,
                      const std::string& fileName, VectorFormat format, const QString& title, std::string& error)
{
    VectorDocumentWriter writer(format, title);
    QByteArray bytes;
    if (writer.addSheet(document, selection, env))
        bytes = writer.finish();
    QSaveFile file(QString::fromStdString(fileName));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        error = std::string(texts::kCannotWriteFile) + fileName;
        return false;
    }
    return true;
}

} // namespace vlm
