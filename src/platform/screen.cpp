#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace vlm {

namespace {

const QScreen* PrimaryScreen()
{
    // Asking for screens before a QGuiApplication exists is not allowed.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::primaryScreen();
}

double Positive(double dpi)
{
    return dpi > 0 ? dpi : Screen::kDefaultDpi;
}

} // namespace

double Screen::logicalDpiX()
{
    const QScreen* s = PrimaryScreen();
    return s ? Positive(s->logicalDotsPerInchX()) : kDefaultDpi;
}

double Screen::logicalDpiY()
{
    const QScreen* s = PrimaryScreen();
    return s ? Positive(s->logicalDotsPerInchY()) : kDefaultDpi;
}

} // namespace vlm
