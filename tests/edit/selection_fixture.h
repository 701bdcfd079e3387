#pragma once

// A Document with its view, laid out on a canvas, and the Items the
// selection tests place on it; each Item gets the next stacking order, its
// box is worked out, and edits go through the undo history's copies.

#include "edit/item_geometry.h"
#include "edit/markers.h"
#include "edit/selection_tool.h"
#include "model/document.h"
#include "model/item_list.h"
#include "model/undo.h"
#include "render/document_view.h"
#include "render/text_render.h"

#include <QPoint>

#include <initializer_list>
#include <memory>

namespace vlm::test {

class SelectionFixture {
public:
    SelectionFixture()
    {
        InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->hooks().beginEdit = [this] { BeginEditCopies(doc.items); };
        view->LayoutView(QSize(900, 700), 16);
        tool = std::make_unique<SelectionTool>(doc, *view, toolHooks());
    }

    SelectionToolHooks toolHooks()
    {
        SelectionToolHooks h;
        h.showPanel = [this](int code) { panels.push_back(code); shown = code; };
        h.shownPanel = [this] { return shown; };
        return h;
    }

    Item& finish(Item& item)
    {
        SetStackOrder(doc.items, item, MaxStackOrder(doc.items) + 1);
        RecomputeGeometry(item, TextSettingsOf(view->drawContext()), 8);
        return item;
    }

    Item& line(QPoint a, QPoint b, double weightMm = 0.0, double presetDegrees = -1.0)
    {
        Item& it = NewItem(doc.items, KindLine);
        DrawingFields& d = it.rec.d;
        d.x1 = a.x();
        d.y1 = a.y();
        d.x2 = b.x();
        d.y2 = b.y();
        d.direction = presetDegrees;
        d.lineColor = 0;
        SetWeight(it, weightMm, doc.items.metrics());
        return finish(it);
    }

    Item& shape(std::int32_t kind, std::initializer_list<QPoint> nodes, std::int32_t fill = -1, int variant = 2)
    {
        Item& it = NewItem(doc.items, kind);
        DrawingFields& d = it.rec.d;
        d.shapeVariant = variant;
        d.fillColor = fill;
        d.lineColor = 0;
        d.tension = kDefaultTension;
        for (QPoint p : nodes) {
            Vertex v;
            v.x = p.x();
            v.y = p.y();
            it.vertices.push_back(v);
        }
        return finish(it);
    }

    Item& text(std::u16string_view s, QPoint a, QPoint b, std::int32_t presetDegrees = -1)
    {
        Item& it = NewItem(doc.items, KindText);
        DrawingFields& d = it.rec.d;
        d.x1 = a.x();
        d.y1 = a.y();
        d.x2 = b.x();
        d.y2 = b.y();
        d.fontSize = 12;
        d.fontWeight = 400;
        d.justification = 1;
        d.textDirection = presetDegrees;
        SetFontName(it, "Arial");
        SetText(it, s);
        return finish(it);
    }

    Item& picture(QPoint topLeft, QPoint bottomRight, int sourceWidth, int sourceHeight, double rotation = 0.0)
    {
        Item& it = NewItem(doc.items, KindClip);
        DrawingFields& d = it.rec.d;
        d.clipShape = 1;
        d.x1 = topLeft.x();
        d.y1 = topLeft.y();
        d.x2 = bottomRight.x();
        d.y2 = bottomRight.y();
        d.sourceRect[2] = sourceWidth;
        d.sourceRect[3] = sourceHeight;
        d.rotation = rotation;
        return finish(it);
    }

    Item& group(std::int32_t id, QPoint centre, std::initializer_list<Item*> members)
    {
        Item& g = NewItem(doc.items, KindGroup);
        g.rec.d.x1 = g.rec.d.x2 = centre.x();
        g.rec.d.y1 = g.rec.d.y2 = centre.y();
        SetGroupId(doc.items, g, id);
        for (Item* m : members)
            SetGroupId(doc.items, *m, id);
        return g;
    }

    // The live version of an Item after edits replaced it.
    Item& current(const Item& original)
    {
        const Item* it = &original;
        for (bool found = true; found;) {
            found = false;
            for (Item& candidate : doc.items)
                if (candidate.rec.d.role == RoleDrawing && candidate.rec.d.predecessor == it->rec.d.sequence &&
                    candidate.rec.d.sequence != 0) {
                    it = &candidate;
                    found = true;
                    break;
                }
        }
        return const_cast<Item&>(*it);
    }

    void select(std::initializer_list<Item*> items)
    {
        SelectOnly(doc.items, nullptr);
        for (Item* it : items)
            it->rec.d.selected = 255;
        PlaceSelectionMarkers(*view);
    }

    QPoint canvas(QPoint documentPoint) const
    {
        return {view->toCanvasX(documentPoint.x()), view->toCanvasY(documentPoint.y())};
    }

    // A whole drag through the pointer tool, in document points.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        tool->mouseDown(canvas(from), mods);
        tool->mouseMove(canvas(to), mods);
        tool->mouseUp(canvas(to), mods);
    }

    void click(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) { drag(at, at, mods); }

    Document doc;
    std::unique_ptr<DocumentView> view;
    std::unique_ptr<SelectionTool> tool;
    std::vector<int> panels;
    int shown = 0;
};

} // namespace vlm::test
