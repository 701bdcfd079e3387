#pragma once

// "Prepare Print": the symbolic map of a card sheet's print cells, where a
// click crosses a cell out or brings it back, with the hint column and its
// "all areas" and "no areas" links.

#include "model/item_record.h"
#include "output/print_map.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QLabel;

namespace vlm {

class PrintMapView;

class PreparePrintDialog : public QWidget
{
public:
    // `confirm` names the confirming button ("Print" or "Preview"); the
    // callbacks run when it or "Cancel" is pressed.
    PreparePrintDialog(const HeaderFields* header, std::string selection, const QString& confirm,
           std::function<void(const std::string&)> confirmed, std::function<void()> cancelled,
           QWidget* parent = nullptr);

    const std::string& selection() const { return selection_; }
    // R x C blanks, or R x C "x".
    void selectAll();
    void selectNone();
    // A click at a map point, as the map view reports it.
    void clickAt(QPoint mapPoint);
    PrintMapView* mapView() const { return view_; }

private:
    std::optional<HeaderFields> header_;
    std::string selection_;
    PrintMapView* view_ = nullptr;
    friend class PrintMapView;
};

// The pane showing the map; it recomputes it for its size.
class PrintMapView : public QWidget
{
public:
    PrintMapView(PreparePrintDialog& owner, QWidget* parent);
    const PrintMap& map() const { return map_; }
    // Where the map's top-left corner sits in the pane.
    QPoint mapOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PreparePrintDialog& owner_;
    PrintMap map_;
};

} // namespace vlm
