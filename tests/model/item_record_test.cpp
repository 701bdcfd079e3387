// Files store the record byte for byte: each test writes through a named
// field and finds the value at the offset other programs and old files use.

#include <gtest/gtest.h>

#include <cstring>

#include "model/item_list.h"

namespace vlm {
namespace {

template <typename T>
T At(const ItemRecord& r, int offset)
{
    T v;
    std::memcpy(&v, r.bytes + offset, sizeof v);
    return v;
}

TEST(ItemRecordLayout, NewRecordDefaultsSitAtTheirOffsets)
{
    ItemList list;
    const ItemRecord& r = NewItem(list, KindLine).rec;
    EXPECT_EQ(At<std::int32_t>(r, 0), 0);              // role
    EXPECT_EQ(At<std::int32_t>(r, 4), 1000200);        // kind
    EXPECT_EQ(At<std::int32_t>(r, 12), -1);            // windowId
    EXPECT_EQ(At<std::uint32_t>(r, 60), 0x08CA6BFFu);  // signature
    EXPECT_EQ(At<std::int32_t>(r, 116), 16777215);
    EXPECT_EQ(At<std::int32_t>(r, 124), 1);            // penWidth
    EXPECT_EQ(At<std::int32_t>(r, 128), 12);           // fontSize
    EXPECT_EQ(At<std::int32_t>(r, 140), 400);          // fontWeight
    EXPECT_EQ(r.bytes[147], 1);                        // justification
    EXPECT_EQ(r.bytes[148], 5);
    EXPECT_EQ(std::memcmp(r.bytes + 149, "Arial", 5), 0);
    EXPECT_EQ(At<std::int32_t>(r, 189), 16777215);
    EXPECT_EQ(At<std::int32_t>(r, 217), -2);           // fillColor Solid
    EXPECT_EQ(At<double>(r, 221), -1.0);               // direction free
    EXPECT_EQ(At<std::int32_t>(r, 229), 1);            // historyState done
    EXPECT_EQ(At<std::int32_t>(r, 237), 1);            // sequence
    EXPECT_EQ(At<double>(r, 277), 0.27614237);         // tension
    EXPECT_EQ(At<double>(r, 309), 1.0);                // scaleX
    EXPECT_EQ(At<double>(r, 317), 1.0);                // scaleY
    EXPECT_EQ(At<std::int32_t>(r, 365), 1);            // mirrorX
    EXPECT_EQ(At<std::int32_t>(r, 369), 1);            // mirrorY
    EXPECT_EQ(At<double>(r, 377), 1.0);                // placementScale
    for (int i = 418; i < 448; ++i)
        EXPECT_EQ(r.bytes[i], 0) << i;
}

TEST(ItemRecordLayout, DrawingFieldsLandOnTheirBytes)
{
    ItemRecord r{};
    DrawingFields& d = r.d;
    d.stackOrder = 0x11223344;
    d.x1Real = 1.25;
    d.angle = 2.5;
    d.blobLength = 56 * 3;
    d.weight = 0.75;
    d.outlineWeight = 0.125;
    d.pattern = -3;
    d.editStep = 77;
    d.predecessor = 66;
    d.reference[3] = 99;
    d.clipShape = 2;
    d.pictureId = 4242;
    d.sourceRect[2] = 555;
    d.rotation = 0.5;
    d.colorEffects[2] = -9;
    d.pictureTurn = 270;
    d.pictureSize[1] = 321;
    d.groupId = 8;
    d.extraLength2 = 12;
    d.framed = 1;
    d.surface = 200;
    EXPECT_EQ(At<std::int32_t>(r, 68), 0x11223344);
    EXPECT_EQ(At<double>(r, 72), 1.25);
    EXPECT_EQ(At<double>(r, 104), 2.5);
    EXPECT_EQ(At<std::int32_t>(r, 112), 168);
    EXPECT_EQ(At<double>(r, 197), 0.75);
    EXPECT_EQ(At<double>(r, 205), 0.125);
    EXPECT_EQ(At<std::int32_t>(r, 213), -3);
    EXPECT_EQ(At<std::int32_t>(r, 241), 77);
    EXPECT_EQ(At<std::int32_t>(r, 245), 66);
    EXPECT_EQ(At<std::int32_t>(r, 253 + 12), 99);
    EXPECT_EQ(At<std::int32_t>(r, 285), 2);
    EXPECT_EQ(At<std::int32_t>(r, 289), 4242);
    EXPECT_EQ(At<std::int32_t>(r, 293 + 8), 555);
    EXPECT_EQ(At<double>(r, 325), 0.5);
    EXPECT_EQ(At<std::int32_t>(r, 341 + 8), -9);
    EXPECT_EQ(At<std::int32_t>(r, 373), 270);
    EXPECT_EQ(At<std::int32_t>(r, 385 + 4), 321);
    EXPECT_EQ(At<std::int32_t>(r, 393), 8);
    EXPECT_EQ(At<std::int32_t>(r, 409), 12);
    EXPECT_EQ(r.bytes[413], 1);
    EXPECT_EQ(r.bytes[417], 200);
}

TEST(ItemRecordLayout, HeaderPatternAndPictureOverlays)
{
    ItemRecord r{};
    HeaderFields& h = r.h;
    h.zoom = 1.75;
    h.units = 2;
    h.pixelsPerUnitY = 3.5;
    h.originY = 10.5;
    h.areaHeight = 297.0;
    h.modified = 1;
    h.gridSpacingX = 0.25;
    h.gridSpacingY = 0.5;
    h.snapV = 1;
    h.designType = -4;
    h.pageDims[DimPaperHeight] = 11.0;
    h.pageDims[DimReserved2] = 7.0;
    h.columns = 3;
    h.columnFold = 1;
    h.historyIncluded = 1;
    h.formatVersion = 164;
    h.lightDirection = 3;
    EXPECT_EQ(At<double>(r, 116), 1.75);
    EXPECT_EQ(At<std::int32_t>(r, 124), 2);
    EXPECT_EQ(At<double>(r, 136), 3.5);
    EXPECT_EQ(At<double>(r, 156), 10.5);
    EXPECT_EQ(At<double>(r, 172), 297.0);
    EXPECT_EQ(r.bytes[180], 1);
    EXPECT_EQ(At<double>(r, 181), 0.25);
    EXPECT_EQ(At<double>(r, 189), 0.5);
    EXPECT_EQ(r.bytes[202], 1);
    EXPECT_EQ(At<std::int32_t>(r, 203), -4);
    EXPECT_EQ(At<double>(r, 223), 11.0);
    EXPECT_EQ(At<double>(r, 303), 7.0);
    EXPECT_EQ(At<std::int32_t>(r, 315), 3);
    EXPECT_EQ(r.bytes[320], 1);
    EXPECT_EQ(r.bytes[321], 1);
    EXPECT_EQ(At<std::int32_t>(r, 323), 164);
    EXPECT_EQ(r.bytes[327], 3);

    ItemRecord p{};
    p.p.lengths[0] = 2.0;
    p.p.lengths[11] = 0.5;
    p.p.count = 4;
    EXPECT_EQ(At<double>(p, 116), 2.0);
    EXPECT_EQ(At<double>(p, 116 + 88), 0.5);
    EXPECT_EQ(At<std::int32_t>(p, 212), 4);

    ItemRecord pic{};
    pic.pic.dialogZoom = 0.375;
    EXPECT_EQ(At<double>(pic, 116), 0.375);
}

TEST(ItemRecordLayout, VertexNodeIsFiftySixBytesInStoredOrder)
{
    Vertex v;
    v.x = 1;
    v.y = 2;
    v.savedX = 3;
    v.savedY = 4;
    v.controlA[0] = 5;
    v.controlA[1] = 6;
    v.controlB[0] = 7;
    v.controlB[1] = 8;
    v.savedControlA[0] = 9;
    v.savedControlA[1] = 10;
    v.savedControlB[0] = 11;
    v.savedControlB[1] = 12;
    std::uint8_t raw[56];
    std::memcpy(raw, &v, sizeof raw);
    for (int i = 0; i < 12; ++i) {
        std::int32_t got;
        std::memcpy(&got, raw + 4 * i, 4);
        EXPECT_EQ(got, i + 1) << "word " << i;
    }
    for (int i = 48; i < 56; ++i)
        EXPECT_EQ(raw[i], 0);
}

} // namespace
} // namespace vlm
