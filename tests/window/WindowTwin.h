#pragma once
// Where the real program's controls are on the screen, and what they show.
// The main window places its panels by fixed rules from the size of its
// client area, so an offscreen copy of the window, loaded from the same
// configuration and laid out for the same client area, has every control
// in the same place with the same fonts; the real window supplies where
// that client area is. Control places are taken once, when the copy is laid
// out; texts are read from the copy as it is, so a test can put into it the
// texts the real window shows by then.
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

struct MainWindowHarness;
class QMenu;
class QWidget;

class WindowTwin {
public:
    // client: the real window's client area on the screen; maximized or not;
    // config: the real program's configuration lines (a default when empty).
    WindowTwin(const QRect& client, bool maximized, const QStringList& config = {});
    ~WindowTwin();

    // A control's rectangle on the screen, by object name; empty when the
    // window has no such control.
    QRect onScreen(const QString& objectName) const { return places_.value(objectName); }
    // Where the menu bar shows a menu's title (or a command's), and where
    // that menu, or a submenu of it, once open, shows one of its items (all
    // by object name).
    QRect menuTitle(const QString& menu) const { return places_.value(QStringLiteral("title:") + menu); }
    QRect menuItem(const QString& item) const { return places_.value(QStringLiteral("item:") + item); }
    // Shows a menu the real program has shown by now (the Evaluator menu
    // after a parameter record), so the titles right of it move as there.
    void showMenu(const QString& menu);

    // The copy's control of that name, to give it what the real one shows.
    QWidget* control(const QString& objectName) const;
    // Runs a menu item of the copy, by object name; a file it asks for is
    // `file`.
    void runMenuItem(const QString& item, const QString& file = {});
    // The visible controls with a caption (labels, option buttons, check
    // boxes, buttons), by object name.
    QStringList captionControls() const;
    // Where a control's caption is drawn on the screen, as it stands now.
    QRect captionOnScreen(const QString& objectName) const;
    // The captions without room for their whole text (see CaptionRoom).
    QStringList cutCaptions() const;

private:
    void placeMenus();
    void placeMenuItems(QMenu& menu, QPoint topLeft);

    std::unique_ptr<MainWindowHarness> harness_;
    QRect client_;
    QHash<QString, QRect> places_;
};
