#include "pictures/picture_decoders.h"

#include "pictures/bmp_decoder.h"
#include "pictures/svg_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <cctype>
#include <string>

namespace vlm {

namespace {

// Qt's readers refuse larger images themselves; this is their budget in MB.
constexpr int kQtAllocationLimitMb = 512;

QImage ReadWithQt(std::span<const std::uint8_t> bytes, const char* format, bool* tooLarge = nullptr)
{
    if (tooLarge)
        *tooLarge = false;
    if (bytes.empty())
        return {};
    // The bytes stay where they are; the buffer only reads them.
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(kQtAllocationLimitMb);
    const QSize size = reader.size();
    if (size.isValid() && std::int64_t{size.width()} * size.height() > kMaxDecodedPixels) {
        if (tooLarge)
            *tooLarge = true;
        return {};
    }
    // A reader that cannot tell the size before decoding has nothing to
    // decode either.
    if (!size.isValid())
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return image;
}

// Whether Qt's reader finds a size in the headers beyond what any decoder makes.
bool QtClaimsTooMany(std::span<const std::uint8_t> bytes, const char* format)
{
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    return size.isValid() && std::int64_t{size.width()} * size.height() > kMaxDecodedPixels;
}

// A picture, or the reason there is none.
DecodedPicture Checked(Bitmap bitmap, bool tooLarge)
{
    DecodedPicture out;
    out.tooLarge = bitmap.isNull() && tooLarge;
    out.bitmap = std::move(bitmap);
    return out;
}

// The picture over white, as every clip renderer takes it.
Bitmap onWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return Bitmap(image);
    Bitmap out(image.width(), image.height(), RGBRef(255, 255, 255));
    if (out.isNull())
        return {};
    QPainter painter(&out.image());
    painter.drawImage(0, 0, image);
    painter.end();
    return out;
}

const char* qtFormatOf(int format)
{
    switch (format) {
    case PictureFormatPng:
        return "png";
    case PictureFormatWebp:
        return "webp";
    case PictureFormatTiff:
        return "tiff";
    default:
        return nullptr;
    }
}

// The file's picture as PNG bytes, its transparency kept; empty when it does
// not read.
std::vector<std::uint8_t> asPng(std::span<const std::uint8_t> bytes, const char* qtFormat)
{
    const QImage image = ReadWithQt(bytes, qtFormat);
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    buffer.close();
    return {png.begin(), png.end()};
}

} // namespace

std::string lowerExtension(std::u16string_view name)
{
    const std::size_t dot = name.find_last_of(u'.');
    const std::size_t slash = name.find_last_of(u"/\\");
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && slash > dot))
        return {};
    std::string ext;
    for (char16_t ch : name.substr(dot + 1)) {
        if (ch > 127)
            return {};
        ext += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return ext;
}


PictureFormat PictureFormatForName(std::u16string_view fileName)
{
    const std::string ext = lowerExtension(fileName);
    if (ext == "jpg" || ext == "jpeg")
        return PictureFormatJpeg;
    if (ext == "gif")
        return PictureFormatGif;
    if (ext == "bmp")
        return PictureFormatBmp;
    if (ext == "ico")
        return PictureFormatIco;
    if (ext == "emf" || ext == "wmf")
        return PictureFormatMetafile;
    if (ext == "png")
        return PictureFormatPng;
    if (ext == "svg")
        return PictureFormatSvg;
    if (ext == "webp")
        return PictureFormatWebp;
    if (ext == "tif" || ext == "tiff")
        return PictureFormatTiff;
    return PictureFormatNone;
}

const char* PictureFormatName(int format)
{
    switch (format) {
    case PictureFormatGif:
        return "GIF";
    case PictureFormatBmp:
        return "BMP";
    case PictureFormatIco:
        return "ICO";
    case PictureFormatJpeg:
        return "JPEG";
    case PictureFormatMetafile:
        return "metafile";
    case PictureFormatPng:
        return "PNG";
    case PictureFormatSvg:
        return "SVG";
    case PictureFormatWebp:
        return "WebP";
    case PictureFormatTiff:
        return "TIFF";
    default:
        return "unknown";
    }
}

int storedPictureFormat(int format)
{
    return format == PictureFormatWebp || format == PictureFormatTiff ? PictureFormatPng : format;
}

bool isVectorPicture(int format)
{
    return format == PictureFormatSvg;
}

Bitmap decodeWithImageReader(std::span<const std::uint8_t> bytes, const char* qtFormat, bool* tooLarge)
{
    const QImage image = ReadWithQt(bytes, qtFormat, tooLarge);
    return image.isNull() ? Bitmap() : onWhite(image);
}

Bitmap DecodeIco(std::span<const std::uint8_t> bytes)
{
    const QImage icon = ReadWithQt(bytes, "ico");
    if (icon.isNull())
        return {};
    Bitmap out(icon.width(), icon.height(), RGBRef(255, 255, 255));
    QPainter painter(&out.image());
    painter.drawImage(0, 0, icon);
    painter.end();
    return out;
}

DecodedPicture DecodePicture(std::span<const std::uint8_t> bytes, int format, int reduction, int enlargement)
{
    switch (format) {
    case PictureFormatJpeg: {
        const int asked = reduction == 2 || reduction == 4 || reduction == 8 ? reduction : 1;
        const int k = JpegFittingReduction(bytes, asked);
        return k == 0 ? DecodedPicture{} : DecodedPicture{DecodeJpeg(bytes, k), k};
    }
    case PictureFormatGif:
        return Checked(DecodeGif(bytes), QtClaimsTooMany(bytes, "gif"));
    case PictureFormatBmp:
        return Checked(DecodeBmp(bytes), BmpTooLarge(bytes));
    case PictureFormatIco:
        return Checked(DecodeIco(bytes), QtClaimsTooMany(bytes, "ico"));
    case PictureFormatMetafile:
        return {DecodeMetafile(bytes), 1};
    case PictureFormatPng:
    case PictureFormatWebp:
    case PictureFormatTiff: {
        bool tooLarge = false;
        Bitmap b = decodeWithImageReader(bytes, qtFormatOf(format), &tooLarge);
        return Checked(std::move(b), tooLarge);
    }
    case PictureFormatSvg: {
        const SvgPlay play = playSvg(bytes, enlargement);
        DecodedPicture out = Checked(play.bitmap, play.tooLarge);
        out.enlargement = play.bitmap.isNull() ? 1 : play.enlargement;
        return out;
    }
    default:
        return {};
    }
}

std::vector<std::uint8_t> StoredPictureBytes(std::span<const std::uint8_t> fileBytes, int format)
{
    if (format == PictureFormatJpeg && JpegFittingReduction(fileBytes, 1) == 1) {
        const Bitmap full = DecodeJpeg(fileBytes, 1);
        return full.isNull() ? std::vector<std::uint8_t>{} : EncodeJpeg(full);
    }
    if (format == PictureFormatWebp || format == PictureFormatTiff)
        return asPng(fileBytes, qtFormatOf(format));
    // A JPEG too large to be saved again decodes at the coarsest reduction
    // to show that it is whole.
    if (DecodePicture(fileBytes, format, 8).bitmap.isNull())
        return {};
    return {fileBytes.begin(), fileBytes.end()};
}

} // namespace vlm
