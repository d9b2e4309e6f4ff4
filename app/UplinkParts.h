#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ConfigurationLoader;
class IClock;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class IMqttClient;
class QLabel;
class QMainWindow;
class QMenu;
class RdWrConfig;
class UplinkPublisher;
class UplinkSetup;
struct ConfigValues;
struct UplinkState;

// The plant uplink in the main window: the publisher of the data logfiles,
// its state as a label in the status bar ("Plant uplink: connected"), and
// the Setup menu's "Plant uplink" item. The publisher follows every load of
// the configuration and every change of the uplink's settings.
class UplinkParts final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QMainWindow& window;
        QMenu* setupMenu;
        RdWrConfig& store;
        const ConfigValues& config;
        ConfigurationLoader& loader;
        IDialogRunner& runner;
        IMessageBox& messageBox;
        IFileDialog& fileDialog;
        const IClock& clock;
        QString homeDirectory;
        const std::function<std::unique_ptr<IMqttClient>()>& makeClient;
    };

    explicit UplinkParts(const Parts& parts);
    ~UplinkParts() override;

    // Reads the uplink's settings from the configuration file and applies
    // them with the installation and log directory now configured.
    void reconfigure();

    UplinkPublisher& publisher() { return *publisher_; }
    QLabel* stateLabel() const { return label_; }

private:
    void show(const UplinkState& state);

    RdWrConfig& store_;
    const ConfigValues& config_;
    std::unique_ptr<IMqttClient> client_;
    std::unique_ptr<IMqttClient> testClient_;
    std::unique_ptr<UplinkPublisher> publisher_;
    std::unique_ptr<UplinkSetup> setup_;
    QLabel* label_;
};
