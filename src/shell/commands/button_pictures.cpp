#include "shell/commands/button_pictures.h"

#include <QDir>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vlm {

namespace {

QString PathOf(const QString& name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

// The disabled form: the drawing's own shading in light grey, faded, so the
// shape stays readable but plainly inactive.
void Grey(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a == 0)
                continue;
            // Premultiplied: un-premultiply the grey level before lifting it.
            const int level = qGray(qRed(c), qGreen(c), qBlue(c)) * 255 / a;
            const int lifted = 128 + level / 2;
            const int faded = std::max(1, a * 3 / 5);
            const int v = lifted * faded / 255;
            line[x] = qRgba(v, v, v, faded);
        }
    }
}

QImage RenderDevicePixels(const QString& name, int device, qreal ratio, bool greyed);

// Renders the drawing afresh for every size and ratio asked, rather than
// scaling one bitmap.
class SvgPictureEngine : public QIconEngine
{
public:
    explicit SvgPictureEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = std::min(rect.width(), rect.height());
        const QImage image = RenderButtonPicture(name_, side, ratio, mode == QIcon::Disabled);
        const QRect target((rect.width() - side) / 2 + rect.x(), (rect.height() - side) / 2 + rect.y(), side,
                           side);
        painter->drawImage(target, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon asks for the size in device pixels here.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const int side = std::min(size.width(), size.height());
        return QPixmap::fromImage(RenderDevicePixels(name_, side, scale, mode == QIcon::Disabled));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QIconEngine* clone() const override { return new SvgPictureEngine(name_); }
    QString key() const override { return QStringLiteral("vlm-button-picture"); }
    QString iconName() override { return name_; }
    bool isNull() override { return !QFile::exists(PathOf(name_)); }

private:
    QString name_;
};

QImage RenderDevicePixels(const QString& name, int device, qreal ratio, bool greyed)
{
    if (device <= 0 || ratio <= 0)
        return {};
    QSvgRenderer renderer(PathOf(name));
    if (!renderer.isValid())
        return {};
    QImage image(device, device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(0, 0, device, device));
    }
    if (greyed)
        Grey(image);
    image.setDevicePixelRatio(ratio);
    return image;
}

struct Named
{
    int number;
    const char* name;
};

constexpr Named kButtonPictures[] = {
    {1, "new"},      {2, "open"},      {3, "save"},      {4, "export"},     {5, "print"},      {6, "undo"},     {7, "redo"},
    {8, "repaint"},  {9, "pointer"},   {10, "zoom-out"}, {11, "zoom-in"},   {12, "to-back"}, {13, "to-front"},
    {14, "erase"},   {15, "paste"},    {16, "copy"},     {17, "line"},      {18, "text"},    {19, "grid"},
    {20, "snap"},    {21, "triangle"}, {22, "square"},   {23, "rectangle"}, {24, "circle"},  {25, "ellipse"},
    {26, "polygon"}, {27, "picture"},  {28, "arc"},      {29, "spline"},    {30, "curve"},   {31, "pie"},
    {32, "star"},    {33, "solid"},    {34, "oblong"},   {35, "join"},      {36, "split"},
};

// The insert panel rows show the picture of their toolbar button.
constexpr Named kPanelButtons[] = {
    {400, "picture"},   {300, "text"},   {98, "line"},      {108, "arc"},
    {109, "spline"},    {111, "curve"},  {100, "triangle"}, {101, "square"},
    {102, "rectangle"}, {103, "circle"}, {107, "pie"},      {104, "ellipse"},
    {199, "polygon"},   {105, "star"},   {110, "solid"},    {112, "oblong"},
};

} // namespace

QIcon ButtonPicture(const QString& name)
{
    if (name.isEmpty() || !QFile::exists(PathOf(name)))
        return {};
    return QIcon(new SvgPictureEngine(name));
}

QString PictureNameOfButton(int number)
{
    for (const Named& n : kButtonPictures)
        if (n.number == number)
            return QString::fromLatin1(n.name);
    return {};
}

QString PictureNameOfPanel(int panelCode)
{
    for (const Named& n : kPanelButtons)
        if (n.number == panelCode)
            return QString::fromLatin1(n.name);
    return {};
}

QIcon ToolbarPicture(int number)
{
    return ButtonPicture(PictureNameOfButton(number));
}

QStringList ButtonPictureNames()
{
    QStringList names;
    for (const QString& file :
         QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")}, QDir::Files))
        names << file.chopped(4);
    return names;
}

QImage RenderButtonPicture(const QString& name, int size, qreal ratio, bool greyed)
{
    if (size <= 0 || ratio <= 0)
        return {};
    return RenderDevicePixels(name, static_cast<int>(std::lround(size * ratio)), ratio, greyed);
}

} // namespace vlm
