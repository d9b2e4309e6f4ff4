// Any bytes as the configuration file: reading, getting, setting and loading
// must neither crash nor break the store's promises.
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "platform/IMessageBox.h"
#include "platform/ISerialPort.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

class SilentBox final : public IMessageBox {
public:
    void show(const QString&, const QString&, MessageIcon) override {}
};

class IdlePort final : public ISerialPort {
public:
    void setCommPort(int) override {}
    int commPort() const override { return 1; }
    void setSettings(const QString&) override {}
    QString settings() const override { return {}; }
    bool portOpen() const override { return false; }
    bool setPortOpen(bool) override { return true; }
    int commEvent() const override { return 0; }
    QByteArray input() override { return {}; }
};

void check(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir home;
    const QString name = QStringLiteral("VELTRA-logger1.ini");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto writeInput = [&] {
        QFile file(home.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    };

    writeInput();
    RdWrConfig store(home.path());
    check(store.ReadConfigFile(name) <= RdWrConfig::MaxLines);
    store.GetConfigHeader(name);
    for (const char* key : {"COM", "BAUDRATE", "LOGDIR", "LBL_S1", "REFRESH"})
        check(store.GetConfigValue(name, QString::fromLatin1(key)).size() <= RdWrConfig::MaxValueLength);

    if (store.SetConfigValue(name, QStringLiteral("COM"), QStringLiteral("7")))
        check(store.GetConfigValue(name, QStringLiteral("COM")) == QStringLiteral("7"));
    // A key made of the input's first bytes.
    const QString key = QString::fromLatin1(bytes.left(8));
    if (store.SetConfigValue(name, key, QStringLiteral("v")))
        check(store.GetConfigValue(name, key) == QStringLiteral("v"));
    check(store.ReadConfigFile(name) <= RdWrConfig::MaxLines);

    writeInput();
    ConfigValues values;
    IdlePort port;
    SilentBox box;
    ConfigurationLoader loader(values, store, port, box);
    loader.LoadConfiguration();
    check(values.COM >= 1 && values.COM <= 16);
    check(values.REFRESH >= 1 && values.REFRESH <= 3);
    check(values.LOGDIR.endsWith(QLatin1Char('/')));
    return 0;
}
