// Readable at a glance: the real program's maximized window at 1280 x 800,
// live, in file mode and after Unload, photographed and read back. Each
// caption's text must end on the screen where its whole text ends (its ink
// read from the pixels, its whole width from the offscreen twin's fonts),
// an ambient temperature beyond the scale shows the arrow at the scale's
// end, and the gauges' numbers read on their white ground.
// VELTRA_SCREENSHOT_DIR=folder keeps the photographs.
#include "config/ConfigValues.h"
#include "config/FrmInstall.h"
#include "core/Colours.h"
#include "core/Contrast.h"
#include "core/GaugeLooks.h"
#include "display/LinearGauge.h"
#include "chart/Colour.h"
#include "support/Fakes.h"
#include "window/CaptionRoom.h"
#include "window/RealWindowTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <utility>

namespace {

const QString LongName = QStringLiteral("Gearbox oil bearing");

class ReadableWindowTest : public RealWindowTest {
protected:
    QStringList configWithALongName(bool autostart) const
    {
        QStringList config = home.defaultConfig(autostart);
        config.replaceInStrings(QStringLiteral("LBL_S2=Sensor2"), QStringLiteral("LBL_S2=") + LongName);
        return config;
    }

    static void keep(const QImage& screen, const QString& name)
    {
        const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            screen.save(QDir(folder).filePath(name));
    }

    // The pointer out of the way of every control.
    void pointerAway() const
    {
        const QRect client = x.clientRect(main);
        x.run(QStringLiteral("xdotool"),
              {QStringLiteral("mousemove"), QString::number(client.right() - 2), QString::number(client.bottom() - 2)});
        settle(600);
    }

    // Every caption of the window has room, and on the screen its text ends
    // where the whole text ends: a caption cut by its control, or cut short
    // with an ellipsis, ends earlier.
    void expectCaptionsWhole(const QImage& screen) const
    {
        const QStringList cut = twin->cutCaptions();
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
        int checked = 0;
        for (const QString& name : twin->captionControls()) {
            const QRect control = twin->onScreen(name);
            const QRect text = twin->captionOnScreen(name);
            // From the text's start to just past its whole end (controls may
            // overlap their neighbours), inside the control's frame.
            const QRect area = QRect(text.left(), text.top(), text.width() + 6, text.height())
                                   .intersected(control.adjusted(0, 0, -3, 0));
            EXPECT_LE(text.right(), control.right()) << name.toStdString();
            // Greyed text lies too close to its ground to be told from it.
            if (!twin->control(name)->isEnabled())
                continue;
            const int ink = inkRight(screen, area);
            EXPECT_NEAR(ink, text.right(), 3) << name.toStdString() << " ends at " << ink << ", whole at "
                                              << text.right();
            ++checked;
        }
        EXPECT_GT(checked, 30);
    }

    // The first and last column of `area` with a pixel unlike the area's most
    // common colour (its ground); -1 when there is none.
    static int inkRight(const QImage& screen, const QRect& area) { return inkSpan(screen, area).second; }
    static std::pair<int, int> inkSpan(const QImage& screen, const QRect& area)
    {
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[screen.pixel(x, y)];
        QRgb ground = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(ground))
                ground = it.key();
        std::pair<int, int> span{-1, -1};
        for (int x = area.left(); x <= area.right(); ++x) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                if (colourDistance(screen.pixel(x, y), ground) > 40) {
                    span.first = span.first < 0 ? x : span.first;
                    span.second = x;
                }
            }
        }
        return span;
    }

    // A gauge like the window's gauge t, to know where it draws.
    std::unique_ptr<LinearGauge> gaugeLike(int t, const GaugeLooks::Scale& scale, double floor) const
    {
        auto gauge = std::make_unique<LinearGauge>();
        gauge->resize(twin->onScreen(QStringLiteral("iLinearGaugeX1_%1").arg(t)).size());
        gauge->SetPositionMin(floor);
        gauge->SetPositionMax(scale.positionMax);
        gauge->SetTickMajorCount(scale.majorTicks);
        gauge->SetTickMinorCount(scale.minorTicks);
        return gauge;
    }

    // The numbers of every gauge that shows a scale read on its white: the
    // strongest contrast in the number column is at least 4.5:1.
    void expectGaugeNumbersReadable(const QImage& screen, const GaugeLooks::Scale& scale) const
    {
        for (int t = 0; t < 6; ++t) {
            const QRect gauge = twin->onScreen(QStringLiteral("iLinearGaugeX1_%1").arg(t));
            const QRect numbers = gaugeLike(t, scale, 0)->tickLabelRect(0);
            const QRect column(gauge.left() + numbers.left(), gauge.top(), gauge.width() - numbers.left(), gauge.height());
            double strongest = 1.0;
            for (int y = column.top(); y <= column.bottom(); ++y)
                for (int x = column.left(); x <= column.right(); ++x)
                    strongest = std::max(strongest, Contrast::ratio(fromQColor(screen.pixelColor(x, y)), Colours::White));
            EXPECT_GE(strongest, Contrast::Readable) << "gauge " << t;
        }
    }
};

TEST_F(ReadableWindowTest, LiveWindowShowsWholeCaptionsUnitsAndAnArrowForAValueBeyondTheScale)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(true, QStringLiteral("normal"), configWithALongName(true)));
    settle(1500);
    pointerAway();
    // The gauges start on the TDN number's scale: 0 to 1200.
    QImage screen = x.screen();
    for (int t = 0; t < 6; ++t) {
        const QRect gauge = twin->onScreen(QStringLiteral("iLinearGaugeX1_%1").arg(t));
        const QRect top = gaugeLike(t, GaugeLooks::startScale(), 0)->tickLabelRect(10).translated(gauge.topLeft());
        EXPECT_LE(top.right(), gauge.right()) << "gauge " << t;
        EXPECT_NEAR(inkRight(screen, QRect(top.left(), top.top(), gauge.right() - top.left() + 1, top.height())),
                    top.right(), 2)
            << "\"1200\" of gauge " << t;
    }

    // Ambient temperature on the scale that ends at 22: sensor 1 reads about
    // 23.5, beyond it; sensor 6 about 21.5, on it.
    x.click(twin->onScreen(QStringLiteral("OptionDisplayGauge_5")).center());
    settle();
    x.click(twin->onScreen(QStringLiteral("OptionScaleGauge_1")).center());
    pointerAway();
    const auto endZone = [&](int t) {
        const QRect gauge = twin->onScreen(QStringLiteral("iLinearGaugeX1_%1").arg(t));
        const auto like = gaugeLike(t, *GaugeLooks::scaleOption(1), -10.0);
        return QRect(gauge.left(), gauge.top(), like->bandLeft(), like->rowOf(22.0));
    };
    const auto pointer = [](int t) { return toQColor(Colours::Sensor[t]).rgb(); };
    EXPECT_TRUE(waitUntil(
        [&] {
            screen = x.screen();
            return countNear(screen, endZone(0), pointer(0), 30) > 15;
        },
        10000))
        << "no arrow above sensor 1's scale";
    settle(600); // the next display tick: every readout has its unit
    screen = x.screen();
    keep(screen, QStringLiteral("readable-live.png"));
    EXPECT_EQ(countNear(screen, endZone(5), pointer(5), 30), 0) << "an arrow above sensor 6's scale";
    for (int t = 0; t < 6; ++t)
        static_cast<QLabel*>(twin->control(QStringLiteral("Lbl_unit_%1").arg(t)))->setText(QStringLiteral("\u00B0C"));
    expectCaptionsWhole(screen);
}

TEST_F(ReadableWindowTest, FileModeAndUnloadKeepCaptionsWholeAndGaugeNumbersReadable)
{
    const QString file = home.filePath(QStringLiteral("day.vlg"));
    QProcess make;
    make.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
               {QStringLiteral("--logfile"), file, QStringLiteral("--bytes"), QStringLiteral("2M")});
    ASSERT_TRUE(make.waitForFinished(60000) && make.exitCode() == 0);
    ASSERT_NO_FATAL_FAILURE(startLogger(false, QStringLiteral("normal"), configWithALongName(false)));

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenueFileLoad"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Open")) != 0; }, 10000));
    settle();
    x.type(file);
    x.key(QStringLiteral("Return"));
    twin->runMenuItem(QStringLiteral("MenueFileLoad"), file);
    // Loaded: the mode label turns red.
    ASSERT_TRUE(waitUntil(
        [&] { return countNear(x.screen(), twin->onScreen(QStringLiteral("Lbl_mode")), qRgb(220, 0, 0), 40) > 10; },
        20000));
    pointerAway();
    settle(1000);
    QImage screen = x.screen();
    keep(screen, QStringLiteral("readable-file.png"));
    expectCaptionsWhole(screen);
    expectGaugeNumbersReadable(screen, GaugeLooks::startScale());

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenueFileUnload"));
    twin->runMenuItem(QStringLiteral("MenueFileUnload"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Loaded File")) == 0; }, 10000));
    pointerAway();
    settle(1000);
    screen = x.screen();
    keep(screen, QStringLiteral("readable-unload.png"));
    expectCaptionsWhole(screen);
    expectGaugeNumbersReadable(screen, GaugeLooks::startScale()); // Unload ends with the start-up
}

// The log directory is the user's: a long one still shows whole.
TEST_F(ReadableWindowTest, SetupInstallationShowsTheWholeLogDirectory)
{
    const QString folder = home.filePath(QStringLiteral("operator data/veltra logger/plant logs/main engine"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList config = home.defaultConfig(false);
    config.replaceInStrings(QRegularExpression(QStringLiteral("^LOGDIR=.*")), QStringLiteral("LOGDIR=") + folder + '/');
    ASSERT_NO_FATAL_FAILURE(startLogger(false, QStringLiteral("normal"), config));
    clickMenu(QStringLiteral("MenueSetup"), QStringLiteral("MenueSetupInstallation"));
    unsigned long dialog = 0;
    ASSERT_TRUE(waitUntil([&] { return (dialog = x.findWindow(QStringLiteral("Setup Installation"))) != 0; }, 10000));
    pointerAway();
    const QRect client = x.clientRect(dialog);
    const QImage screen = x.screen();
    keep(screen.copy(client), QStringLiteral("readable-setup-installation.png"));

    // The dialog as the program shows it, at the real one's size.
    ConfigValues values;
    FakeFileDialog files;
    FrmInstall copy(values, files);
    copy.SetFileName(folder + QStringLiteral("/20261209Ls_Main_Engine.vlg"));
    copy.show();
    copy.resize(client.size());
    QCoreApplication::processEvents();
    // The copy is laid out as the real dialog is only at the same size.
    ASSERT_EQ(copy.size(), client.size());
    const QWidget* field = copy.findChild<QWidget*>(QStringLiteral("TxtDir"));
    ASSERT_NE(field, nullptr);
    const QRect box = field->geometry().translated(client.topLeft());
    EXPECT_LE(captionRect(*field).right(), field->width() - 3);
    // On the screen, inside the field's frame, the text is as wide as the
    // whole directory and ends before the frame.
    const auto [left, right] = inkSpan(screen, box.adjusted(3, 3, -3, -3));
    EXPECT_NEAR(right - left + 1, field->fontMetrics().horizontalAdvance(folder + '/'), 3);
    EXPECT_LT(right, box.right() - 2);
    x.key(QStringLiteral("Escape"));
}

} // namespace
