#include "window/WindowTwin.h"

#include "support/MainWindowHarness.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

WindowTwin::WindowTwin(const QRect& client, bool maximized)
{
    MainWindowHarness harness;
    harness.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = harness.load();
    w.show();
    QCoreApplication::processEvents();
    // The offscreen screen may be smaller than the real one; the panels are
    // laid out for the real client area whatever the copy's own size.
    const QSize viewport(client.width(), client.height() - w.menuBar()->height() - w.statusBar()->height());
    w.layoutFor(maximized ? WindowShowState::Maximized : WindowShowState::Normal, viewport);

    const auto toScreen = [&](const QWidget* widget, const QRect& local) {
        return QRect(widget->mapTo(&w, local.topLeft()) + client.topLeft(), local.size());
    };
    for (const QWidget* widget : w.findChildren<QWidget*>())
        if (!widget->objectName().isEmpty())
            places_.insert(widget->objectName(), toScreen(widget, widget->rect()));
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) {
        // A menu opens under its title, its left edge at the title's left.
        const QRect title = toScreen(w.menuBar(), w.menuBar()->actionGeometry(menu->menuAction()));
        places_.insert(QStringLiteral("title:") + menu->objectName(), title);
        menu->ensurePolished();
        menu->adjustSize();
        for (QAction* item : menu->actions())
            if (!item->objectName().isEmpty())
                places_.insert(QStringLiteral("item:") + item->objectName(),
                               menu->actionGeometry(item).translated(title.bottomLeft() + QPoint(0, 1)));
    }
}
