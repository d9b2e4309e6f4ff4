#pragma once
// The real program under Xvfb with the openbox window manager, against the
// simulator on a pseudo-terminal, with an offscreen twin of its main window
// that tells where each control is on the screen.
#include "support/ProgramProcess.h"
#include "window/WindowTwin.h"
#include "window/XSession.h"

#include <QColor>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

class RealWindowTest : public ::testing::Test {
protected:
    static inline const QString MainTitle = QStringLiteral("VELTRA Data Logger Version");

    void SetUp() override
    {
        if (x.toolsMissing())
            GTEST_SKIP() << x.why().toStdString();
        ASSERT_TRUE(x.isUp()) << x.why().toStdString();
        ASSERT_TRUE(home.isValid());
    }

    // Starts the simulator and the logger with the given configuration (the
    // default one when empty), and waits for the maximized main window.
    // `environment` adds to the session's.
    void startLogger(bool autostart, const QString& scenario = QStringLiteral("normal"), QStringList config = {},
                     QProcessEnvironment environment = {})
    {
        if (config.isEmpty())
            config = home.defaultConfig(autostart);
        home.writeConfig(config);
        ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--scenario"), scenario}));
        environment.insert(x.environment());
        ASSERT_TRUE(logger.start(home, environment));
        main = x.waitForMaximized(MainTitle, 20000);
        ASSERT_NE(main, 0u) << logger.output().toStdString();
        settle();
        twin = std::make_unique<WindowTwin>(x.clientRect(main), true, config);
    }

    // Lets the program and the window manager deal with what just happened.
    static void settle(int milliseconds = 400) { QThread::msleep(milliseconds); }

    bool onTop(unsigned long window) const
    {
        const std::vector<unsigned long> order = x.stacking();
        return !order.empty() && order.back() == window;
    }

    // The lamp's body (inside its rim) holds its colour.
    bool lampShows(const QString& lamp, QRgb colour)
    {
        const QRect r = twin->onScreen(lamp);
        const QRect body = r.adjusted(r.width() / 4, r.height() / 4, -r.width() / 4, -r.height() / 4);
        return countNear(x.screen(), body, colour, 24) > 0;
    }

    void clickMenu(const QString& menu, const QString& item)
    {
        x.click(twin->menuTitle(menu).center());
        settle(300);
        x.click(twin->menuItem(item).center());
    }

    // File › Load of `file` through the real Open dialog; returns once the
    // status bar's progress bar has gone again.
    void loadThroughTheOpenDialog(const QString& file)
    {
        clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenueFileLoad"));
        ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Open")) != 0; }, 10000));
        settle();
        x.type(file);
        x.key(QStringLiteral("Return"));
        ASSERT_NO_FATAL_FAILURE(waitUntilLoaded());
    }

    // Returns once the status bar shows no progress and the chart and the
    // status bar have held still for a moment: a load in the background
    // fills the chart in as it goes, and on a busy machine its progress bar
    // may not have shown yet when the first look is taken.
    void waitUntilLoaded()
    {
        const QRect bar = twin->onScreen(QStringLiteral("statusBar"));
        const QRect area = twin->onScreen(QStringLiteral("iStripChartX1")).united(bar);
        QImage before;
        const auto still = [&] {
            settle(800);
            const QImage now = x.screen();
            const bool same = now.copy(area) == before && countNear(now, bar, qRgb(48, 140, 198), 30) == 0;
            before = now.copy(area);
            return same;
        };
        ASSERT_TRUE(waitUntil(still, 90000));
    }

    // The plot: inside the frame lines the chart draws round it.
    QRect plotOnScreen(const QImage& screen) const
    {
        const QRect chart = twin->onScreen(QStringLiteral("iStripChartX1"));
        const int y = chart.center().y();
        int left = -1, right = -1;
        for (int x = chart.left(); x <= chart.right(); ++x) {
            if (screen.pixel(x, y) == qRgb(0xA8, 0xA8, 0xA8)) {
                left = left < 0 ? x : left;
                right = x;
            }
        }
        int top = y, bottom = y;
        while (top > chart.top() && screen.pixel(left, top - 1) == qRgb(0xA8, 0xA8, 0xA8))
            --top;
        while (bottom < chart.bottom() && screen.pixel(left, bottom + 1) == qRgb(0xA8, 0xA8, 0xA8))
            ++bottom;
        return QRect(QPoint(left + 1, top + 1), QPoint(right - 1, bottom - 1));
    }

    // Per pixel column of the plot, whether a curve (a strong colour) is in it.
    static std::vector<bool> curveColumns(const QImage& screen, const QRect& plot)
    {
        std::vector<bool> columns(size_t(plot.width()), false);
        for (int x = plot.left(); x <= plot.right(); ++x) {
            for (int y = plot.top(); y <= plot.bottom() && !columns[size_t(x - plot.left())]; ++y) {
                const QColor c = QColor::fromRgb(screen.pixel(x, y));
                const int strength = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
                columns[size_t(x - plot.left())] = strength > 50;
            }
        }
        return columns;
    }

    // The longest run of columns without a curve between the first and the
    // last column with one: its first column and its length.
    static std::pair<int, int> widestGap(const std::vector<bool>& columns)
    {
        const auto first = std::find(columns.begin(), columns.end(), true);
        const auto last = std::find(columns.rbegin(), columns.rend(), true).base();
        std::pair<int, int> widest{-1, 0};
        for (auto it = first; it < last;) {
            const auto end = std::find(it, last, true);
            if (end - it > widest.second)
                widest = {int(it - columns.begin()), int(end - it)};
            it = end == it ? it + 1 : end;
        }
        return widest;
    }

    XSession x;
    ProgramHome home;
    SimulatorProcess sim;
    LoggerProcess logger;
    unsigned long main = 0;
    std::unique_ptr<WindowTwin> twin;
};
