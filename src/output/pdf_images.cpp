#include "output/pdf_images.h"

#include <QIODevice>

#include <algorithm>
#include <cstdio>
#include <map>

namespace vlm {

namespace {

// Qt's images are sent to the engine as 32-bit pixels; what the engine
// writes as colour are their red, green and blue bytes.
QByteArray rgbBytes(const QImage& source)
{
    QImage image = source;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QByteArray out(qsizetype{3} * w * h, Qt::Uninitialized);
    char* o = out.data();
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            *o++ = static_cast<char>(qRed(row[x]));
            *o++ = static_cast<char>(qGreen(row[x]));
            *o++ = static_cast<char>(qBlue(row[x]));
        }
    }
    return out;
}

QByteArray pdfNumber(double v)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    QByteArray s(buf);
    // "12.5000" reads as well as "12.5"; the shorter form keeps pages small.
    while (s.contains('.') && (s.endsWith('0') || s.endsWith('.')))
        s.chop(1);
    return s == "-0" ? QByteArray("0") : s;
}

QByteArray xrefEntry(qint64 offset)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%010lld 00000 n \n", static_cast<long long>(offset));
    return QByteArray(buf, 20);
}

// The integer after `key` in `dict`; -1 when there is none.
long long intAfter(const QByteArray& dict, const QByteArray& key)
{
    const qsizetype at = dict.indexOf(key);
    if (at < 0)
        return -1;
    qsizetype i = at + key.size();
    while (i < dict.size() && (dict[i] == ' ' || dict[i] == '\n' || dict[i] == '\r'))
        ++i;
    long long v = 0;
    bool any = false;
    while (i < dict.size() && dict[i] >= '0' && dict[i] <= '9' && v < (1LL << 40)) {
        v = v * 10 + (dict[i] - '0');
        ++i;
        any = true;
    }
    return any ? v : -1;
}

} // namespace

QByteArray flateEncode(const QByteArray& data, int level)
{
    // qCompress puts the length in front of a zlib stream; PDF wants the
    // stream alone.
    QByteArray z = qCompress(data, level);
    return z.size() >= 4 ? z.sliced(4) : QByteArray();
}

QByteArray pdfTextString(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    QByteArray out("(");
    if (ascii) {
        for (QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\')
                out += '\\';
            out += static_cast<char>(c.unicode());
        }
        return out + ')';
    }
    // UTF-16BE with a byte-order mark, written as hexadecimal.
    out = "<FEFF";
    char buf[8];
    for (QChar c : text) {
        std::snprintf(buf, sizeof buf, "%04X", c.unicode());
        out += buf;
    }
    return out + '>';
}

RasterPdfWriter::RasterPdfWriter(QIODevice& out) : out_(out)
{
    // Objects 1 to 3 are the catalogue, the page tree and the document
    // information, written last.
    offsets_.assign(3, 0);
    write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
}

RasterPdfWriter::~RasterPdfWriter() = default;

void RasterPdfWriter::write(const QByteArray& bytes)
{
    if (failed_)
        return;
    if (out_.write(bytes) != bytes.size()) {
        failed_ = true;
        return;
    }
    written_ += bytes.size();
}

int RasterPdfWriter::newObject()
{
    offsets_.push_back(written_);
    return static_cast<int>(offsets_.size());
}

void RasterPdfWriter::beginPage(double widthPoints, double heightPoints, double dpi)
{
    if (page_)
        endPage();
    page_ = std::make_unique<Page>();
    page_->width = widthPoints;
    page_->height = heightPoints;
    dpi_ = dpi > 0 ? dpi : 72.0;
}

void RasterPdfWriter::addImage(const QImage& image, int x, int y)
{
    if (!page_ || image.isNull())
        return;
    // A printed sheet is mostly paper: the fastest level already packs its
    // runs of white, and the time goes to the many tiles.
    const QByteArray data = flateEncode(rgbBytes(image), 1);
    const int object = newObject();
    write(QByteArray::number(object) + " 0 obj\n<< /Type /XObject /Subtype /Image /Width " +
          QByteArray::number(image.width()) + " /Height " + QByteArray::number(image.height()) +
          " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
          QByteArray::number(data.size()) + " >>\nstream\n");
    write(data);
    write("\nendstream\nendobj\n");
    page_->images.push_back(object);
    // PDF's y axis runs up from the bottom of the page.
    const double k = 72.0 / dpi_;
    const double w = image.width() * k;
    const double h = image.height() * k;
    page_->content += "q " + pdfNumber(w) + " 0 0 " + pdfNumber(h) + ' ' + pdfNumber(x * k) + ' ' +
                      pdfNumber(page_->height - y * k - h) + " cm /Im" + QByteArray::number(object) + " Do Q\n";
}

void RasterPdfWriter::endPage()
{
    if (!page_)
        return;
    const QByteArray content = flateEncode(page_->content);
    const int contents = newObject();
    write(QByteArray::number(contents) + " 0 obj\n<< /Filter /FlateDecode /Length " +
          QByteArray::number(content.size()) + " >>\nstream\n");
    write(content);
    write("\nendstream\nendobj\n");
    QByteArray images;
    for (int object : page_->images)
        images += "/Im" + QByteArray::number(object) + ' ' + QByteArray::number(object) + " 0 R ";
    const int pageObject = newObject();
    write(QByteArray::number(pageObject) + " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " +
          pdfNumber(page_->width) + ' ' + pdfNumber(page_->height) + "] /Resources << /XObject << " + images +
          ">> /ProcSet [/PDF /ImageC] >> /Contents " + QByteArray::number(contents) + " 0 R >>\nendobj\n");
    pageObjects_.push_back(pageObject);
    page_.reset();
}

bool RasterPdfWriter::finish(const QString& title, const QString& creator)
{
    endPage();
    offsets_[0] = written_;
    write("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    offsets_[1] = written_;
    QByteArray kids;
    for (int object : pageObjects_)
        kids += QByteArray::number(object) + " 0 R ";
    write("2 0 obj\n<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pageObjects_.size()) +
          " >>\nendobj\n");
    offsets_[2] = written_;
    write("3 0 obj\n<< /Title " + pdfTextString(title) + " /Creator " + pdfTextString(creator) +
          " /Producer " + pdfTextString(creator) + " >>\nendobj\n");
    const qint64 xref = written_;
    QByteArray table = "xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (qint64 offset : offsets_)
        table += xrefEntry(offset);
    write(table);
    write("trailer\n<< /Size " + QByteArray::number(offsets_.size() + 1) +
          " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return !failed_ && !pageObjects_.empty();
}

void LosslessPdfImages::note(const QImage& image)
{
    if (image.isNull() || std::find(keys_.begin(), keys_.end(), image.cacheKey()) != keys_.end())
        return;
    keys_.push_back(image.cacheKey());
    images_.push_back(image);
}

bool LosslessPdfImages::rewrite(QByteArray& pdf) const
{
    // The cross-reference table says where every object starts.
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    const long long xref = intAfter(pdf.sliced(startxref), "startxref");
    if (xref <= 0 || xref >= startxref || !pdf.sliced(xref).startsWith("xref"))
        return false;
    const qsizetype trailer = pdf.indexOf("trailer", xref);
    if (trailer < 0)
        return false;
    const QByteArray section = pdf.sliced(xref, trailer - xref);
    const qsizetype firstLine = section.indexOf('\n');
    const qsizetype secondLine = section.indexOf('\n', firstLine + 1);
    if (firstLine < 0 || secondLine < 0)
        return false;
    // One subsection, "0 N", as the engine writes it.
    const QByteArray subsection = section.sliced(firstLine + 1, secondLine - firstLine - 1).trimmed();
    if (!subsection.startsWith("0 "))
        return false;
    const long long count = intAfter(subsection, "0");
    if (count < 1 || secondLine + 1 + 20 * count > section.size())
        return false;
    std::map<qint64, int> byOffset; // object start -> number
    for (long long n = 1; n < count; ++n) {
        const QByteArray entry = section.sliced(secondLine + 1 + 20 * n, 20);
        if (entry[17] != 'n')
            continue;
        const qint64 offset = entry.left(10).toLongLong();
        if (offset <= 0 || offset >= xref)
            return false;
        byOffset[offset] = static_cast<int>(n);
    }
    if (byOffset.empty())
        return false;

    // Each object as it will be written, with the lengths that change.
    std::map<int, QByteArray> objects;
    std::map<int, qint64> newLengths;
    std::size_t next = 0;
    for (auto it = byOffset.begin(); it != byOffset.end(); ++it) {
        const auto after = std::next(it);
        const qint64 end = after == byOffset.end() ? xref : after->first;
        QByteArray object = pdf.sliced(it->first, end - it->first);
        const qsizetype stream = object.indexOf("stream\n");
        const QByteArray dict = stream < 0 ? QByteArray() : object.left(stream);
        if (stream >= 0 && dict.contains("/Subtype /Image") && dict.contains("/DCTDecode")) {
            if (next >= images_.size())
                return false;
            const QImage& image = images_[next++];
            if (intAfter(dict, "/Width") != image.width() || intAfter(dict, "/Height") != image.height())
                return false;
            const QByteArray data = flateEncode(rgbBytes(image));
            QByteArray newDict = dict;
            newDict.replace("/DCTDecode", "/FlateDecode");
            const qsizetype lengthAt = newDict.indexOf("/Length ");
            if (lengthAt < 0)
                return false;
            const long long lengthValue = intAfter(newDict, "/Length");
            // "/Length 8 0 R" refers to an object; otherwise the number is the length.
            const qsizetype valueEnd = newDict.indexOf('\n', lengthAt);
            const QByteArray lengthText = newDict.sliced(lengthAt, (valueEnd < 0 ? newDict.size() : valueEnd) - lengthAt);
            if (lengthText.contains(" R"))
                newLengths[static_cast<int>(lengthValue)] = data.size();
            else
                newDict.replace(lengthAt, lengthText.size(), "/Length " + QByteArray::number(data.size()));
            object = newDict + "stream\n" + data + "\nendstream\nendobj\n";
        }
        objects[it->second] = std::move(object);
    }
    if (next != images_.size() && next != 0)
        return false;
    for (const auto& [number, length] : newLengths) {
        if (!objects.count(number))
            return false;
        objects[number] = QByteArray::number(number) + " 0 obj\n" + QByteArray::number(length) + "\nendobj\n";
    }

    QByteArray out = pdf.left(byOffset.begin()->first);
    std::vector<qint64> offsets(static_cast<std::size_t>(count), 0);
    for (const auto& [offset, number] : byOffset) {
        offsets[static_cast<std::size_t>(number)] = out.size();
        out += objects[number];
    }
    const qint64 newXref = out.size();
    out += section.left(secondLine + 1);
    for (long long n = 0; n < count; ++n) {
        const QByteArray entry = section.sliced(secondLine + 1 + 20 * n, 20);
        out += entry[17] == 'n' ? xrefEntry(offsets[static_cast<std::size_t>(n)]) : entry;
    }
    out += pdf.sliced(trailer, startxref - trailer);
    out += "startxref\n" + QByteArray::number(newXref) + "\n%%EOF\n";
    pdf = std::move(out);
    return true;
}

} // namespace vlm
