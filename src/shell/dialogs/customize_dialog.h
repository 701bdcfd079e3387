#pragma once

// What the dialogs that customize a list have in common: the column of the
// twelve entry buttons under "Select" on the left, the fields of the open
// entry on the right (empty until a button is clicked), the guidance below
// them, and "Save" and "Cancel". The frame works on a working copy of the
// entries; only "Save" hands it on.

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <map>

class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QLabel;
class QVBoxLayout;

namespace vlm {

class CustomizeDialog : public QWidget
{
public:
    QAbstractButton* entryButton(int k) const { return buttons_[static_cast<std::size_t>(k - 1)]; }
    QLabel* guidance() const { return guidance_; }
    // The fields of the open entry; null before one was opened.
    QWidget* pane() const { return pane_; }
    int openEntry() const { return open_; }
    // The guidance paragraphs shown, as plain text.
    const QStringList& guidanceTexts() const { return shownGuide_; }

    // As a click on the button of entry k (1..12).
    void clickEntry(int k);
    // "Save": the working copy is saved, then the window closes.
    void Save();
    void Cancel();

protected:
    // `close` hides the popup; `save` runs on "Save" before it.
    CustomizeDialog(std::function<void()> save, std::function<void()> close, QWidget* parent);

    // Builds the frame; the subclass calls it from its constructor once its
    // working copy exists. `below` may hold fields shown under the pane
    // whatever entry is open (the shadows' light direction).
    void build(const QStringList& openingGuide, QWidget* below = nullptr);

    virtual QString entryName(int k) const = 0;
    // Fills `pane` with the fields of entry k and returns the guidance it
    // shows.
    virtual QStringList fillPane(int k, QVBoxLayout* pane) = 0;

    // The guidance now, and the guidance while the pointer rests on
    // `control` (after it leaves, the guidance of the moment comes back).
    void setGuidance(const QStringList& paragraphs);
    void setHover(QWidget* control, const QStringList& paragraphs);
    // The button of the open entry takes its name again.
    void renameOpenButton();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGuide(const QStringList& paragraphs);

    std::function<void()> save_;
    std::function<void()> close_;
    std::array<QAbstractButton*, 12> buttons_{};
    QButtonGroup* group_ = nullptr;
    QBoxLayout* paneHolder_ = nullptr;
    QWidget* pane_ = nullptr;
    QLabel* guidance_ = nullptr;
    QStringList guide_;
    QStringList shownGuide_;
    std::map<QObject*, QStringList> hovers_;
    int open_ = 0;
    bool opening_ = false;
};

// The guidance as rich text: paragraphs one under the other, "zero to
// remove" in bold.
QString GuidanceHtml(const QStringList& paragraphs);

} // namespace vlm
