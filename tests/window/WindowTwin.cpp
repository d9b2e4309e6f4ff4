#include "window/WindowTwin.h"

#include "support/MainWindowHarness.h"
#include "window/CaptionRoom.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>

WindowTwin::WindowTwin(const QRect& client, bool maximized, const QStringList& config)
    : harness_(std::make_unique<MainWindowHarness>()), client_(client)
{
    MainWindowHarness& harness = *harness_;
    harness.writeConfig(config.isEmpty() ? MainWindowHarness::defaultConfig() : config);
    FrmMain& w = harness.load();
    w.show();
    // At the real size the status bar sits where the real one does.
    w.resize(client.size());
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
    placeMenus();
}

void WindowTwin::placeMenus()
{
    FrmMain& w = *harness_->window;
    QMenuBar* bar = w.menuBar();
    for (QAction* entry : bar->actions()) {
        // A menu opens under its title, its left edge at the title's left;
        // a command on the bar itself is clicked on its title.
        const QRect local = bar->actionGeometry(entry);
        const QRect title(bar->mapTo(&w, local.topLeft()) + client_.topLeft(), local.size());
        QMenu* menu = entry->menu();
        const QString name = menu ? menu->objectName() : entry->objectName();
        if (!name.isEmpty())
            places_.insert(QStringLiteral("title:") + name, title);
        if (menu)
            placeMenuItems(*menu, title.bottomLeft() + QPoint(0, 1));
    }
}

void WindowTwin::showMenu(const QString& menu)
{
    if (auto* shown = harness_->window->menuBar()->findChild<QMenu*>(menu)) {
        shown->menuAction()->setVisible(true);
        QCoreApplication::processEvents();
        placeMenus();
    }
}

// A submenu opens beside its item, its first item level with that item.
void WindowTwin::placeMenuItems(QMenu& menu, QPoint topLeft)
{
    menu.ensurePolished();
    menu.adjustSize();
    for (QAction* item : menu.actions()) {
        const QRect geometry = menu.actionGeometry(item).translated(topLeft);
        if (!item->objectName().isEmpty())
            places_.insert(QStringLiteral("item:") + item->objectName(), geometry);
        QMenu* sub = item->menu();
        if (!sub || sub->actions().isEmpty())
            continue;
        QStyleOption option;
        option.initFrom(&menu);
        const int overlap = menu.style()->pixelMetric(QStyle::PM_SubMenuOverlap, &option, &menu);
        sub->ensurePolished();
        sub->adjustSize();
        const int firstTop = sub->actionGeometry(sub->actions().constFirst()).top();
        placeMenuItems(*sub, QPoint(geometry.right() + overlap + 1, geometry.top() - firstTop));
    }
}

WindowTwin::~WindowTwin() = default;

QWidget* WindowTwin::control(const QString& objectName) const
{
    return harness_->window->findChild<QWidget*>(objectName);
}

void WindowTwin::runMenuItem(const QString& item, const QString& file)
{
    if (!file.isEmpty())
        harness_->files.answers.push_back(file);
    if (QAction* action = harness_->window->findChild<QAction*>(item))
        action->trigger();
    QCoreApplication::processEvents();
}

QStringList WindowTwin::captionControls() const
{
    QStringList names;
    const FrmMain& w = *harness_->window;
    for (const QWidget* widget : w.findChildren<QWidget*>())
        if (!widget->objectName().isEmpty() && widget->isVisibleTo(&w) && !captionRect(*widget).isEmpty())
            names << widget->objectName();
    return names;
}

QRect WindowTwin::captionOnScreen(const QString& objectName) const
{
    const QWidget* widget = control(objectName);
    if (!widget)
        return {};
    // Within the control as it was placed for the real client area.
    const QRect local = captionRect(*widget);
    return local.translated(onScreen(objectName).topLeft());
}

QStringList WindowTwin::cutCaptions() const
{
    return ::cutCaptions(*harness_->window);
}
