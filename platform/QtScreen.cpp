#include "platform/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

QSize QtScreen::availableSizePx() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1280, 800);
}

double QtScreen::logicalDpi() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}
