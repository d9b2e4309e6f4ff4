#pragma once
// Where the real program's controls are on the screen. The main window
// places its panels by fixed rules from the size of its client area, so an
// offscreen copy of the window laid out for the same client area has every
// control in the same place; the real window supplies where that client
// area is. The places are taken once, when the copy is laid out.
#include <QHash>
#include <QRect>
#include <QString>

class WindowTwin {
public:
    // client: the real window's client area on the screen; maximized or not.
    WindowTwin(const QRect& client, bool maximized);

    // A control's rectangle on the screen, by object name; empty when the
    // window has no such control.
    QRect onScreen(const QString& objectName) const { return places_.value(objectName); }
    // Where the menu bar shows a menu's title, and where that menu, once
    // open, shows one of its items (both by object name).
    QRect menuTitle(const QString& menu) const { return places_.value(QStringLiteral("title:") + menu); }
    QRect menuItem(const QString& item) const { return places_.value(QStringLiteral("item:") + item); }

private:
    QHash<QString, QRect> places_;
};
