#include "shell/panels/clip_panel.h"

#include "model/item.h"
#include "pictures/clip_adjust.h"
#include "pictures/clip_turns.h"
#include "platform/ui_text.h"
#include "shell/panels/clip_look_controls.h"
#include "texts/picture_texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


QString Plain(const char16_t* s)
{
    QString t = uiText(s);
    return t.remove(QStringLiteral("<u>")).remove(QStringLiteral("</u>"));
}

QLabel* Line(const char16_t* s, QWidget* parent)
{
    auto* label = new QLabel(uiText(s), parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setAccessibleName(Plain(s));
    return label;
}

} // namespace

ClipPanel::ClipPanel(Settings& settings, QWidget* parent) : QWidget(parent), settings_(settings)
{
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(uiText(texts::kFineTuneTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto* bar = new QHBoxLayout;
    const std::array<std::pair<const char16_t*, const char16_t*>, 5> faces = {{
        {texts::kFaceEditClip, texts::kHintEditClipBoundary},
        {texts::kFaceMirror, texts::kHintMirrorPicture},
        {texts::kFaceFlip, texts::kHintFlipPicture},
        {texts::kFaceTurnClockwise, texts::kHintRotatePicture},
        {texts::kFaceTurnCounterClockwise, texts::kHintRotatePicture},
    }};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QToolButton(this);
        b->setText(uiText(faces[i].first));
        b->setToolTip(uiText(faces[i].second));
        b->setAccessibleName(uiText(faces[i].second));
        b->setAutoRaise(true);
        buttons_[i] = b;
        bar->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, i] { runButton(static_cast<Button>(i)); });
    }
    bar->addStretch(1);
    layout->addLayout(bar);

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(uiText(texts::kFineTuneTitle));
    layout->addWidget(tabs_);

    auto* colors = new QWidget;
    auto* cl = new QVBoxLayout(colors);
    const std::array<const char16_t*, 3> names = {texts::kSaturation, texts::kContrast, texts::kLightness};
    const std::array<const char16_t*, 3> hints = {texts::kHintSaturation, texts::kHintContrast,
                                                  texts::kHintLightness};
    for (int i = 0; i < 3; ++i) {
        cl->addWidget(new QLabel(uiText(names[i]), colors));
        auto* s = new QSlider(Qt::Horizontal, colors);
        s->setRange(kEffectSliderMin, kEffectSliderMax);
        s->setTickInterval(32);
        s->setTickPosition(QSlider::TicksBelow);
        s->setValue(0);
        s->setAccessibleName(uiText(names[i]));
        s->setToolTip(uiText(hints[i]));
        sliders_[i] = s;
        cl->addWidget(s);
        percents_[i] = new QLabel(uiText(texts::kNormal), colors);
        percents_[i]->setAccessibleName(uiText(names[i]));
        cl->addWidget(percents_[i]);
        cl->addWidget(Line(hints[i], colors));
        connect(s, &QSlider::sliderMoved, this, [this, i](int p) { sliderMoved(i, p); });
        connect(s, &QSlider::sliderReleased, this, [this] { slidersReleased(); });
    }
    cl->addStretch(1);
    tabs_->addTab(colors, uiText(texts::kTabColors));

    auto* effects = new QWidget;
    auto* el = new QVBoxLayout(effects);
    look_ = new ClipLookControls(settings_, effects);
    el->addWidget(look_);
    el->addWidget(Line(texts::kHintFrameWidthPlain, effects));
    el->addWidget(Line(texts::kHintFrameColorPlain, effects));
    newClipLink_ = Line(texts::kHintInsertNewClip, effects);
    newClipLink_->setCursor(Qt::PointingHandCursor);
    newClipLink_->installEventFilter(this);
    el->addWidget(newClipLink_);
    el->addStretch(1);
    tabs_->addTab(effects, uiText(texts::kTabEffects));

    editLink_ = Line(texts::kHintEditThisClip, this);
    editLink_->setCursor(Qt::PointingHandCursor);
    editLink_->installEventFilter(this);
    layout->addWidget(editLink_);
    layout->addStretch(1);

    tabs_->setCurrentIndex(settings_.clipPanelTab == 2 ? 1 : 0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int i) { settings_.clipPanelTab = i + 1; });

    auto change = [this](std::function<void(Item&)> f) {
        if (changeClips)
            changeClips(f);
    };
    look_->frameChosen = [this, change](bool framed, double mm) {
        const ScreenMetrics metrics = settings_.screen;
        change([framed, mm, metrics](Item& c) {
            c.rec.d.framed = framed ? 1 : 0;
            if (framed)
                SetWeight(c, mm, metrics);
        });
    };
    look_->colorChosen = [change](std::int32_t color) {
        change([color](Item& c) { c.rec.d.lineColor = color; });
    };
    look_->shadowChosen = [change](const ShadowChoice& s) {
        change([s](Item& c) {
            c.rec.d.shadowElevation = s.elevation;
            c.rec.d.shadowFade = s.fade;
            c.rec.d.shadowLightness = s.lightness;
        });
    };
    look_->surfaceChosen = [change](std::uint8_t s) { change([s](Item& c) { c.rec.d.surface = s; }); };
}

void ClipPanel::showSelection(const ItemList& items)
{
    for (int i = 0; i < 3; ++i) {
        const auto v = CommonClipValue(items, [i](const Item& c) { return c.rec.d.colorEffects[i]; });
        const int position =
            v ? (i == 2 ? LightnessSlider(static_cast<std::int32_t>(*v)) : static_cast<int>(*v)) : 0;
        sliders_[i]->setValue(position);
        percents_[i]->setText(QString::fromStdU16String(EffectSliderLabel(sliders_[i]->value())));
    }
    const auto framed = CommonClipValue(items, [](const Item& c) { return std::int64_t{c.rec.d.framed}; });
    const auto width =
        CommonClipValue(items, [](const Item& c) { return std::llround(c.rec.d.weight * 10000); });
    std::optional<double> frame;
    if (framed && *framed == 0)
        frame = 0.0;
    else if (framed && width)
        frame = static_cast<double>(*width) / 10000;
    const auto color = CommonClipValue(items, [](const Item& c) { return std::int64_t{c.rec.d.lineColor}; });
    const auto shadow = CommonClipValue(items, [](const Item& c) {
        return std::int64_t{c.rec.d.shadowElevation} << 16 | std::int64_t{c.rec.d.shadowFade} << 8 |
               c.rec.d.shadowLightness;
    });
    const auto surface = CommonClipValue(items, [](const Item& c) { return std::int64_t{c.rec.d.surface}; });
    std::optional<ShadowChoice> s;
    if (shadow)
        s = ShadowChoice{std::uint8_t(*shadow >> 16), std::uint8_t(*shadow >> 8), std::uint8_t(*shadow)};
    look_->showValues(
        frame, color ? std::optional<std::int32_t>(static_cast<std::int32_t>(*color)) : std::nullopt, s,
        surface ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*surface)) : std::nullopt);
    tabs_->setCurrentIndex(settings_.clipPanelTab == 2 ? 1 : 0);
}

void ClipPanel::sliderMoved(int index, int position)
{
    percents_[index]->setText(QString::fromStdU16String(EffectSliderLabel(position)));
}

void ClipPanel::slidersReleased()
{
    const int s = sliders_[0]->value(), c = sliders_[1]->value(), l = sliders_[2]->value();
    for (int i = 0; i < 3; ++i)
        percents_[i]->setText(QString::fromStdU16String(EffectSliderLabel(sliders_[i]->value())));
    if (changeClips)
        changeClips([s, c, l](Item& clip) {
            clip.rec.d.colorEffects[0] = s;
            clip.rec.d.colorEffects[1] = c;
            clip.rec.d.colorEffects[2] = StoredLightness(l);
        });
}

void ClipPanel::runButton(Button b)
{
    const ScreenMetrics metrics = settings_.screen;
    switch (b) {
    case Button::EditBoundary:
        if (openPicture)
            openPicture(PictureInsert::EditClip);
        return;
    case Button::Mirror:
        if (changeClips)
            changeClips([metrics](Item& c) { MirrorClip(c, metrics); });
        return;
    case Button::Flip:
        if (changeClips)
            changeClips([metrics](Item& c) { FlipClip(c, metrics); });
        return;
    case Button::TurnClockwise:
        if (changeClips)
            changeClips([metrics](Item& c) { TurnClipClockwise(c, metrics); });
        return;
    case Button::TurnCounterClockwise:
        if (changeClips)
            changeClips([metrics](Item& c) { TurnClipCounterClockwise(c, metrics); });
        return;
    }
}

void ClipPanel::linePressed(int index)
{
    if (openPicture)
        openPicture(index == 0 ? PictureInsert::EditClip : PictureInsert::NewClip);
}

bool ClipPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == editLink_ || watched == newClipLink_)) {
        linePressed(watched == editLink_ ? 0 : 1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vlm
