#include "shell/dialogs/speed_dialog.h"

#include "platform/ui_text.h"
#include "shell/dialogs/grid_options_dialog.h"
#include "texts/grid_texts.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace vlm {

namespace {


constexpr const char16_t* kBoxGuides[3] = {texts::kSpeedPicturesGuide, texts::kSpeedShadowsGuide,
                                           texts::kSpeed3DGuide};

} // namespace

SpeedDialog::SpeedDialog(SpeedOptions options, std::function<void(const SpeedOptions&)> apply,
                       std::function<void()> close, QWidget* parent)
    : QWidget(parent), options_(options), apply_(std::move(apply)), close_(std::move(close))
{
    auto* outer = new QVBoxLayout(this);
    const char16_t* captions[3] = {texts::kShowAllPictures, texts::kShowAllShadows, texts::kShowAll3D};
    bool* flags[3] = {&options_.showPictures, &options_.showShadows, &options_.show3DEffects};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(uiText(captions[i]), this);
        box->setAccessibleName(box->text());
        box->setChecked(*flags[i]);
        bool* flag = flags[i];
        connect(box, &QCheckBox::toggled, this, [flag](bool on) { *flag = on; });
        box->installEventFilter(this);
        outer->addWidget(box);
        boxes_[i] = box;
    }
    guidance_ = new QLabel(uiText(texts::kSpeedGuide), this);
    guidance_->setWordWrap(true);
    guidance_->setAccessibleName(guidance_->text());
    outer->addWidget(guidance_);
    outer->addStretch(1);
    AddFrameButtons(
        this, outer, texts::kButtonApply, [this] { Apply(); },
        [this] {
            if (close_)
                close_();
        });
}

void SpeedDialog::Apply()
{
    if (apply_)
        apply_(options_);
    if (close_)
        close_();
}

// The guidance says what the box under the pointer does.
bool SpeedDialog::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 3; ++i) {
        if (watched != boxes_[i])
            continue;
        if (event->type() == QEvent::Enter)
            guidance_->setText(uiText(kBoxGuides[i]));
        else if (event->type() == QEvent::Leave)
            guidance_->setText(uiText(texts::kSpeedGuide));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vlm
