#include "window/XSession.h"

#include "support/ProgramProcess.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace {
// Big-endian 32-bit words of an XWD file header.
enum XwdField {
    HeaderSize = 0,
    Format = 2,
    PixmapWidth = 4,
    PixmapHeight = 5,
    ByteOrder = 7,
    BitsPerPixel = 11,
    BytesPerLine = 12,
    RedMask = 14,
    GreenMask = 15,
    BlueMask = 16,
    ColourCount = 19,
};

quint32 field(const uchar* file, XwdField f)
{
    return qFromBigEndian<quint32>(file + 4 * int(f));
}

int channel(quint32 pixel, quint32 mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    return int((pixel & mask) >> shift);
}

QImage decodeXwd(const uchar* file, qint64 size)
{
    if (size < 100 || field(file, Format) != 2 || field(file, BitsPerPixel) != 32)
        return {};
    const int width = int(field(file, PixmapWidth));
    const int height = int(field(file, PixmapHeight));
    const qint64 stride = field(file, BytesPerLine);
    const qint64 start = qint64(field(file, HeaderSize)) + 12 * qint64(field(file, ColourCount));
    if (start + stride * height > size)
        return {};
    const bool little = field(file, ByteOrder) == 0;
    const quint32 masks[3] = {field(file, RedMask), field(file, GreenMask), field(file, BlueMask)};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const uchar* row = file + start + stride * y;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 p = little ? qFromLittleEndian<quint32>(row + 4 * x) : qFromBigEndian<quint32>(row + 4 * x);
            out[x] = qRgb(channel(p, masks[0]), channel(p, masks[1]), channel(p, masks[2]));
        }
    }
    return image;
}

bool haveTool(const QString& name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}
} // namespace

int colourDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

int countNear(const QImage& image, const QRect& area, QRgb colour, int tolerance)
{
    const QRect inside = area.intersected(image.rect());
    int n = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += colourDistance(image.pixel(x, y), colour) <= tolerance;
    return n;
}

XSession::XSession()
{
    up_ = start();
}

XSession::~XSession()
{
    for (QProcess* p : {windowManager_.get(), xvfb_.get()}) {
        if (!p)
            continue;
        p->terminate();
        if (!p->waitForFinished(3000))
            p->kill();
        p->waitForFinished(3000);
    }
}

bool XSession::start()
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo"}) {
        if (!haveTool(QLatin1String(tool))) {
            why_ = QStringLiteral("%1 is not installed (tools/setup.sh installs it)").arg(QLatin1String(tool));
            toolsMissing_ = true;
            return false;
        }
    }
    // A display number of our own: the first without a lock file.
    int number = 90 + int(::getpid() % 400);
    while (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))
           || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    display_ = QStringLiteral(":%1").arg(number);

    xvfb_ = std::make_unique<QProcess>();
    xvfb_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb_->start(QStringLiteral("Xvfb"), {display_, QStringLiteral("-screen"), QStringLiteral("0"),
                                          QStringLiteral("%1x%2x24").arg(Width).arg(Height),
                                          QStringLiteral("-dpi"), QStringLiteral("96"), QStringLiteral("-noreset"),
                                          QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp"), QStringLiteral("-fbdir"), dir_.path()});
    // Up once a client can talk to it (and it is still ours, not one that
    // took the same number a moment earlier).
    const auto answers = [&] {
        QProcess probe;
        probe.setProcessEnvironment(environment());
        probe.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-len"), QStringLiteral("1")});
        return probe.waitForFinished(5000) && probe.exitCode() == 0;
    };
    if (!xvfb_->waitForStarted()
        || !waitUntil([&] { return xvfb_->state() == QProcess::Running && answers(); }, 30000)) {
        why_ = QStringLiteral("Xvfb did not start on ") + display_;
        return false;
    }
    windowManager_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(environment());
    windowManager_->setProcessEnvironment(env);
    windowManager_->setProcessChannelMode(QProcess::ForwardedChannels);
    windowManager_->start(QStringLiteral("openbox"), {});
    const bool managed = windowManager_->waitForStarted() && waitUntil([&] {
        return run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains(QLatin1String("window id"));
    }, 30000);
    if (!managed)
        why_ = QStringLiteral("openbox did not take over the display");
    return managed;
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
}

QString XSession::run(const QString& program, const QStringList& arguments) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

unsigned long XSession::findWindow(const QString& title) const
{
    const QString ids = run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                        QStringLiteral("--name"), QRegularExpression::escape(title)});
    const QStringList list = ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return list.isEmpty() ? 0 : list.first().toULong();
}

unsigned long XSession::waitForMaximized(const QString& title, int milliseconds) const
{
    unsigned long window = 0;
    waitUntil(
        [&] {
            window = findWindow(title);
            return window && clientRect(window).width() == Width;
        },
        milliseconds);
    return window && clientRect(window).width() == Width ? window : 0;
}

std::vector<unsigned long> XSession::stacking() const
{
    // "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x400006, 0x400015"
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    std::vector<unsigned long> windows;
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return windows;
    for (const QString& id : line.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        windows.push_back(id.trimmed().toULong(nullptr, 16));
    return windows;
}

QRect XSession::clientRect(unsigned long window) const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    auto number = [&](const QString& label) {
        const qsizetype at = info.indexOf(label);
        return at < 0 ? -1 : info.mid(at + label.size()).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
    };
    return QRect(number(QStringLiteral("Absolute upper-left X:")), number(QStringLiteral("Absolute upper-left Y:")),
                 number(QStringLiteral("Width:")), number(QStringLiteral("Height:")));
}

QRect XSession::frameRect(unsigned long window) const
{
    // "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 1": left, right, top, bottom.
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                                       QStringLiteral("_NET_FRAME_EXTENTS")});
    const QStringList parts = line.section(QLatin1Char('='), 1).split(QLatin1Char(','));
    const QRect client = clientRect(window);
    if (parts.size() != 4)
        return client;
    return client.adjusted(-parts[0].trimmed().toInt(), -parts[2].trimmed().toInt(), parts[1].trimmed().toInt(),
                           parts[3].trimmed().toInt());
}

void XSession::click(QPoint at, int button) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                    QStringLiteral("click"), QString::number(button)});
}

void XSession::doubleClick(QPoint at) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                    QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                                    QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

void XSession::key(const QString& keys) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
}

void XSession::type(const QString& text) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

QImage XSession::screen() const
{
    QFile file(dir_.filePath(QStringLiteral("Xvfb_screen0")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    const uchar* bytes = file.map(0, size);
    return bytes ? decodeXwd(bytes, size) : QImage();
}
