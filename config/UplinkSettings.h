#pragma once
#include <QString>

class RdWrConfig;
struct MqttConnection;

// The plant uplink's settings: optional keys of the configuration file.
// MQTT_HOST empty or absent means the uplink is off. MQTT_PORT defaults to
// 1883, or 8883 with MQTT_TLS=1; MQTT_CAFILE names the certificate
// authorities to trust (empty: the system's).
struct UplinkSettings {
    static constexpr int PlainPort = 1883;
    static constexpr int TlsPort = 8883;

    QString host;
    int port = 0; // 0: the default port for the tls setting
    QString user;
    QString password;
    bool tls = false;
    QString caFile;

    bool enabled() const { return !host.isEmpty(); }
    int portInUse() const { return port > 0 ? port : (tls ? TlsPort : PlainPort); }
    // The broker to reach with these settings, as `clientId`.
    MqttConnection connection(const QString& clientId) const;

    // Reads the six keys; a port that is not a number in 1..65535 reads as
    // the default.
    static UplinkSettings read(RdWrConfig& store, const QString& file);
    // Writes the six keys; false when one could not be saved (the store's
    // lastFailure() tells why).
    bool write(RdWrConfig& store, const QString& file) const;

    // What keeps these settings from working as typed, in words; empty when
    // nothing does. Values the configuration could only keep cut short, a
    // host with blanks, a CA file that cannot be read.
    QString problem() const;
};
