#pragma once

// Documents and data for printing with data: a US-Letter sheet of 30
// address labels (3 x 10, 2.625 x 1 inch) whose design is one three-line
// text of fields, and address tables of any length.

#include "card_fixtures.h"
#include "output/data_file.h"

#include <QString>

#include <string>

namespace vlm::test {

// The 30-up US Letter address label sheet (3 x 10 labels of 2.625 x 1 in).
inline void addressLabelSheet(HeaderFields& h)
{
    h.designType = DesignLabels;
    h.units = UnitInches;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0;
    for (int d = 0; d < 12; ++d)
        h.pageDims[d] = 0.0;
    h.pageDims[DimPaperWidth] = 8.5;
    h.pageDims[DimPaperHeight] = 11;
    h.pageDims[DimCardWidth] = 2.625;
    h.pageDims[DimCardHeight] = 1;
    h.pageDims[DimMarginLeft] = 0.1875;
    h.pageDims[DimMarginTop] = 0.5;
    h.pageDims[DimColumnGap] = 0.125;
    h.rows = 10;
    h.columns = 3;
    h.rowFold = h.columnFold = 0;
}

// The address label sheet; `text` is the label's text, lines joined by
// kLineSeparator.
inline Item& AddressLabels(Document& doc, std::u16string_view text = u"${Name}\u07EC${Street}\u07EC${City}")
{
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    HeaderFields& h = doc.items.header()->rec.h;
    addressLabelSheet(h);
    std::int32_t order = 0;
    // Three 10 pt lines, the last one's baseline 78 pixels down the label.
    Item& t = CardText(doc, text, 12, 78, 230, order);
    t.rec.d.fontSize = 10;
    TextSettings settings;
    UpdateTextBox(t, settings);
    return t;
}

// "Name,Street,City" and `count` records: "Name 1", "1 Main Street",
// "City 1", … with an accent, a quote and a comma in every tenth name.
inline QByteArray AddressCsv(int count)
{
    QByteArray csv = "Name,Street,City\r\n";
    for (int i = 1; i <= count; ++i) {
        const QString name =
            i % 10 == 0 ? QStringLiteral("\"Zoë \"\"Ten\"\", %1\"").arg(i) : QStringLiteral("Name %1").arg(i);
        csv += QStringLiteral("%1,%2 Main Street,City %2\r\n").arg(name).arg(i).toUtf8();
    }
    return csv;
}

inline DataTable AddressTable(int count)
{
    DataTable table;
    std::string error;
    readDataText(AddressCsv(count), table, error);
    return table;
}

} // namespace vlm::test
