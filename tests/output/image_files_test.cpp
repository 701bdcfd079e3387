#include <gtest/gtest.h>

#include "output/image_files.h"
#include "texts/output_texts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace vlm {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U16(const Bytes& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}
std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

Bytes ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    return Bytes(data.begin(), data.end());
}

TEST(ImageFiles, FormatByExtensionWithoutCase)
{
    EXPECT_EQ(ExportFormatOf("a.ICO", false), ExportFormat::Ico);
    EXPECT_EQ(ExportFormatOf("a.Bmp", false), ExportFormat::Bmp);
    EXPECT_EQ(ExportFormatOf("a.jpeg", false), ExportFormat::Jpeg);
    EXPECT_EQ(ExportFormatOf("a.tif", false), ExportFormat::Jpeg);
    EXPECT_EQ(ExportFormatOf("ico", false), ExportFormat::Jpeg);
    // PNG and PDF only where asked for (the command line).
    EXPECT_EQ(ExportFormatOf("a.png", false), ExportFormat::Jpeg);
    EXPECT_EQ(ExportFormatOf("a.PNG", true), ExportFormat::Png);
    EXPECT_EQ(ExportFormatOf("a.pdf", true), ExportFormat::Pdf);
}

TEST(ImageFiles, IconBytesFieldByField)
{
    Bitmap b(3, 2, RGBRef(255, 255, 255));
    b.setPixel(0, 0, RGBRef(255, 0, 0)); // top row, left: colour, opaque
    b.setPixel(2, 1, RGBRef(0, 0, 0));   // bottom row, right: black, opaque
    const std::optional<Bytes> ico = EncodeIco(b);
    ASSERT_TRUE(ico);
    const Bytes& f = *ico;
    // Rows: 3 colour bytes padded to 4, 3 mask bits padded to 4 bytes.
    const std::uint32_t pixelBytes = (4 + 4) * 2;
    const std::uint32_t imageBytes = 40 + 1024 + pixelBytes;
    ASSERT_EQ(f.size(), 22 + imageBytes);
    EXPECT_EQ(U16(f, 0), 0u);
    EXPECT_EQ(U16(f, 2), 1u);
    EXPECT_EQ(U16(f, 4), 1u);
    EXPECT_EQ(f[6], 3);
    EXPECT_EQ(f[7], 2);
    EXPECT_EQ(f[8], 8);
    EXPECT_EQ(f[9], 0);
    EXPECT_EQ(U16(f, 10), 0u);
    EXPECT_EQ(U16(f, 12), 0u);
    EXPECT_EQ(U32(f, 14), imageBytes);
    EXPECT_EQ(U32(f, 18), 22u);
    // Bitmap header: height doubled, 8 bits per pixel.
    EXPECT_EQ(U32(f, 22), 40u);
    EXPECT_EQ(U32(f, 26), 3u);
    EXPECT_EQ(U32(f, 30), 4u);
    EXPECT_EQ(U16(f, 34), 1u);
    EXPECT_EQ(U16(f, 36), 8u);
    EXPECT_EQ(U32(f, 38), 0u);
    // The palette is in the file, blue green red reserved.
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = IconPaletteColor(i);
        const std::size_t at = 62 + 4 * static_cast<std::size_t>(i);
        ASSERT_EQ(f[at], c & 0xff);
        ASSERT_EQ(f[at + 1], (c >> 8) & 0xff);
        ASSERT_EQ(f[at + 2], (c >> 16) & 0xff);
        ASSERT_EQ(f[at + 3], 0);
    }
    // Colour rows bottom-up: bottom row first.
    const std::size_t colour = 62 + 1024;
    EXPECT_EQ(IconPaletteColor(f[colour + 2]), 0x000000u);
    EXPECT_EQ(IconPaletteColor(f[colour + 4 + 0]), 0xff0000u);
    EXPECT_EQ(f[colour + 4 + 1], f[colour + 0]); // transparent pixels are black
    // Mask: white pixels set, bottom row first.
    const std::size_t mask = colour + 8;
    EXPECT_EQ(f[mask], 0xC0);     // bottom: white, white, black
    EXPECT_EQ(f[mask + 4], 0x60); // top: red, white, white
    EXPECT_EQ(f[mask + 1], 0);
}

TEST(ImageFiles, IconSidesOf256AreWrittenAsZeroAndLargerAreRefused)
{
    const std::optional<Bytes> full = EncodeIco(Bitmap(256, 16));
    ASSERT_TRUE(full);
    EXPECT_EQ((*full)[6], 0);
    EXPECT_EQ((*full)[7], 16);
    EXPECT_FALSE(EncodeIco(Bitmap(257, 16)));
    EXPECT_FALSE(EncodeIco(Bitmap(16, 300)));

    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("big.ico")).toStdString();
    std::string error;
    EXPECT_FALSE(WriteExport(Bitmap(300, 300), path, ExportFormat::Ico, 96, error));
    EXPECT_EQ(error, texts::kIconTooLarge);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

TEST(ImageFiles, IconPaletteHoldsItsOwnColoursExactly)
{
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(IconPaletteColor(IconPaletteIndex(IconPaletteColor(i))), IconPaletteColor(i)) << i;
}

TEST(ImageFiles, Bmp24IsBottomUpWithPaddedRows)
{
    Bitmap b(3, 2, RGBRef(255, 255, 255));
    b.setPixel(0, 1, RGBRef(10, 20, 30));
    const Bytes f = EncodeBmp24(b);
    ASSERT_EQ(f.size(), 54u + 12 * 2);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(U32(f, 2), f.size());
    EXPECT_EQ(U32(f, 10), 54u);
    EXPECT_EQ(U32(f, 18), 3u);
    EXPECT_EQ(U32(f, 22), 2u);
    EXPECT_EQ(U16(f, 28), 24u);
    EXPECT_EQ(f[54], 30); // bottom row first, blue green red
    EXPECT_EQ(f[55], 20);
    EXPECT_EQ(f[56], 10);
    EXPECT_EQ(f[63], 0); // padding
    const QImage read =
        QImage::fromData(QByteArray(reinterpret_cast<const char*>(f.data()), static_cast<int>(f.size())));
    EXPECT_EQ(read.pixel(0, 1), qRgb(10, 20, 30));
}

TEST(ImageFiles, WritesBaselineJpegAndTheOtherFormats)
{
    QTemporaryDir dir;
    Bitmap b(40, 30, RGBRef(0, 0, 255));
    std::string error;
    for (const char* name : {"a.jpeg", "a.bmp", "a.ICO", "a.png", "a.pdf"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(WriteExport(b, path.toStdString(), ExportFormatOf(name, true), 96, error)) << name;
        const Bytes f = ReadAll(path);
        ASSERT_GT(f.size(), 8u) << name;
        if (ExportFormatOf(name, true) == ExportFormat::Ico) {
            EXPECT_EQ(U32(f, 0), 0x00010000u);
        }
        if (ExportFormatOf(name, true) == ExportFormat::Pdf) {
            EXPECT_EQ(f[0], '%');
        }
        if (ExportFormatOf(name, true) == ExportFormat::Jpeg) {
            // Start of frame 0 (baseline), never 2 (progressive).
            bool baseline = false;
            bool progressive = false;
            for (std::size_t i = 0; i + 1 < f.size(); ++i) {
                baseline = baseline || (f[i] == 0xff && f[i + 1] == 0xc0);
                progressive = progressive || (f[i] == 0xff && f[i + 1] == 0xc2);
            }
            EXPECT_TRUE(baseline);
            EXPECT_FALSE(progressive);
        }
        if (ExportFormatOf(name, true) != ExportFormat::Pdf &&
            ExportFormatOf(name, true) != ExportFormat::Ico) {
            const QImage read(path);
            EXPECT_EQ(read.size(), QSize(40, 30)) << name;
        }
    }
    EXPECT_FALSE(WriteExport(b, dir.filePath(QStringLiteral("no/such/folder/a.jpg")).toStdString(),
                             ExportFormat::Jpeg, 96, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace vlm
