#include "shell/dialogs/picture_dialog.h"

#include "model/rounding.h"
#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "shell/panels/clip_look_controls.h"
#include "texts/picture_texts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {


// Hint lines mark their emphasised words with <u> and <b>; rich text shows
// them as they are.
QLabel* HintLine(const char16_t* line, QWidget* parent)
{
    auto* label = new QLabel(uiText(line), parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    QString plain = uiText(line);
    plain.remove(QStringLiteral("<u>")).remove(QStringLiteral("</u>"));
    plain.remove(QStringLiteral("<b>")).remove(QStringLiteral("</b>"));
    label->setAccessibleName(plain);
    return label;
}

constexpr int kMarkerHalf = 4;
constexpr int kHoldMs = 200;

} // namespace

// ---- PictureArea ----

PictureArea::PictureArea(PictureDialog& dialog, QWidget* parent) : QWidget(parent), dialog_(dialog)
{
    setMouseTracking(true);
    setAccessibleName(uiText(texts::kPreviewTitle));
}

void PictureArea::updateSize()
{
    const Bitmap& shown = dialog_.session().shown();
    setFixedSize(std::min(shown.width(), kMaxShownSide), std::min(shown.height(), kMaxShownSide));
    update();
}

void PictureArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // On a dense screen the picture is drawn from its finer copy, one of
    // its pixels on each device pixel; outlines and Markers stay in shown
    // pixels, which the painter scales.
    dialog_.session().setDeviceRatio(devicePixelRatioF());
    const PictureSession& s = dialog_.session();
    const double ratio = s.deviceRatio();
    if (ratio == 1.0 && !s.shown().isNull()) {
        p.drawImage(QPoint(0, 0), s.shown().image(), QRect(0, 0, width(), height()));
    } else if (!s.sharpShown().isNull()) {
        const QRectF source(0, 0, std::min<double>(width() * ratio, s.sharpShown().width()),
                            std::min<double>(height() * ratio, s.sharpShown().height()));
        p.drawImage(QRectF(0, 0, source.width() / ratio, source.height() / ratio), s.sharpShown().image(), source);
    }
    for (const Item* o : s.liveOutlines()) {
        const DrawingFields& d = o->rec.d;
        const QPoint a = s.toDisplay({d.x1, d.y1}), b = s.toDisplay({d.x2, d.y2});
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::NoBrush);
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1)
                p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            if (d.kind == kRoundOutline) {
                const double r = std::hypot(b.x() - a.x(), b.y() - a.y());
                p.drawEllipse(QPointF(a), r, r);
            } else {
                p.drawRect(QRect(a, b).normalized());
            }
        }
        if (d.selected) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(0, 255, 255));
            for (const QPoint m : PictureSession::markerPoints(*o)) {
                const QPoint c = s.toDisplay(m);
                p.drawRect(c.x() - kMarkerHalf, c.y() - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf);
            }
        }
    }
    if (const auto band = dialog_.rubberBand()) {
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        if (dialog_.tool() == PictureDialog::ToolRound) {
            const double r =
                std::hypot(band->second.x() - band->first.x(), band->second.y() - band->first.y());
            p.drawEllipse(QPointF(band->first), r, r);
        } else {
            p.drawRect(QRect(band->first, band->second).normalized());
        }
    }
}

void PictureArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dialog_.areaMouseDown(event->position().toPoint());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event)
{
    dialog_.areaMouseMove(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dialog_.areaMouseUp(event->position().toPoint());
}

// ---- PictureDialogTabs ----

PictureDialogTabs::PictureDialogTabs(PictureDialog& dialog, Settings& settings, QWidget* parent) : QWidget(parent), dialog_(dialog)
{
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(uiText(texts::kPreviewTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(uiText(texts::kPreviewTitle));
    layout->addWidget(tabs_);

    auto* clips = new QWidget;
    auto* cl = new QVBoxLayout(clips);
    auto* modeLabel = new QLabel(uiText(texts::kInsertCaption), clips);
    cl->addWidget(modeLabel);
    mode_ = new QComboBox(clips);
    modeLabel->setBuddy(mode_);
    mode_->setAccessibleName(uiText(texts::kInsertCaption));
    mode_->addItems(
        {uiText(texts::kInsertEntireImage), uiText(texts::kInsertClips), uiText(texts::kInsertRoundClips)});
    cl->addWidget(mode_);
    connect(mode_, &QComboBox::activated, this, [this](int m) { dialog_.chooseInsertMode(m); });
    auto* summary = new QGroupBox(uiText(texts::kSummary), clips);
    auto* sl = new QGridLayout(summary);
    rectCount_ = new QLabel(summary);
    roundCount_ = new QLabel(summary);
    rectCount_->setAccessibleName(uiText(texts::kRectangularClips));
    roundCount_->setAccessibleName(uiText(texts::kRoundClips));
    sl->addWidget(new QLabel(uiText(texts::kRectangularClips), summary), 0, 0);
    sl->addWidget(rectCount_, 0, 1);
    sl->addWidget(new QLabel(uiText(texts::kRoundClips), summary), 1, 0);
    sl->addWidget(roundCount_, 1, 1);
    cl->addWidget(summary);
    for (int i = 0; i < 4; ++i) {
        auto* line = HintLine(u"", clips);
        line->installEventFilter(this);
        lines_.push_back(line);
        cl->addWidget(line);
    }
    cl->addStretch(1);
    tabs_->addTab(clips, uiText(texts::kTabClips));

    auto* effects = new QWidget;
    auto* el = new QVBoxLayout(effects);
    look_ = new ClipLookControls(settings, effects);
    el->addWidget(look_);
    for (const char16_t* line :
         {texts::kHintFrameAfter, texts::kHintAdjustLater, texts::kHintFrameWidth, texts::kHintFrameColor})
        el->addWidget(HintLine(line, effects));
    el->addStretch(1);
    tabs_->addTab(effects, uiText(texts::kTabEffects));

    look_->showValues(
        settings.clframe ? settings.frwidth : 0.0, settings.frcolor,
        ShadowChoice{settings.shpict.elevation, settings.shpict.fade, settings.shpict.lightness},
        static_cast<std::uint8_t>(settings.frplas));
    look_->frameChosen = [&settings](bool framed, double mm) {
        settings.clframe = framed ? 1 : 0;
        settings.frwidth = mm;
    };
    look_->colorChosen = [&settings](std::int32_t c) { settings.frcolor = c; };
    look_->shadowChosen = [&settings](const ShadowChoice& s) {
        settings.shpict = {s.elevation, s.fade, s.lightness};
        settings.clshadw = s.elevation != 0 || s.fade != 0 || s.lightness != 0 ? 1 : 0;
    };
    look_->surfaceChosen = [&settings](std::uint8_t s) { settings.frplas = s; };
}

void PictureDialogTabs::refresh()
{
    const PictureSession& s = dialog_.session();
    mode_->setCurrentIndex(s.insertMode);
    rectCount_->setText(QString::number(s.count(kRectOutline)));
    roundCount_->setText(QString::number(s.count(kRoundOutline)));
    std::vector<const char16_t*> lines;
    if (s.insertMode == InsertEntireImage)
        lines = {texts::kHintSelectHow, texts::kHintZoomScale, texts::kHintThenInsert, texts::kHintOrOutline};
    else
        lines = {texts::kHintSelectHow,
                 s.insertMode == InsertRoundClips ? texts::kHintClickCentre : texts::kHintClickStart,
                 texts::kHintHoldDown, texts::kHintPointerAdjust};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        QLabel* fresh = HintLine(lines[i], nullptr);
        lines_[i]->setText(fresh->text());
        lines_[i]->setAccessibleName(fresh->accessibleName());
        delete fresh;
        const bool link = s.insertMode == InsertEntireImage && i >= 2;
        lines_[i]->setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void PictureDialogTabs::linePressed(int index)
{
    if (dialog_.session().insertMode != InsertEntireImage)
        return;
    if (index == 2)
        dialog_.insertCommand();
    else if (index == 3)
        dialog_.chooseInsertMode(InsertRectClips);
}

bool PictureDialogTabs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (watched == lines_[i]) {
                linePressed(static_cast<int>(i));
                return true;
            }
    return QWidget::eventFilter(watched, event);
}

// ---- PictureDialog ----

PictureDialog::PictureDialog(Settings& settings, PictureInsert mode, std::function<void()> insert,
             std::function<void()> cancel, QWidget* parent)
    : QWidget(parent), settings_(settings), mode_(mode),
      session_(std::make_unique<PictureSession>(settings.screen)), insertRun_(std::move(insert))
{
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMs);
    connect(&hold_, &QTimer::timeout, this, [this] { holdTimeout(); });

    auto* outer = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    outer->addLayout(bar);
    // Each button shows its picture; the face stays its text.
    auto add = [&](Button b, const char16_t* face, const char16_t* hint, const char* picture) {
        QToolButton* button = makeButton(b, face, hint, this);
        button->setIcon(ButtonPicture(QString::fromLatin1(picture)));
        button->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
        bar->addWidget(button);
    };
    add(Button::Pointer, texts::kFacePointer, texts::kHintSelectClip, "pointer");
    add(Button::Rect, texts::kFaceRectOutline, texts::kHintOutlineClip, "clip-rect");
    add(Button::Round, texts::kFaceRoundOutline, texts::kHintOutlineRoundClip, "clip-round");
    add(Button::Erase, texts::kFaceErase, texts::kHintEraseClip, "erase");
    add(Button::Mirror, texts::kFaceMirror, texts::kHintMirrorPicture, "mirror");
    add(Button::Flip, texts::kFaceFlip, texts::kHintFlipPicture, "flip");
    add(Button::TurnClockwise, texts::kFaceTurnClockwise, texts::kHintRotatePicture, "turn-right");
    add(Button::TurnCounterClockwise, texts::kFaceTurnCounterClockwise, texts::kHintRotatePicture, "turn-left");
    add(Button::Undo, texts::kFaceUndo, texts::kHintUndoOutline, "undo");
    add(Button::Redo, texts::kFaceRedo, texts::kHintRedoOutline, "redo");
    bar->addStretch(1);
    add(Button::ZoomOut, texts::kFaceZoomOut, texts::kHintZoomOut, "zoom-out");
    add(Button::ZoomIn, texts::kFaceZoomIn, texts::kHintZoomIn, "zoom-in");
    bar->addWidget(new QLabel(uiText(texts::kZoomCaption), this));
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setAccessibleName(uiText(texts::kZoomCaption));
    zoomLabel_->setMinimumWidth(40);
    bar->addWidget(zoomLabel_);
    track_ = new QSlider(Qt::Horizontal, this);
    track_->setRange(0, 300);
    track_->setTickInterval(25);
    track_->setTickPosition(QSlider::TicksBelow);
    track_->setValue(100);
    track_->setAccessibleName(uiText(texts::kZoomCaption));
    track_->setMinimumWidth(120);
    bar->addWidget(track_);
    connect(track_, &QSlider::sliderMoved, this, [this](int p) { trackMoved(p); });
    connect(track_, &QSlider::sliderReleased, this, [this] { trackReleased(track_->value()); });

    auto* middle = new QHBoxLayout;
    outer->addLayout(middle, 1);
    scroll_ = new QScrollArea(this);
    scroll_->setAccessibleName(uiText(texts::kPreviewTitle));
    area_ = new PictureArea(*this);
    scroll_->setWidget(area_);
    scroll_->setMinimumSize(420, 320);
    middle->addWidget(scroll_, 1);
    box_ = new PictureDialogTabs(*this, settings_, this);
    box_->setFixedWidth(230);
    middle->addWidget(box_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    insert_ = new QPushButton(uiText(texts::kPictureInsert), this);
    cancel_ = new QPushButton(uiText(texts::kPictureCancel), this);
    insert_->setAccessibleName(uiText(texts::kPictureInsert));
    cancel_->setAccessibleName(uiText(texts::kPictureCancel));
    insert_->setDefault(true);
    buttons->addWidget(insert_);
    buttons->addWidget(cancel_);
    outer->addLayout(buttons);
    connect(insert_, &QPushButton::clicked, this, [this] { insertCommand(); });
    connect(cancel_, &QPushButton::clicked, this, [cancel = std::move(cancel)] {
        if (cancel)
            cancel();
    });
    setTool(ToolPointer);
    afterPictureChanged();
}

PictureDialog::~PictureDialog() = default;

QToolButton* PictureDialog::makeButton(Button b, const char16_t* face, const char16_t* hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(uiText(face));
    button->setToolTip(uiText(hint));
    button->setAccessibleName(uiText(hint));
    button->setAutoRaise(true);
    buttons_[b] = button;
    if (b == Button::Pointer || b == Button::Rect || b == Button::Round) {
        // The tool buttons stay pressed; a press of any kind (the mouse, the
        // keyboard, an accessibility action) toggles them.
        button->setCheckable(true);
        connect(button, &QToolButton::toggled, this, [this, b, button](bool checked) {
            if (!checked) {
                const QSignalBlocker quiet(button);
                button->setChecked(true);
                return;
            }
            if (b == Button::Pointer)
                setTool(ToolPointer);
            else
                chooseInsertMode(b == Button::Rect ? InsertRectClips : InsertRoundClips);
        });
        return button;
    }
    connect(button, &QToolButton::clicked, this, [this, b] {
        switch (b) {
        case Button::Pointer:
        case Button::Rect:
        case Button::Round:
            break;
        case Button::Erase:
            eraseCommand();
            break;
        case Button::Mirror:
            mirrorCommand();
            break;
        case Button::Flip:
            flipCommand();
            break;
        case Button::TurnClockwise:
            turnClockwiseCommand();
            break;
        case Button::TurnCounterClockwise:
            turnCounterClockwiseCommand();
            break;
        case Button::Undo:
            undoCommand();
            break;
        case Button::Redo:
            redoCommand();
            break;
        case Button::ZoomOut:
            zoomOutCommand();
            break;
        case Button::ZoomIn:
            zoomInCommand();
            break;
        }
    });
    return button;
}

QSize PictureDialog::paneSize() const
{
    return scroll_->viewport()->size().expandedTo(QSize(420, 320)) + QSize(17, 17);
}

void PictureDialog::pictureChanged()
{
    afterPictureChanged();
}

void PictureDialog::afterPictureChanged()
{
    area_->updateSize();
    const int p = session_->loaded() ? session_->zoomPercent() : 100;
    zoomLabel_->setText(QString::number(p) + uiText(texts::kPercent));
    track_->setValue(p);
    afterOutlinesChanged();
}

void PictureDialog::afterOutlinesChanged()
{
    buttons_[Button::Erase]->setVisible(selectedOutline() != nullptr);
    buttons_[Button::Undo]->setEnabled(session_->canUndo());
    buttons_[Button::Redo]->setEnabled(session_->canRedo());
    box_->refresh();
    area_->update();
}

Item* PictureDialog::selectedOutline()
{
    for (const Item* o : session_->liveOutlines())
        if (o->rec.d.selected)
            return const_cast<Item*>(o);
    return nullptr;
}

void PictureDialog::setTool(int tool)
{
    tool_ = tool;
    firstFixed_ = dragging_ = false;
    hold_.stop();
    const std::pair<Button, bool> pressed[] = {{Button::Pointer, tool != ToolRect && tool != ToolRound},
                                               {Button::Rect, tool == ToolRect},
                                               {Button::Round, tool == ToolRound}};
    for (const auto& [b, checked] : pressed) {
        const QSignalBlocker quiet(buttons_[b]);
        buttons_[b]->setChecked(checked);
    }
    area_->setCursor(tool == ToolRect || tool == ToolRound ? Qt::CrossCursor : Qt::ArrowCursor);
    area_->update();
}

void PictureDialog::chooseInsertMode(int mode)
{
    session_->insertMode = std::clamp(mode, 0, 2);
    setTool(mode == InsertRectClips ? ToolRect : mode == InsertRoundClips ? ToolRound : ToolPointer);
    afterOutlinesChanged();
}

int PictureDialog::MarkerAt(const Item& outline, QPoint picturePoint, double zoom)
{
    const std::vector<QPoint> markers = PictureSession::markerPoints(outline);
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const double dx = (markers[i].x() - picturePoint.x()) * zoom,
                     dy = (markers[i].y() - picturePoint.y()) * zoom;
        if (std::abs(dx) <= kMarkerHalf + 1 && std::abs(dy) <= kMarkerHalf + 1)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::pair<QPoint, QPoint>> PictureDialog::rubberBand() const
{
    if ((tool_ == ToolRect || tool_ == ToolRound) && (firstFixed_ || dragging_))
        return std::make_pair(first_, current_);
    return std::nullopt;
}

void PictureDialog::areaMouseDown(QPoint p)
{
    if (!session_->loaded())
        return;
    buttonDown_ = true;
    press_ = current_ = p;
    if (tool_ == ToolRect || tool_ == ToolRound) {
        if (!firstFixed_)
            hold_.start();
        return;
    }
    if (tool_ != ToolPointer)
        return;
    const QPoint at = session_->toPicture(p);
    // The selected outline's markers first, then every other's.
    std::vector<const Item*> outlines = session_->liveOutlines();
    std::stable_partition(outlines.begin(), outlines.end(),
                          [](const Item* o) { return o->rec.d.selected != 0; });
    for (const Item* o : outlines) {
        const int m = MarkerAt(*o, at, session_->zoom());
        if (m < 0)
            continue;
        const bool round = o->rec.d.kind == kRoundOutline;
        reshaped_ = session_->beginReshape(*const_cast<Item*>(o));
        marker_ = m;
        if (reshaped_)
            tool_ = round ? ToolRoundMarker : ToolRectMarker;
        afterOutlinesChanged();
        return;
    }
}

void PictureDialog::areaMouseMove(QPoint p, bool buttonDown)
{
    current_ = p;
    if (tool_ == ToolRectMarker || tool_ == ToolRoundMarker) {
        if (reshaped_ && buttonDown)
            PictureSession::moveMarker(*reshaped_, marker_, session_->toPicture(p));
        area_->update();
        return;
    }
    if (tool_ == ToolPointer) {
        // The cursor tells which way a marker moves.
        Qt::CursorShape shape = Qt::ArrowCursor;
        const QPoint at = session_->toPicture(p);
        for (const Item* o : session_->liveOutlines()) {
            const int m = MarkerAt(*o, at, session_->zoom());
            if (m < 0)
                continue;
            if (m == 0)
                shape = Qt::SizeAllCursor;
            else if (o->rec.d.kind == kRoundOutline)
                shape = m % 2 == 1 ? Qt::SizeVerCursor : Qt::SizeHorCursor;
            else if (m == 1 || m == 3)
                shape = Qt::SizeFDiagCursor;
            else if (m == 2 || m == 4)
                shape = Qt::SizeBDiagCursor;
            else
                shape = m == 5 || m == 7 ? Qt::SizeVerCursor : Qt::SizeHorCursor;
            break;
        }
        area_->setCursor(shape);
        return;
    }
    if (firstFixed_ || dragging_)
        area_->update();
}

void PictureDialog::holdTimeout()
{
    hold_.stop();
    if (!buttonDown_ || firstFixed_ || (tool_ != ToolRect && tool_ != ToolRound))
        return;
    first_ = press_;
    dragging_ = true;
    area_->update();
}

void PictureDialog::createOutline(QPoint a, QPoint b)
{
    const std::int32_t kind = tool_ == ToolRound ? kRoundOutline : kRectOutline;
    session_->addOutline(kind, session_->toPicture(a), session_->toPicture(b));
    afterOutlinesChanged();
}

void PictureDialog::areaMouseUp(QPoint p)
{
    const bool wasDown = buttonDown_;
    buttonDown_ = false;
    hold_.stop();
    current_ = p;
    if (!session_->loaded() || !wasDown)
        return;
    if (tool_ == ToolRect || tool_ == ToolRound) {
        if (dragging_) {
            dragging_ = false;
            createOutline(first_, p);
        } else if (firstFixed_) {
            firstFixed_ = false;
            createOutline(first_, p);
        } else {
            first_ = p;
            firstFixed_ = true;
        }
        area_->update();
        return;
    }
    if (tool_ == ToolRectMarker || tool_ == ToolRoundMarker) {
        if (reshaped_)
            PictureSession::moveMarker(*reshaped_, marker_, session_->toPicture(p));
        reshaped_ = nullptr;
        marker_ = -1;
        tool_ = ToolPointer;
        afterOutlinesChanged();
        return;
    }
    // The pointer: the outline under the release point is selected.
    const QPoint at = session_->toPicture(p);
    Item* hit = nullptr;
    for (const Item* o : session_->liveOutlines()) {
        const DrawingFields& d = o->rec.d;
        bool inside = false;
        if (d.kind == kRoundOutline)
            inside = std::hypot(at.x() - d.x1, at.y() - d.y1) <= std::hypot(d.x2 - d.x1, d.y2 - d.y1);
        else
            inside = QRect(QPoint(d.x1, d.y1), QPoint(d.x2, d.y2)).normalized().contains(at);
        if (inside)
            hit = const_cast<Item*>(o); // the last drawn lies on top
    }
    SelectOnly(session_->outlines(), hit);
    afterOutlinesChanged();
}

bool PictureDialog::keyDown(QKeyEvent& event)
{
    if (event.key() == Qt::Key_Escape && firstFixed_ && (tool_ == ToolRect || tool_ == ToolRound)) {
        setTool(ToolPointer);
        return true;
    }
    if (event.key() == Qt::Key_Delete && tool_ == ToolPointer) {
        eraseCommand();
        return true;
    }
    return false;
}

void PictureDialog::eraseCommand()
{
    if (!session_->eraseSelected())
        setTool(ToolPointer);
    afterOutlinesChanged();
}

void PictureDialog::mirrorCommand()
{
    session_->mirror();
    afterPictureChanged();
}

void PictureDialog::flipCommand()
{
    session_->flip();
    afterPictureChanged();
}

void PictureDialog::turnClockwiseCommand()
{
    session_->turnClockwise();
    afterPictureChanged();
}

void PictureDialog::turnCounterClockwiseCommand()
{
    session_->turnCounterClockwise();
    afterPictureChanged();
}

void PictureDialog::undoCommand()
{
    session_->undo();
    afterOutlinesChanged();
}

void PictureDialog::redoCommand()
{
    session_->redo();
    afterOutlinesChanged();
}

void PictureDialog::zoomOutCommand()
{
    session_->zoomOut();
    afterPictureChanged();
}

void PictureDialog::zoomInCommand()
{
    session_->zoomIn();
    afterPictureChanged();
}

void PictureDialog::trackMoved(int position)
{
    zoomLabel_->setText(QString::number(position) + uiText(texts::kPercent));
}

void PictureDialog::trackReleased(int position)
{
    session_->setZoomPercent(position);
    afterPictureChanged();
}

void PictureDialog::insertCommand()
{
    if (insertRun_)
        insertRun_();
}

ClipLook ClipLookFromSettings(const Settings& settings)
{
    ClipLook look;
    look.framed = settings.clframe != 0;
    look.frameWidth = settings.clframe ? settings.frwidth : 0.0;
    look.frameColor = settings.frcolor;
    look.shadowElevation = settings.shpict.elevation;
    look.shadowFade = settings.shpict.fade;
    look.shadowLightness = settings.shpict.lightness;
    look.surface = static_cast<std::uint8_t>(std::clamp(settings.frplas, 0, 255));
    return look;
}

ClipLook PictureDialog::look() const
{
    return ClipLookFromSettings(settings_);
}

} // namespace vlm
