#pragma once

// The panels of the left column that choose a tool: the insert panel with
// one row per kind, and, for each creation tool, a panel with the tool's
// title and the guidance lines that say how to draw with it. The same panel
// shows the title and guidance for a selection.

#include <QIcon>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;

namespace vlm {

// The title and guidance lines of a creation tool's panel; an empty title for
// a PanelCode that is no creation tool.
struct ToolGuidance {
    QString title;
    std::vector<QString> lines;
};
ToolGuidance ToolGuidanceFor(int panelCode);

// The title and guidance of a panel shown for the selection (fine-tune
// codes 59, 99, 200..299, 301 and 401); `openShape` says whether the spline
// or curve selected is open. An empty title for any other code.
ToolGuidance SelectionGuidanceFor(int panelCode, bool openShape = false);

// Whichever of the two a PanelCode has.
ToolGuidance PanelGuidanceFor(int panelCode, bool openShape = false);

// `text` with every occurrence of `word` replaced by `name`.
QString ReplaceWord(const QString& text, const QString& word, const QString& name);

// The rows of the insert panel, top to bottom: caption and PanelCode.
struct InsertRow {
    const char16_t* caption;
    int panelCode;
};
const std::vector<InsertRow>& InsertRows();

class ToolPanel : public QWidget {
public:
    ToolPanel(int panelCode, QWidget* parent = nullptr);
    int panelCode() const { return code_; }
    // The codes of one range share this panel; it follows the code shown,
    // a creation tool's or the selection's (`openShape` as for
    // SelectionGuidanceFor).
    void setPanelCode(int panelCode, bool openShape = false);
    // The line panel shows its first guidance line (with the hold-down hint)
    // until the first click, then its second.
    void setGuidanceStep(int step);
    const std::vector<QLabel*>& lineLabels() const { return lines_; }

private:
    int code_;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> lines_;
};

class InsertPanel : public QWidget {
public:
    static constexpr int kHoverMs = 5000;

    // `choose` receives the PanelCode of a row pressed; `pageSetup` runs when
    // the Page Setup link below the rows is followed.
    explicit InsertPanel(std::function<void(int)> choose, std::function<void()> pageSetup = {},
                         QWidget* parent = nullptr);
    ~InsertPanel() override;
    // A press on row `index` (0-based), as the mouse gives it.
    void RowPressed(int index);
    // The pointer came over row `index`: it is raised, the others lowered,
    // and the panel's hover timer starts again; when it fires, all are lowered.
    void RowEntered(int index);
    void lowerRows();
    int raisedRow() const; // -1 when none
    QTimer& hoverTimer() { return hoverTimer_; }
    QIcon rowPicture(int index) const;
    // The link line is hidden while the Page Setup dialog shows.
    void setPageSetupLinkShown(bool shown);
    QLabel* pageSetupLink() const { return pageSetupLink_; }

private:
    class Row;

    std::function<void(int)> choose_;
    std::vector<Row*> rows_;
    QTimer hoverTimer_;
    QLabel* pageSetupLink_ = nullptr;
};

} // namespace vlm
