#include "shell/dialogs/shadow_dialog.h"

#include "platform/ui_text.h"
#include "render/shadow_sample.h"
#include "settings/settings.h"
#include "texts/customize_texts.h"
#include "texts/fine_tune_texts.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>
#include <QVBoxLayout>

namespace vlm {

namespace {


QStringList EntryGuide(const char16_t* hover)
{
    return {uiText(texts::kShadowEntryGuide), uiText(hover)};
}

} // namespace

ShadowDialog::ShadowDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
                 QWidget* parent)
    : CustomizeDialog(
          [this, &settings, saved] {
              copy_.Save(settings);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      settings_(settings), copy_(settings)
{
    build({uiText(texts::kShadowsGuide), uiText(texts::kWhenDone)}, makeLightBoxes());
}

QWidget* ShadowDialog::makeLightBoxes()
{
    auto* group = new QGroupBox(uiText(texts::kLightHeading), this);
    auto* column = new QVBoxLayout(group);
    const char16_t* captions[4] = {texts::kLightTopLeft, texts::kLightTopRight, texts::kLightBottomLeft,
                                   texts::kLightBottomRight};
    for (int d = 0; d < 4; ++d) {
        auto* box = new QCheckBox(uiText(captions[d]), group);
        box->setAccessibleName(box->text());
        box->setChecked(d == copy_.lightDirection());
        column->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, d] { chooseLight(d); });
        setHover(box, {uiText(texts::kLightHover), uiText(texts::kLightAppliesToAll)});
        lights_[static_cast<std::size_t>(d)] = box;
    }
    return group;
}

QString ShadowDialog::entryName(int k) const
{
    return QString::fromStdU16String(copy_.entries()[static_cast<std::size_t>(k - 1)].name);
}

QString ShadowDialog::showCaption() const
{
    const custShadowRec_t* e = copy_.openEntry();
    const QString name = e ? QString::fromStdU16String(e->name) : QString();
    return uiText(texts::kShowShadowBefore) + QStringLiteral(" '") + name + QStringLiteral("' ") +
           uiText(texts::kShowShadowAfter);
}

QStringList ShadowDialog::fillPane(int k, QVBoxLayout* pane)
{
    copy_.Open(k);
    const custShadowRec_t& e = *copy_.openEntry();
    QWidget* parent = pane->parentWidget();
    auto* form = new QFormLayout;
    pane->addLayout(form);

    name_ = new QLineEdit(QString::fromStdU16String(e.name), parent);
    name_->setAccessibleName(uiText(texts::kLabelName));
    form->addRow(uiText(texts::kLabelName), name_);
    setHover(name_, EntryGuide(texts::kShadowNameHover));
    connect(name_, &QLineEdit::textChanged, parent, [this](const QString& t) {
        copy_.SetName(t.toStdU16String());
        renameOpenButton();
        show_->setText(showCaption());
        show_->setAccessibleName(show_->text());
        show_->setChecked(copy_.openEntry()->offered != 0);
    });

    const char16_t* names[3] = {texts::kSliderElevation, texts::kSliderFade, texts::kSliderLightness};
    const char16_t* hovers[3] = {texts::kElevationHover, texts::kFadeHover, texts::kLightnessHover};
    const int values[3] = {e.elevation, e.fade, e.lightness};
    for (int i = 0; i < 3; ++i) {
        auto* row = new QHBoxLayout;
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(0, 255);
        slider->setValue(values[i]);
        slider->setFocusPolicy(Qt::NoFocus);
        slider->setAccessibleName(uiText(names[i]));
        auto* label = new QLabel(QString::fromStdU16String(ShadowPercentText(values[i])), parent);
        label->setMinimumWidth(40);
        row->addWidget(slider, 1);
        row->addWidget(label);
        form->addRow(uiText(names[i]), row);
        connect(slider, &QSlider::valueChanged, label,
                [label](int v) { label->setText(QString::fromStdU16String(ShadowPercentText(v))); });
        slider->installEventFilter(this);
        setHover(slider, EntryGuide(hovers[i]));
        sliders_[static_cast<std::size_t>(i)] = slider;
        labels_[static_cast<std::size_t>(i)] = label;
    }

    show_ = new QCheckBox(showCaption(), parent);
    show_->setAccessibleName(show_->text());
    show_->setChecked(e.offered != 0);
    pane->addWidget(show_);
    setHover(show_, EntryGuide(texts::kShowShadowHover));
    connect(show_, &QCheckBox::clicked, parent, [this](bool on) { copy_.SetOffered(on); });

    sample_ = new QLabel(parent);
    sample_->setAccessibleName(uiText(texts::kShadowSampleName));
    sample_->setFixedSize(kShadowSampleWidth, kShadowSampleHeight);
    pane->addWidget(sample_);
    redrawSample();
    return {uiText(texts::kShadowEntryGuide), uiText(texts::kWhenDone)};
}

void ShadowDialog::slidersReleased()
{
    if (!copy_.openEntry())
        return;
    copy_.SetValues(sliders_[0]->value(), sliders_[1]->value(), sliders_[2]->value());
    show_->setChecked(copy_.openEntry()->offered != 0);
    redrawSample();
}

void ShadowDialog::chooseLight(int direction)
{
    copy_.SetLightDirection(direction);
    for (int d = 0; d < 4; ++d)
        lights_[static_cast<std::size_t>(d)]->setChecked(d == copy_.lightDirection());
    redrawSample();
}

void ShadowDialog::redrawSample()
{
    const custShadowRec_t* e = copy_.openEntry();
    if (!e || !sample_)
        return;
    const Bitmap picture = MakeShadowSample(e->elevation, e->fade, e->lightness, copy_.lightDirection(),
                                            static_cast<int>(settings_.screen.dpiY));
    sample_->setPixmap(QPixmap::fromImage(picture.image()));
}

bool ShadowDialog::eventFilter(QObject* watched, QEvent* event)
{
    for (QSlider* s : sliders_) {
        if (watched != s || !s)
            continue;
        // The sliders are moved with the mouse only, and take effect when
        // it is let go.
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::MouseButtonRelease) {
            s->event(event); // the slider settles first
            slidersReleased();
            return true;
        }
    }
    return CustomizeDialog::eventFilter(watched, event);
}

} // namespace vlm
