#pragma once

// Shared by the document-file, robustness and command-line tests: a
// temporary folder, a prompt double that records what it was asked, raw file
// access, and a Document holding one of every kind.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/document_file.h"
#include "model/random.h"

namespace vlm::test {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vlm-model-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct RecordingPrompts final : FilePrompts {
    explicit RecordingPrompts(bool yes = true) : answer(yes) {}
    bool askOpenInvalidFile() override
    {
        ++asked;
        return answer;
    }
    void warnNewerVersion() override { ++warned; }
    void reportReadError(const std::string&) override { ++errors; }
    void noteHeaderAdded() override { ++headerAdded; }
    bool answer;
    int asked = 0;
    int warned = 0;
    int errors = 0;
    int headerAdded = 0;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <typename T>
T Get(const std::vector<std::uint8_t>& b, std::size_t offset)
{
    T v{};
    std::memcpy(&v, b.data() + offset, sizeof v);
    return v;
}

template <typename T>
void Put(std::vector<std::uint8_t>& b, std::size_t offset, T v)
{
    std::memcpy(b.data() + offset, &v, sizeof v);
}

inline Document EmptyDocument()
{
    Document doc;
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    return doc;
}

// Places an Item at integer points and derives its reals, box and angle the
// way the reader will, so that a read-back copy can be compared byte for byte.
inline Item& Placed(ItemList& list, std::int32_t kind, int x1, int y1, int x2, int y2)
{
    Item& it = NewItem(list, kind);
    it.rec.d.x1 = x1;
    it.rec.d.y1 = y1;
    it.rec.d.x2 = x2;
    it.rec.d.y2 = y2;
    RealsFromIntegers(it, list.metrics());
    RecomputeFromReals(it, list.metrics());
    it.rec.d.stackOrder = MaxStackOrder(list) + 1;
    Reindex(list, it);
    return it;
}

// A Document with one of every kind the file keeps.
inline Document EveryKindDocument()
{
    Document doc = EmptyDocument();
    ItemList& list = doc.items;
    SetText(*Header(list), u"8.5\u07EC11\u07EC\u07EC");

    Item& text = Placed(list, KindText, 10, 20, 110, 20);
    SetText(text, u"first line\u07ECsecond \u00E9\u20AC line");
    SetFontName(text, "Liberation Serif");
    text.rec.d.fontSize = 18;
    text.rec.d.italic = 1;

    const double dashes[12] = {3, 1, 0.5, 1};
    Item& pattern = EmbedLinePattern(list, dashes);
    Item& line = Placed(list, KindLine, 5, 5, 300, 40);
    line.rec.d.pattern = pattern.rec.d.kind;
    SetWeight(line, 0.7, list.metrics());
    line.rec.d.lineColor = 0x00336699;

    int k = 0;
    for (std::int32_t kind : {KindTriangle, KindSquare, KindRectangle, KindCircle, KindEllipse, KindPolygon,
                              KindStar, KindPie, KindArc, KindSpline, KindCurve}) {
        Item& shape = Placed(list, kind, 40 + k, 50, 140 + k, 180);
        shape.rec.d.shapeVariant = k % 3;
        shape.rec.d.sides = 5;
        shape.rec.d.fillColor = -1;
        for (int v = 0; v < 3 + k % 4; ++v) {
            Vertex vx;
            vx.x = vx.savedX = 40 + 10 * v;
            vx.y = vx.savedY = 50 + 7 * v + k;
            if (kind == KindCurve) {
                vx.controlA[0] = vx.x - 3;
                vx.controlA[1] = vx.y - 4;
                vx.controlB[0] = vx.x + 5;
                vx.controlB[1] = vx.y + 6;
            }
            shape.vertices.push_back(vx);
        }
        ++k;
    }

    Item& picture = NewItem(list, KindPicture);
    picture.rec.d.pictureId = 4711;
    picture.rec.d.clipShape = 4;
    picture.rec.d.x2 = picture.rec.d.right = picture.rec.d.width = 64;
    picture.rec.d.y2 = picture.rec.d.bottom = picture.rec.d.height = 48;
    picture.rec.pic.dialogZoom = 0.5;
    picture.pictureData = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9};
    SetText(picture, u"/home/user/Pictures/holiday.jpg");

    Item& clip = Placed(list, KindClip, 200, 200, 205, 212);
    clip.rec.d.clipShape = 2;
    clip.rec.d.pictureId = 4711;
    clip.rec.d.scaleX = 1.5;
    clip.rec.d.rotation = 0.25;
    clip.rec.d.mirrorY = -1;
    clip.rec.d.pictureTurn = 90;
    RecomputeFromReals(clip, list.metrics());

    Item& group = Placed(list, KindGroup, 100, 100, 100, 100);
    SetGroupId(list, group, 1);
    SetGroupId(list, line, 1);

    Item& grid = *FindVisibleByKind(list, KindGridLines);
    grid.verticalGridLines.resize(2);
    grid.verticalGridLines.push_back(MakeGridLine(GridVertical, 333));
    grid.horizontalGridLines.push_back(MakeGridLine(GridHorizontal, 77));
    grid.verticalGridLines[1].deleted = 1;
    grid.verticalGridLines[0] = MakeGridLine(GridVertical, 19);
    return doc;
}

} // namespace vlm::test
