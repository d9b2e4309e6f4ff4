#include "app/WindowSizing.h"

#include "app/LayoutApplier.h"
#include "app/MainWidgets.h"
#include "app/WindowFit.h"
#include "display/ChartHandlers.h"

#include <QEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

WindowSizing::WindowSizing(QMainWindow& window, MainWidgets& widgets, MainLayout& layout, const TwipScale& scale,
                           ChartHandlers& chart)
    : window_(window), widgets_(widgets), layout_(layout), scale_(scale), chart_(chart)
{
}

void WindowSizing::connectWindow()
{
    window_.installEventFilter(this);
    widgets_.scroll->viewport()->installEventFilter(this);
}

bool WindowSizing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widgets_.scroll->viewport()) {
        if (event->type() == QEvent::Resize)
            relayout();
        return false;
    }
    switch (event->type()) {
    case QEvent::WindowStateChange:
        relayout();
        if (showState() == WindowShowState::Normal)
            fitWhileSettling();
        break;
    case QEvent::Show:
        if (showState() == WindowShowState::Normal)
            fitWhileSettling();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (!settling_.hasExpired())
            fitLater();
        break;
    default:
        break;
    }
    return false;
}

WindowShowState WindowSizing::showState() const
{
    if (window_.isMinimized())
        return WindowShowState::Minimized;
    if (window_.isMaximized() || window_.isFullScreen())
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

void WindowSizing::layoutFor(WindowShowState state, QSize innerPx)
{
    widgets_.central->resize(innerPx);
    layout_.chartEnlarged = chart_.chartEnlarged;
    const double innerWidth = scale_.toTwips(innerPx.width());
    if (layout_.resize(state, innerWidth, scale_.toTwips(innerPx.height()))) {
        chart_.chartEnlarged = false;
        if (widgets_.controls.cmd_zoom_xy)
            widgets_.controls.cmd_zoom_xy->setText(QStringLiteral("Enlarge XY graph"));
    }
    LayoutApplier(widgets_, scale_).apply(layout_, innerWidth);
}

void WindowSizing::relayout()
{
    const QSize minimum(scale_.toPixels(MainLayout::normalMinimumWidth()),
                        scale_.toPixels(MainLayout::normalMinimumHeight()));
    const WindowShowState state = showState();
    layoutFor(state, WindowFit::contentSize(state, widgets_.scroll->viewport()->size(), minimum));
}

void WindowSizing::fitWhileSettling()
{
    // The window manager gives a restored window its old size back and puts
    // its frame around it some moments later; until it has settled, every
    // move or resize is checked against the screen. After that the user may
    // place the window as they like.
    settling_.setRemainingTime(FitSettleMs);
    fitLater();
    QTimer::singleShot(FitSettleMs, this, [this] { fitToScreen(); });
}

void WindowSizing::fitLater()
{
    QTimer::singleShot(0, this, [this] { fitToScreen(); });
}

void WindowSizing::fitToScreen()
{
    const QScreen* screen = window_.screen();
    if (!screen || showState() != WindowShowState::Normal)
        return;
    const QRect frame = window_.frameGeometry();
    const QRect client = window_.geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    const QRect fitted = WindowFit::fitClient(screen->availableGeometry(), margins, client);
    if (fitted != client)
        window_.setGeometry(fitted);
}
