#include "config/ConfigurationLoader.h"

#include "config/RdWrConfig.h"
#include "core/Version.h"
#include "platform/IMessageBox.h"
#include "platform/ISerialPort.h"
#include "core/NumberText.h"

#include <QDir>
#include <utility>

namespace {

const QString PortProblem = QStringLiteral("serial Port not available !");

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
                                         IMessageBox& messageBox, QObject* parent)
    : QObject(parent), values_(values), store_(store), port_(port), messageBox_(messageBox)
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
    if (!store_.SetConfigValue(values_.ConfigFileName, key, value))
        noteWriteFailure();
}

void ConfigurationLoader::noteWriteFailure()
{
    // No file at all is the default file's failure, reported with it.
    if (store_.lastFailure() == RdWrConfig::Failure::NoFile)
        return;
    writeFailed_ = true;
    const QString reason = store_.lastFailure() == RdWrConfig::Failure::TableFull
        ? QStringLiteral("%1 has no room for another line").arg(values_.ConfigFileName)
        : store_.lastError();
    if (!reason.isEmpty() && !notes_.contains(reason))
        notes_ << reason;
}

QString ConfigurationLoader::createDefaultFile()
{
    const QString notWritten = QStringLiteral("default VELTRA-logger.ini file could not be written !");
    // The old file is replaced only once a copy of it is safe.
    const QString copy = store_.KeepCopyOfConfigFile(values_.ConfigFileName);
    if (store_.lastFailure() != RdWrConfig::Failure::None) {
        defaultsInMemory_ = true;
        notes_ << QStringLiteral("The old %1 was left as it is: no copy of it could be made (%2).")
                      .arg(values_.ConfigFileName, store_.lastError());
        return notWritten;
    }
    if (!copy.isEmpty())
        notes_ << QStringLiteral("The old file is kept as %1").arg(QDir::toNativeSeparators(copy));

    bool written = store_.CreateConfigFile(values_.ConfigFileName, values_.ConfigHeader);
    for (const DefaultLine& line : DefaultLines) {
        if (written)
            written = store_.SetConfigValue(values_.ConfigFileName, QString::fromLatin1(line.key),
                                            QString::fromLatin1(line.value));
    }
    defaultsInMemory_ = !written;
    if (!written)
        noteWriteFailure();
    return written ? QStringLiteral("default VELTRA-logger.ini file created !") : notWritten;
}

QString ConfigurationLoader::logDirectory() const
{
    QString dir = text(QStringLiteral("LOGDIR"));
    if (dir.isEmpty())
        dir = store_.homeDirectory();
    // A hand-edited directory without its trailing separator still works.
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString ConfigurationLoader::messageText(const QString& msg) const
{
    QString text = QStringLiteral("Please reenter settings with menu Setup, ") + msg + QStringLiteral(" !");
    // How to get access to the port, while the port is the problem shown.
    if (msg == PortProblem)
        text += portHint_;
    for (const QString& note : notes_)
        text += QLatin1Char('\n') + note;
    return text;
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
    return opened && closed ? QString() : PortProblem;
}

void ConfigurationLoader::LoadConfiguration()
{
    QString msg;
    values_.ConfigFileName = QStringLiteral("VELTRA-logger1.ini");
    values_.ConfigHeader = QString::fromLatin1(Version::ConfigHeader);
    defaultsInMemory_ = false;
    notes_.clear();
    writeFailed_ = false;
    store_.NarrowConfigFiles(values_.ConfigFileName);

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
    values_.LOGDIR = logDirectory();

    values_.AUTOSTART = number(QStringLiteral("AUTOSTART"));
    if (values_.AUTOSTART > 1)
        values_.AUTOSTART = 0;
    values_.SWAPDATE = number(QStringLiteral("SWAPDATE"));
    if (values_.SWAPDATE > 1)
        values_.SWAPDATE = 0;
    values_.KEEPRUNNING = number(QStringLiteral("KEEPRUNNING")) == 1 ? 1 : 0;
    // On unless switched off: the default file keeps its nine lines.
    values_.DAILYREPORTS = text(QStringLiteral("DAILYREPORTS")) == QLatin1String("0") ? 0 : 1;
    values_.CSVBOM = text(QStringLiteral("CSVBOM")) == QLatin1String("0") ? 0 : 1;
    const int16_t forecastDays = number(QStringLiteral("FORECASTDAYS"));
    values_.FORECASTDAYS = forecastDays >= 3 && forecastDays <= 3650 ? forecastDays : 30;

    for (int n = 1; n <= 6; ++n) {
        QString label = text(QStringLiteral("LBL_S%1").arg(n));
        if (label.isEmpty())
            label = QStringLiteral("Sensor%1").arg(n);
        values_.LBL_S[n - 1] = label;
    }
    report(msg);
}

void ConfigurationLoader::report(QString msg)
{
    // A repair that could not be written is a problem of its own.
    if (msg.isEmpty() && writeFailed_)
        msg = QStringLiteral("settings could not be saved in ") + values_.ConfigFileName;
    if (!msg.isEmpty()) {
        messageBox_.show(ConfigErrorTitle, messageText(msg), MessageIcon::Error);
        emit startEnabled(false);
    } else {
        emit startEnabled(true);
    }
}
