#include "shell/panels/clip_look_controls.h"

#include "platform/ui_text.h"
#include "render/pens.h"
#include "texts/picture_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>

#include <cmath>

namespace vlm {

namespace {

constexpr int kFrameWeightsPage = 9;
constexpr int kShadowsPage = 63;


QIcon Swatch(std::int32_t color)
{
    QPixmap p(16, 12);
    p.fill(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    return QIcon(p);
}

QComboBox* List(const QString& name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setAccessibleName(name);
    box->setToolTip(name);
    return box;
}

// The entries of a list by name; swatches carry no text.
void Show(QComboBox* box, const FilledList& list)
{
    box->clear();
    for (const ListEntry& e : list.entries) {
        const QString name = QString::fromStdU16String(e.name);
        if (list.kind == ListKind::Colors && e.role != ListEntry::Role::Customize)
            box->addItem(Swatch(e.color), name);
        else
            box->addItem(name);
    }
}

ShadowChoice ChoiceOf(const ShadowBytes& b)
{
    return {b.elevation, b.fade, b.lightness};
}

} // namespace

ClipLookControls::ClipLookControls(Settings& settings, QWidget* parent) : QWidget(parent), settings_(settings)
{
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    frame_ = List(uiText(texts::kFrameCaption), this);
    color_ = List(uiText(texts::kFrameColorCaption), this);
    shadow_ = List(uiText(texts::kShadowCaption), this);
    surface_ = List(uiText(texts::kFrame3DCaption), this);
    form->addRow(uiText(texts::kFrameCaption), frame_);
    form->addRow(uiText(texts::kFrameColorCaption), color_);
    form->addRow(uiText(texts::kShadowCaption), shadow_);
    form->addRow(uiText(texts::kFrame3DCaption), surface_);
    fill();
    surface_->addItem(uiText(texts::kSurfaceFlat));
    surface_->addItem(uiText(texts::kSurfaceRound));
    connect(frame_, &QComboBox::activated, this, [this](int i) { frameActivated(i); });
    connect(color_, &QComboBox::activated, this, [this](int i) { colorActivated(i); });
    connect(shadow_, &QComboBox::activated, this, [this](int i) { shadowActivated(i); });
    connect(surface_, &QComboBox::activated, this, [this](int i) {
        if (surfaceChosen)
            surfaceChosen(i == 0 ? 0 : 127);
    });
}

void ClipLookControls::fill()
{
    // Neither list consumes a weight or shadow saved for the next Item.
    frames_ = FillList(ListKind::FrameWeights, settings_);
    Show(frame_, frames_);
    fillColors();
    shadows_ = FillList(ListKind::Shadows, settings_);
    Show(shadow_, shadows_);
}

void ClipLookControls::fillColors()
{
    colors_ = FillList(ListKind::Colors, settings_);
    Show(color_, colors_);
}

void ClipLookControls::refill()
{
    const auto valueAt = [](const FilledList& l, int p) -> const ListEntry* {
        return p >= 0 && p < static_cast<int>(l.entries.size()) ? &l.entries[static_cast<std::size_t>(p)]
                                                                : nullptr;
    };
    const ListEntry* f = valueAt(frames_, lastFrame_);
    const ListEntry* c = valueAt(colors_, lastColor_);
    const ListEntry* s = valueAt(shadows_, lastShadow_);
    const std::optional<double> frameMm = f ? std::optional<double>(f->value) : std::nullopt;
    const std::optional<std::int32_t> color = c ? std::optional<std::int32_t>(c->color) : std::nullopt;
    const std::optional<ShadowChoice> shadow =
        s ? std::optional<ShadowChoice>(ChoiceOf(s->shadow)) : std::nullopt;
    const int surface = surface_->currentIndex();
    const bool framed = color_->isEnabled();
    fill();
    showValues(frameMm, color, shadow,
               surface < 0 ? std::nullopt : std::optional<std::uint8_t>(surface == 0 ? 0 : 127));
    setFramed(framed);
}

void ClipLookControls::setFramed(bool framed)
{
    color_->setEnabled(framed);
    surface_->setEnabled(framed);
}

void ClipLookControls::showValues(std::optional<double> frameMm, std::optional<std::int32_t> color,
                                  std::optional<ShadowChoice> shadow, std::optional<std::uint8_t> surface)
{
    const int f = frameMm ? SelectValue(frames_, *frameMm) : -1;
    frame_->setCurrentIndex(f);
    lastFrame_ = f;
    setFramed(frameMm && *frameMm > 0.0);

    const int c = color ? SelectValue(colors_, *color) : -1;
    color_->setCurrentIndex(c);
    lastColor_ = c;

    const int s = shadow ? SelectShadow(shadows_, {shadow->elevation, shadow->fade, shadow->lightness}) : -1;
    shadow_->setCurrentIndex(s);
    lastShadow_ = s;
    surface_->setCurrentIndex(surface ? (*surface == 0 ? 0 : 1) : -1);
}

void ClipLookControls::frameActivated(int index)
{
    if (index == frames_.customizeAt) {
        // The weights are customized in their own window; the list is
        // filled again when it closes.
        frame_->setCurrentIndex(lastFrame_);
        if (customize)
            customize(kFrameWeightsPage);
        return;
    }
    if (index < 0 || index >= static_cast<int>(frames_.entries.size()))
        return;
    lastFrame_ = index;
    const double mm = frames_.entries[static_cast<std::size_t>(index)].value;
    setFramed(index != 0);
    if (frameChosen)
        frameChosen(index != 0, mm);
}

void ClipLookControls::colorActivated(int index)
{
    std::int32_t chosen = 0;
    if (index == colors_.customizeAt) {
        const std::int32_t initial =
            lastColor_ >= 0 ? colors_.entries[static_cast<std::size_t>(lastColor_)].color : 0;
        const std::optional<std::int32_t> picked = customColor ? customColor(initial) : std::nullopt;
        if (!picked) {
            color_->setCurrentIndex(lastColor_);
            return;
        }
        chosen = *picked;
        // The colour is offered now, as a recent colour or one of the
        // dialog's own.
        fillColors();
        color_->setCurrentIndex(SelectValue(colors_, chosen));
    } else if (index >= 0 && index < static_cast<int>(colors_.entries.size())) {
        chosen = colors_.entries[static_cast<std::size_t>(index)].color;
    } else {
        return;
    }
    lastColor_ = color_->currentIndex();
    if (colorChosen)
        colorChosen(chosen);
}

void ClipLookControls::shadowActivated(int index)
{
    if (index == shadows_.customizeAt) {
        shadow_->setCurrentIndex(lastShadow_);
        if (customize)
            customize(kShadowsPage);
        return;
    }
    if (index < 0 || index >= static_cast<int>(shadows_.entries.size()))
        return;
    lastShadow_ = index;
    if (shadowChosen)
        shadowChosen(ChoiceOf(shadows_.entries[static_cast<std::size_t>(index)].shadow));
}

} // namespace vlm
