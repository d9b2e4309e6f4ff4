#pragma once
// A real X session for the window tests: Xvfb with the openbox window
// manager, driven and read as a person would use it, through xdotool, xprop
// and xwininfo, and through the screen's pixels. Xvfb keeps its screen in a
// file (-fbdir), so a picture of the screen costs a file read and can be
// taken as often as needed while something happens.
#include <QImage>
#include <functional>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class XSession {
public:
    static constexpr int Width = 1280;
    static constexpr int Height = 800;

    XSession();
    ~XSession();
    // False (with the reason in why()) when Xvfb, openbox or xdotool is
    // missing or the session did not come up; toolsMissing() tells which.
    bool isUp() const { return up_; }
    bool toolsMissing() const { return toolsMissing_; }
    const QString& why() const { return why_; }

    // DISPLAY and the xcb platform, for programs started in this session.
    QProcessEnvironment environment() const;

    // Runs an X tool in the session; its standard output, trimmed.
    QString run(const QString& program, const QStringList& arguments) const;

    // Top-level windows of a program, by title: the first whose title
    // contains `title`, 0 when none (yet).
    unsigned long findWindow(const QString& title) const;
    // Waits for a window of that title, maximized across the screen; 0 when
    // none comes within the time.
    unsigned long waitForMaximized(const QString& title, int milliseconds) const;
    // Client windows from bottom to top, as the window manager stacks them.
    std::vector<unsigned long> stacking() const;
    // The client area of a window on the screen, and the frame around it.
    QRect clientRect(unsigned long window) const;
    QRect frameRect(unsigned long window) const;

    void click(QPoint at, int button = 1) const;
    void doubleClick(QPoint at) const;
    void key(const QString& keys) const;
    void type(const QString& text) const;

    // The screen as it is now.
    QImage screen() const;

private:
    bool start();

    QTemporaryDir dir_;
    QString display_;
    std::unique_ptr<QProcess> xvfb_;
    std::unique_ptr<QProcess> windowManager_;
    bool up_ = false;
    bool toolsMissing_ = false;
    QString why_;
};

// How close two colours are: the largest difference of their channels.
int colourDistance(QRgb a, QRgb b);
// Pixels of `image` in `area` within `tolerance` of `colour`.
int countNear(const QImage& image, const QRect& area, QRgb colour, int tolerance);
