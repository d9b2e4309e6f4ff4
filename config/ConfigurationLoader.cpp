#include "config/ConfigurationLoader.h"

#include "config/RdWrConfig.h"
#include "platform/IMessageBox.h"
#include "platform/ISerialPort.h"
#include "platform/NumberText.h"

#include <QDir>
#include <utility>

namespace {

struct DefaultLine {
    const char* key;
    const char* value;
};

// The lines after the header of a new file, in their order.
constexpr DefaultLine DefaultLines[] = {
    {"COM", "1"},          {"BAUDRATE", "9600"}, {"INSTALLATION", "Main_Engine"}, {"REFRESH", "2"},
    {"PASSWORD", "kesmor"}, {"AUTOSTART", "0"},  {"SWAPDATE", "0"},               {"LBL_S1", "Sensor1"},
};

QString defaultValue(const QString& key)
{
    for (const DefaultLine& line : DefaultLines) {
        if (key == QLatin1String(line.key))
            return QString::fromLatin1(line.value);
    }
    return QString();
}

} // namespace

ConfigurationLoader::ConfigurationLoader(ConfigValues& values, RdWrConfig& store, ISerialPort& port,
                                         IMessageBox& messageBox, std::function<void(bool)> enableStart)
    : values_(values), store_(store), port_(port), messageBox_(messageBox), enableStart_(std::move(enableStart))
{
}

QString ConfigurationLoader::text(const QString& key) const
{
    QString value = store_.GetConfigValue(values_.ConfigFileName, key);
    // When the default file could not be written, run on the defaults rather
    // than on the empty values of a file that is not there.
    if (value.isEmpty() && defaultsInMemory_)
        value = defaultValue(key);
    return value;
}

int16_t ConfigurationLoader::number(const QString& key) const
{
    return NumberText::leadingInt16(text(key));
}

void ConfigurationLoader::store(const QString& key, const QString& value)
{
    store_.SetConfigValue(values_.ConfigFileName, key, value);
}

QString ConfigurationLoader::createDefaultFile()
{
    bool written = store_.CreateConfigFile(values_.ConfigFileName, values_.ConfigHeader);
    for (const DefaultLine& line : DefaultLines) {
        if (written)
            written = store_.SetConfigValue(values_.ConfigFileName, QString::fromLatin1(line.key),
                                            QString::fromLatin1(line.value));
    }
    defaultsInMemory_ = !written;
    return written ? QStringLiteral("default VELTRA-logger.ini file created !")
                   : QStringLiteral("default VELTRA-logger.ini file could not be written !");
}

QString ConfigurationLoader::testPort()
{
    if (port_.portOpen())
        port_.setPortOpen(false);
    port_.setCommPort(values_.COM);
    port_.setSettings(values_.PortBaud + QStringLiteral(",n,8,1"));
    // A settings text the port refuses fails the open, so it lands here too.
    const bool opened = port_.setPortOpen(true);
    const std::optional<SerialAccessDenied> denied = opened ? std::nullopt : port_.accessDenied();
    const bool closed = port_.setPortOpen(false);
    portHint_ = denied ? QStringLiteral("\n") + serialAccessHint(*denied) : QString();
    return opened && closed ? QString() : QStringLiteral("serial Port not available !");
}

void ConfigurationLoader::LoadConfiguration()
{
    QString msg;
    values_.ConfigFileName = QStringLiteral("VELTRA-logger1.ini");
    values_.ConfigHeader = QStringLiteral("[VELTRA-LOGGER Version 1.03_1]");
    defaultsInMemory_ = false;

    if (store_.GetConfigHeader(values_.ConfigFileName) != values_.ConfigHeader)
        msg = createDefaultFile();

    values_.COM = number(QStringLiteral("COM"));
    if (values_.COM > 16 || values_.COM < 1) {
        values_.COM = 1;
        store(QStringLiteral("COM"), QStringLiteral("1"));
    }

    values_.BAUDRATE = text(QStringLiteral("BAUDRATE"));
    if (values_.BAUDRATE.isEmpty()) {
        values_.BAUDRATE = QStringLiteral("9600");
        store(QStringLiteral("BAUDRATE"), values_.BAUDRATE);
    }
    values_.PortBaud = values_.BAUDRATE;

    const QString portProblem = testPort();
    if (!portProblem.isEmpty())
        msg = portProblem;

    values_.INSTALLATION = text(QStringLiteral("INSTALLATION"));

    values_.REFRESH = number(QStringLiteral("REFRESH"));
    if (values_.REFRESH > 3 || values_.REFRESH < 1) {
        values_.REFRESH = 2;
        store(QStringLiteral("REFRESH"), QStringLiteral("2"));
        msg = QStringLiteral("check setup chart, refresh time !");
    }

    values_.PASSWORD = text(QStringLiteral("PASSWORD"));
    values_.LOGDIR = text(QStringLiteral("LOGDIR"));
    if (values_.LOGDIR.isEmpty())
        values_.LOGDIR = store_.homeDirectory();
    // A hand-edited directory without its trailing separator still works.
    if (!values_.LOGDIR.endsWith(QLatin1Char('/')))
        values_.LOGDIR += QLatin1Char('/');

    values_.AUTOSTART = number(QStringLiteral("AUTOSTART"));
    if (values_.AUTOSTART > 1)
        values_.AUTOSTART = 0;
    values_.SWAPDATE = number(QStringLiteral("SWAPDATE"));
    if (values_.SWAPDATE > 1)
        values_.SWAPDATE = 0;

    for (int n = 1; n <= 6; ++n) {
        QString label = text(QStringLiteral("LBL_S%1").arg(n));
        if (label.isEmpty())
            label = QStringLiteral("Sensor%1").arg(n);
        values_.LBL_S[n - 1] = label;
    }

    if (!msg.isEmpty()) {
        QString text = QStringLiteral("Please reenter settings with menu Setup, ") + msg + QStringLiteral(" !");
        if (msg == portProblem)
            text += portHint_;
        messageBox_.show(ConfigErrorTitle, text, MessageIcon::Error);
        if (enableStart_)
            enableStart_(false);
    } else if (enableStart_) {
        enableStart_(true);
    }
}
