#include "output/image_files.h"

#include "output/jpeg_writer.h"
#include "output/pdf_images.h"
#include "output/sheet_layout.h"
#include "texts/file_texts.h"
#include "texts/output_texts.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vlm {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// The 40-byte header of a device-independent bitmap.
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, std::uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0); // uncompressed
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
}

std::uint32_t Stride(int width, int bits)
{
    return static_cast<std::uint32_t>((static_cast<std::int64_t>(width) * bits + 31) / 32 * 4);
}

// The icon palette: a 6 x 6 x 6 colour cube (levels 0, 51, ... 255) and 40
// greys between its grey steps.
constexpr int kCubeLevels = 6;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kGreyCount = 256 - kCubeSize;

int GreyLevel(int i)
{
    // The greys skip the cube's own grey steps (multiples of 51).
    const int step = i / 8;             // 0..4
    const int within = i % 8 + 1;       // 1..8
    return step * 51 + within * 51 / 9; // strictly between two cube steps
}

int Distance(std::uint32_t a, std::uint32_t b)
{
    const int dr = static_cast<int>((a >> 16) & 0xff) - static_cast<int>((b >> 16) & 0xff);
    const int dg = static_cast<int>((a >> 8) & 0xff) - static_cast<int>((b >> 8) & 0xff);
    const int db = static_cast<int>(a & 0xff) - static_cast<int>(b & 0xff);
    return dr * dr + dg * dg + db * db;
}

bool EndsWithNoCase(const std::string& s, const char* tail)
{
    const std::size_t n = std::char_traits<char>::length(tail);
    if (s.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != tail[i])
            return false;
    return true;
}

bool SaveBytes(const std::vector<std::uint8_t>& bytes, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size()))
        return false;
    return file.commit();
}

bool SavePdf(const Bitmap& bitmap, const QString& path, double dpi)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Stored without loss, in the tiles a printed sheet is sent in.
    const double resolution = dpi > 0 ? dpi : 96.0;
    RasterPdfWriter pdf(file);
    pdf.beginPage(bitmap.width() * 72.0 / resolution, bitmap.height() * 72.0 / resolution, resolution);
    for (const QRect& tile : SheetTiles(bitmap.width(), bitmap.height()))
        pdf.addImage(bitmap.image().copy(tile), tile.x(), tile.y());
    return pdf.finish(QFileInfo(path).completeBaseName(), QStringLiteral("Vellumora")) && file.commit();
}

} // namespace

ExportFormat ExportFormatOf(const std::string& fileName, bool extended)
{
    if (EndsWithNoCase(fileName, ".bmp"))
        return ExportFormat::Bmp;
    if (EndsWithNoCase(fileName, ".ico"))
        return ExportFormat::Ico;
    if (extended && EndsWithNoCase(fileName, ".png"))
        return ExportFormat::Png;
    if (extended && EndsWithNoCase(fileName, ".pdf"))
        return ExportFormat::Pdf;
    return ExportFormat::Jpeg;
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    const std::uint32_t stride = Stride(w, 24);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, w, h, 24, imageSize);
    for (int y = h - 1; y >= 0; --y) {
        const std::uint32_t* row = bitmap.row(y);
        for (int x = 0; x < w; ++x) {
            out.push_back(static_cast<std::uint8_t>(row[x] & 0xff));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 8) & 0xff));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 16) & 0xff));
        }
        out.resize(out.size() + (stride - static_cast<std::uint32_t>(w) * 3), 0);
    }
    return out;
}

std::uint32_t IconPaletteColor(int index)
{
    if (index < kCubeSize) {
        const std::uint32_t r = static_cast<std::uint32_t>(index / 36 * 51);
        const std::uint32_t g = static_cast<std::uint32_t>(index / 6 % 6 * 51);
        const std::uint32_t b = static_cast<std::uint32_t>(index % 6 * 51);
        return (r << 16) | (g << 8) | b;
    }
    const std::uint32_t v =
        static_cast<std::uint32_t>(GreyLevel(std::min(index - kCubeSize, kGreyCount - 1)));
    return (v << 16) | (v << 8) | v;
}

int IconPaletteIndex(std::uint32_t rgb)
{
    const auto level = [](std::uint32_t c) { return static_cast<int>((c * 5 + 127) / 255); };
    const int cube = level((rgb >> 16) & 0xff) * 36 + level((rgb >> 8) & 0xff) * 6 + level(rgb & 0xff);
    int best = cube;
    int bestDistance = Distance(rgb, IconPaletteColor(cube));
    for (int i = kCubeSize; i < 256 && bestDistance > 0; ++i) {
        const int d = Distance(rgb, IconPaletteColor(i));
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

std::optional<std::vector<std::uint8_t>> EncodeIco(const Bitmap& bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    if (w < 1 || h < 1 || w > 256 || h > 256)
        return std::nullopt;
    const std::uint32_t colorStride = Stride(w, 8);
    const std::uint32_t maskStride = Stride(w, 1);
    const std::uint32_t pixelBytes = (colorStride + maskStride) * static_cast<std::uint32_t>(h);
    const std::uint32_t imageBytes = 40 + 256 * 4 + pixelBytes;

    std::vector<std::uint8_t> out;
    out.reserve(22 + imageBytes);
    // Header: reserved, type 1 (icon), one image.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    // Directory entry.
    out.push_back(static_cast<std::uint8_t>(w == 256 ? 0 : w));
    out.push_back(static_cast<std::uint8_t>(h == 256 ? 0 : h));
    out.push_back(8); // colour count byte
    out.push_back(0);
    Put16(out, 0); // planes
    Put16(out, 0); // bit count
    Put32(out, imageBytes);
    Put32(out, 22);
    // The image: colour and mask stacked, hence the doubled height.
    PutInfoHeader(out, w, 2 * h, 8, pixelBytes);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = IconPaletteColor(i);
        out.push_back(static_cast<std::uint8_t>(c & 0xff));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xff));
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xff));
        out.push_back(0);
    }
    // Transparent pixels are black in the colour image, so that the mask
    // and colour combine to the background.
    const std::uint32_t white = 0xffffff;
    for (int y = h - 1; y >= 0; --y) {
        const std::uint32_t* row = bitmap.row(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = row[x] & 0xffffff;
            out.push_back(static_cast<std::uint8_t>(rgb == white ? 0 : IconPaletteIndex(rgb)));
        }
        out.resize(out.size() + (colorStride - static_cast<std::uint32_t>(w)), 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        const std::uint32_t* row = bitmap.row(y);
        const std::size_t start = out.size();
        out.resize(start + maskStride, 0);
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xffffff) == white)
                out[start + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

bool WriteExport(const Bitmap& bitmap, const std::string& fileName, ExportFormat format, double dpi,
                 std::string& error)
{
    const QString path = QString::fromStdString(fileName);
    bool ok = false;
    switch (format) {
    case ExportFormat::Bmp:
        ok = SaveBytes(EncodeBmp24(bitmap), path);
        break;
    case ExportFormat::Jpeg: {
        const std::vector<std::uint8_t> bytes = EncodeJpeg(bitmap, 90);
        ok = !bytes.empty() && SaveBytes(bytes, path);
        break;
    }
    case ExportFormat::Ico: {
        const std::optional<std::vector<std::uint8_t>> bytes = EncodeIco(bitmap);
        if (!bytes) {
            error = texts::kIconTooLarge;
            return false;
        }
        ok = SaveBytes(*bytes, path);
        break;
    }
    case ExportFormat::Png: {
        QSaveFile file(path);
        ok = file.open(QIODevice::WriteOnly) && bitmap.image().save(&file, "PNG") && file.commit();
        break;
    }
    case ExportFormat::Pdf:
        ok = SavePdf(bitmap, path, dpi);
        break;
    }
    if (!ok)
        error = std::string(texts::kCannotWriteFile) + fileName;
    return ok;
}

} // namespace vlm
