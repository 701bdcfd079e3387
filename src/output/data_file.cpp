#include "output/data_file.h"

#include "texts/merge_texts.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <unordered_set>

namespace vlm {

namespace {

constexpr char16_t kQuote = u'"';

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

// Zero bytes never occur in text; nor do many other control characters.
bool looksLikeText(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return false;
    std::size_t controls = 0;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++controls;
    }
    return controls * 100 <= static_cast<std::size_t>(bytes.size());
}

std::u16string decodeText(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text.toStdU16String();
}

std::u16string trimmed(const std::u16string& s)
{
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && blank(s[a]))
        ++a;
    while (b > a && blank(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

std::string withArgument(const char* sentence, const QString& argument)
{
    return QString::fromUtf8(sentence).arg(argument).toStdString();
}

// Splits the text into rows of fields. A quoted field runs to its closing
// quote, line breaks included; a doubled quote inside stands for one. What
// follows a closing quote up to the separator is kept as typed. A line break
// inside a quoted field becomes "\n" whatever the file uses.
class RowReader
{
public:
    RowReader(const std::u16string& text, char16_t separator) : text_(text), separator_(separator) {}

    // The next row; false at the end. `empty` tells an empty line.
    bool next(std::vector<std::u16string>& row, bool& empty)
    {
        row.clear();
        if (at_ >= text_.size())
            return false;
        std::u16string field;
        bool quotedAny = false;
        for (;;) {
            field.clear();
            if (at_ < text_.size() && text_[at_] == kQuote) {
                quotedAny = true;
                ++at_;
                while (at_ < text_.size()) {
                    const char16_t c = text_[at_++];
                    if (c == kQuote) {
                        if (at_ < text_.size() && text_[at_] == kQuote) {
                            field += kQuote;
                            ++at_;
                            continue;
                        }
                        break;
                    }
                    if (c == u'\r') {
                        if (at_ < text_.size() && text_[at_] == u'\n')
                            ++at_;
                        field += u'\n';
                        continue;
                    }
                    field += c;
                }
            }
            while (at_ < text_.size() && text_[at_] != separator_ && !isLineBreak(text_[at_]))
                field += text_[at_++];
            row.push_back(std::move(field));
            if (at_ >= text_.size())
                break;
            const char16_t c = text_[at_++];
            if (c == separator_)
                continue;
            if (c == u'\r' && at_ < text_.size() && text_[at_] == u'\n')
                ++at_;
            break;
        }
        empty = row.size() == 1 && row[0].empty() && !quotedAny;
        return true;
    }

private:
    const std::u16string& text_;
    char16_t separator_;
    std::size_t at_ = 0;
};

} // namespace

int DataTable::columnOf(const std::u16string& name) const
{
    const auto it = std::find(columns.begin(), columns.end(), name);
    return it == columns.end() ? -1 : static_cast<int>(it - columns.begin());
}

char16_t detectSeparator(const std::u16string& text)
{
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    std::size_t tabs = 0;
    bool quoted = false;
    bool seen = false; // some text on the line, so that leading empty lines are passed
    for (const char16_t c : text) {
        if (c == kQuote) {
            quoted = !quoted;
        } else if (!quoted) {
            if (isLineBreak(c)) {
                if (seen)
                    break;
                continue;
            }
            if (c == u',')
                ++commas;
            else if (c == u';')
                ++semicolons;
            else if (c == u'\t')
                ++tabs;
        }
        seen = true;
    }
    if (tabs > commas && tabs >= semicolons)
        return u'\t';
    if (semicolons > commas)
        return u';';
    return u',';
}

bool readDataText(const QByteArray& bytes, DataTable& table, std::string& error,
                  const DataReadOptions& options)
{
    table = DataTable();
    if (!looksLikeText(bytes)) {
        error = texts::kDataNotText;
        return false;
    }
    const std::u16string text = decodeText(bytes);
    const char16_t separator = options.separator ? options.separator : detectSeparator(text);
    RowReader reader(text, separator);
    std::vector<std::u16string> row;
    bool empty = false;
    bool header = false;
    while (reader.next(row, empty)) {
        if (empty)
            continue;
        if (!header) {
            header = true;
            std::unordered_set<std::u16string> names;
            for (std::size_t i = 0; i < row.size(); ++i) {
                std::u16string name = trimmed(row[i]);
                if (name.empty()) {
                    error = withArgument(texts::kDataEmptyColumnName, QString::number(i + 1));
                    return false;
                }
                if (!names.insert(name).second) {
                    error = withArgument(texts::kDataDuplicateColumnName, QString::fromStdU16String(name));
                    return false;
                }
                table.columns.push_back(std::move(name));
            }
            continue;
        }
        if (table.records.size() >= options.maxRecords) {
            table = DataTable();
            error = texts::kDataTooManyRecords;
            return false;
        }
        row.resize(table.columns.size());
        table.records.push_back(row);
    }
    if (!header) {
        error = texts::kDataEmpty;
        return false;
    }
    return true;
}

bool readDataFile(const std::string& path, DataTable& table, std::string& error,
                  const DataReadOptions& options)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = texts::kDataCannotRead + path;
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = texts::kDataCannotRead + path;
        return false;
    }
    return readDataText(bytes, table, error, options);
}

} // namespace vlm
