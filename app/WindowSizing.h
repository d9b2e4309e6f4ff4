#pragma once
#include "app/LayoutUnits.h"
#include "app/MainLayout.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QSize>

class ChartHandlers;
class QMainWindow;
struct MainWidgets;

// Keeps the main window's panels laid out: on every size or state change
// the layout rules run for the panels' area (the viewport when maximized,
// at least the room a normal window's panels need otherwise, scrolled),
// and a restored window is fitted into the screen's free area while the
// window manager settles it.
class WindowSizing final : public QObject {
    Q_OBJECT
public:
    WindowSizing(QMainWindow& window, MainWidgets& widgets, MainLayout& layout, const TwipScale& scale,
                 ChartHandlers& chart);

    // Watches the window and the panels' viewport; call once.
    void connectWindow();

    // Runs the layout rules for a state and a panels' area in pixels.
    void layoutFor(WindowShowState state, QSize innerPx);
    void relayout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowShowState showState() const;
    void fitToScreen();
    void fitWhileSettling();
    void fitLater();

    static constexpr int FitSettleMs = 1500;

    QMainWindow& window_;
    MainWidgets& widgets_;
    MainLayout& layout_;
    const TwipScale& scale_;
    ChartHandlers& chart_;
    QDeadlineTimer settling_{0};
};
