#pragma once

// The hint page of the left column (HintPanel): the paragraphs of one page
// in their boxes, key words bold, the key phrase of an acting paragraph
// underlined (blue while the pointer rests on it), and the box that turns the
// page off. What a paragraph or the box does is its owner's business.

#include "guidance/hint_pages.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;

namespace vlm {

class HintParagraphBox;

class HintPanel : public QWidget
{
public:
    explicit HintPanel(QWidget* parent = nullptr);

    // Shows `page`; the box is checked when the page is turned off.
    void setPage(const HintPage& page, bool turnedOff);
    const HintPage& page() const { return page_; }

    // The paragraph (0..3) the pointer rests on, drawn with its key phrase
    // in blue; -1: every paragraph plain.
    void setHovered(int paragraph);
    int hovered() const { return hovered_; }
    void hideParagraph(int paragraph);

    // The box of paragraph 0..3 (the fourth paragraph sits below the
    // check box).
    QLabel* paragraphBox(int paragraph) const;
    QCheckBox* checkBox() const { return check_; }
    QLabel* checkLabel() const { return checkLabel_; }

    // The pointer came to rest on a paragraph (0..3), or onto the page
    // outside them (-1).
    std::function<void(int paragraph)> pointerOver;
    std::function<void(int paragraph)> clicked;
    // The user checked or unchecked the box.
    std::function<void(bool checked)> checkChanged;

    // Rich text of a paragraph: key words bold, the key phrase underlined,
    // blue when `hovered`.
    static QString ParagraphHtml(const HintParagraph& paragraph, bool hovered);

protected:
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render(int paragraph);

    HintPage page_;
    int hovered_ = -1;
    bool loading_ = false;
    QWidget* content_ = nullptr;
    std::array<HintParagraphBox*, 4> boxes_{};
    QWidget* checkRow_ = nullptr;
    QCheckBox* check_ = nullptr;
    QLabel* checkLabel_ = nullptr;
};

} // namespace vlm
