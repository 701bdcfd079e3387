#include "shell/clip_look_controls.h"

#include "render/pens.h"
#include "texts/picture_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>

#include <cmath>

namespace vlm {

namespace {

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

constexpr ShadowChoice kBuiltInShadows[4] = {{0, 0, 0}, {30, 10, 100}, {50, 20, 110}, {70, 30, 120}};
const char16_t* const kShadowNames[4] = {texts::kShadowNone, texts::kShadowSlight, texts::kShadowMedium,
                                         texts::kShadowBroad};

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

} // namespace

ClipLookControls::ClipLookControls(const Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings)
{
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    frame_ = List(Text(texts::kFrameCaption), this);
    color_ = List(Text(texts::kFrameColorCaption), this);
    shadow_ = List(Text(texts::kShadowCaption), this);
    surface_ = List(Text(texts::kFrame3DCaption), this);
    form->addRow(Text(texts::kFrameCaption), frame_);
    form->addRow(Text(texts::kFrameColorCaption), color_);
    form->addRow(Text(texts::kShadowCaption), shadow_);
    form->addRow(Text(texts::kFrame3DCaption), surface_);
    fill();
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
    for (const NamedWeight& w : kFrameWeights)
        frame_->addItem(Text(w.name), w.mm);
    frameCustomize_ = frame_->count();
    frame_->addItem(Text(texts::kCustomize));
    for (const custThicknessRec_t& e : settings_.customWidths)
        if (e.inUse)
            frame_->addItem(QString::fromStdU16String(e.name), e.millimetres);

    for (const NamedColor& c : kBuiltInColors)
        color_->addItem(Swatch(c.color), Text(c.name), c.color);
    colorCustomize_ = color_->count();
    color_->addItem(Text(texts::kCustomize));
    for (const std::int32_t c : settings_.recentColors)
        if (c != kNoColor)
            color_->addItem(Swatch(c), QString(), c);

    for (int i = 0; i < 4; ++i)
        shadow_->addItem(Text(kShadowNames[i]));
    shadowCustomize_ = shadow_->count();
    shadow_->addItem(Text(texts::kCustomize));
    for (const custShadowRec_t& s : settings_.customShadows)
        if (s.offered)
            shadow_->addItem(QString::fromStdU16String(s.name),
                             QList<QVariant>{s.elevation, s.fade, s.lightness});

    surface_->addItem(Text(texts::kSurfaceFlat));
    surface_->addItem(Text(texts::kSurfaceRound));
}

void ClipLookControls::setFramed(bool framed)
{
    color_->setEnabled(framed);
    surface_->setEnabled(framed);
}

void ClipLookControls::showValues(std::optional<double> frameMm, std::optional<std::int32_t> color,
                                  std::optional<ShadowChoice> shadow, std::optional<std::uint8_t> surface)
{
    int f = -1;
    if (frameMm)
        for (int i = 0; i < frame_->count() && f < 0; ++i)
            if (i != frameCustomize_ && std::abs(frame_->itemData(i).toDouble() - *frameMm) < 0.0001)
                f = i;
    frame_->setCurrentIndex(f);
    lastFrame_ = f;
    setFramed(frameMm && *frameMm > 0.0);

    int c = -1;
    if (color) {
        // The sixteen colours first; among the swatches the last match counts.
        for (int i = 0; i < colorCustomize_ && c < 0; ++i)
            if (color_->itemData(i).toInt() == *color)
                c = i;
        const bool builtIn = c >= 0;
        for (int i = colorCustomize_ + 1; !builtIn && i < color_->count(); ++i)
            if (color_->itemData(i).toInt() == *color)
                c = i;
    }
    color_->setCurrentIndex(c);
    lastColor_ = c;

    int s = -1;
    if (shadow) {
        for (int i = 0; i < 4 && s < 0; ++i)
            if (kBuiltInShadows[i] == *shadow)
                s = i;
        for (int i = shadowCustomize_ + 1; i < shadow_->count() && s < 0; ++i) {
            const QList<QVariant> v = shadow_->itemData(i).toList();
            if (v.size() == 3 && ShadowChoice{std::uint8_t(v[0].toInt()), std::uint8_t(v[1].toInt()),
                                              std::uint8_t(v[2].toInt())} == *shadow)
                s = i;
        }
    }
    shadow_->setCurrentIndex(s);
    lastShadow_ = s;
    surface_->setCurrentIndex(surface ? (*surface == 0 ? 0 : 1) : -1);
}

void ClipLookControls::frameActivated(int index)
{
    if (index == frameCustomize_) {
        // The weight list is customized in its own window; the choice stays.
        frame_->setCurrentIndex(lastFrame_);
        return;
    }
    lastFrame_ = index;
    const double mm = frame_->itemData(index).toDouble();
    setFramed(index != 0);
    if (frameChosen)
        frameChosen(index != 0, mm);
}

void ClipLookControls::colorActivated(int index)
{
    std::int32_t chosen = 0;
    if (index == colorCustomize_) {
        const std::int32_t initial = lastColor_ >= 0 ? color_->itemData(lastColor_).toInt() : 0;
        const std::optional<std::int32_t> picked = customColor ? customColor(initial) : std::nullopt;
        if (!picked) {
            color_->setCurrentIndex(lastColor_);
            return;
        }
        chosen = *picked;
        color_->addItem(Swatch(chosen), QString(), chosen);
        color_->setCurrentIndex(color_->count() - 1);
    } else {
        chosen = color_->itemData(index).toInt();
    }
    lastColor_ = color_->currentIndex();
    if (colorChosen)
        colorChosen(chosen);
}

void ClipLookControls::shadowActivated(int index)
{
    if (index == shadowCustomize_) {
        shadow_->setCurrentIndex(lastShadow_);
        return;
    }
    lastShadow_ = index;
    ShadowChoice s;
    if (index < 4) {
        s = kBuiltInShadows[index];
    } else {
        const QList<QVariant> v = shadow_->itemData(index).toList();
        if (v.size() == 3)
            s = {std::uint8_t(v[0].toInt()), std::uint8_t(v[1].toInt()), std::uint8_t(v[2].toInt())};
    }
    if (shadowChosen)
        shadowChosen(s);
}

} // namespace vlm
