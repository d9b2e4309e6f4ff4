#pragma once
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

class ConfigurationLoader;
class IClock;
class IMessageBox;
class IScreen;
class MainLayout;
class MeasurementController;
class QWidget;
class TwipScale;
struct ConfigValues;
struct MainControls;

// What the main window's load step works on.
struct StartUpContext {
    MainControls& controls;
    ConfigValues& config;
    MainLayout& layout;
    IMessageBox& messageBox;
    const IClock& clock;
    const TwipScale& scale;
    uint32_t* sensorColor;         // [7], element 0 unused
    const IScreen& screen;         // its usable size
    const QWidget& panels;         // the client area the layout fills
    ConfigurationLoader& loader;
    MeasurementController& measurement; // AUTOSTART runs its Start/Stop command
    // Runs once the configuration is loaded, before AUTOSTART may start a
    // measurement; may be empty.
    std::function<void()> beforeAutostart = {};
};

// The main window's load step. Every step runs even when an earlier one
// could not (a missing control is skipped); only a screen that is too small
// ends the run.
class StartUpSequence {
public:
    explicit StartUpSequence(StartUpContext context);

    // Returns false when the screen is too small: the warning was shown and
    // the caller must close the window.
    bool run();

    int16_t ScreenWidthPx = 0;
    int16_t ScreenHeightPx = 0;

    static constexpr int MinimumWidthPx = 1272;
    static constexpr int MinimumHeightPx = 792;
    static QString screenWarning(int widthPx, int heightPx);
    // Display timer interval and chart rows per day for a REFRESH code.
    static int displayInterval(int refresh);
    static int64_t chartBufferSize(int refresh);

private:
    bool checkScreen();
    void setCaptions();
    void buildChannels();
    void setOptionCaptions();
    void setGaugeScales();
    void applyChannelVisibility();

    StartUpContext c_;
    QString frame1DesignCaption_;
};
