#pragma once

// Pictures in PDF files, stored without loss.
//
// RasterPdfWriter writes pages made of bitmaps (a printed sheet sent in
// tiles) straight to a file: each tile one Flate-compressed RGB image, so the
// page's pixels are exactly the bitmap's, and nothing but the tile at hand is
// held in memory.
//
// LosslessPdfImages serves pages that Qt's PDF engine paints: that engine
// stores every colour image as JPEG. The images a page draws are noted here
// in the order they are drawn; once the painter has ended, Rewrite() puts
// each one's own pixels, Flate-compressed, in place of its JPEG stream.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;

namespace vlm {

// A PDF stream's Flate (zlib) encoding of `data`, at zlib's `level` (1
// fastest, 9 smallest).
QByteArray flateEncode(const QByteArray& data, int level = 6);

// A PDF text string: ASCII as it is, anything else as UTF-16BE with a mark.
QByteArray pdfTextString(const QString& text);

class RasterPdfWriter
{
public:
    explicit RasterPdfWriter(QIODevice& out);
    ~RasterPdfWriter();
    RasterPdfWriter(const RasterPdfWriter&) = delete;
    RasterPdfWriter& operator=(const RasterPdfWriter&) = delete;

    // Starts a page of widthPoints x heightPoints (1/72 inch) on which one
    // bitmap pixel is 1/dpi inch, its origin at the page's top-left corner.
    void beginPage(double widthPoints, double heightPoints, double dpi);
    // Places `image` (any format; alpha is dropped) with its top-left pixel
    // at device pixel (x, y) of the page.
    void addImage(const QImage& image, int x, int y);
    void endPage();
    // Ends the document with its title and creator; false when anything
    // could not be written.
    bool finish(const QString& title, const QString& creator);

private:
    int newObject();
    void write(const QByteArray& bytes);

    struct Page
    {
        int object = 0;
        int contents = 0;
        double width = 0;
        double height = 0;
        QByteArray content;
        std::vector<int> images;
    };

    QIODevice& out_;
    qint64 written_ = 0;
    bool failed_ = false;
    std::vector<qint64> offsets_; // by object number - 1
    std::vector<int> pageObjects_;
    std::unique_ptr<Page> page_;
    double dpi_ = 72.0;
};

class LosslessPdfImages
{
public:
    // An image about to be drawn on the page. The same image (the same
    // cache key) drawn again is stored once, as the engine stores it.
    void note(const QImage& image);

    // Replaces the JPEG streams of `pdf` with the noted images' pixels, in
    // order. False, `pdf` untouched, when the file is not laid out as
    // expected or its images do not match the noted ones.
    bool rewrite(QByteArray& pdf) const;

    std::size_t count() const { return images_.size(); }

private:
    std::vector<QImage> images_;
    std::vector<qint64> keys_;
};

} // namespace vlm
