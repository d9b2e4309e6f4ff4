#pragma once
// Debian's mosquitto broker for tests, on a free loopback port with a
// configuration of its own: a password file made with mosquitto_passwd,
// optionally TLS with a certificate made here with openssl, and optionally
// persistence, so a subscriber's session outlives a broker killed with
// SIGKILL. The port stays the same across restarts.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class BrokerProcess {
public:
    static constexpr const char* User = "veltra";
    static constexpr const char* Password = "s3cret";

    struct Options {
        bool tls = false;
        bool persistence = false;
        int port = 0; // 0: a free one
    };

    BrokerProcess();
    explicit BrokerProcess(Options options);
    ~BrokerProcess() { kill(); }

    // Why the broker cannot run here (mosquitto, mosquitto_passwd or openssl
    // missing); empty when it can.
    static QString missingTools();

    // Starts it and waits until it takes connections.
    bool start();
    void kill();      // SIGKILL: nothing saved, connections cut
    void terminate(); // SIGTERM: the persistent state is saved
    bool running() const { return process_.state() != QProcess::NotRunning; }

    int port() const { return port_; }
    QString caFile() const { return dir_.filePath(QStringLiteral("cert.pem")); }
    QString output();

private:
    bool writeConfiguration();
    bool makeCertificate();

    Options options_;
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    bool configured_ = false;
    QByteArray output_;
};

// A port on 127.0.0.1 that nobody listens on right now.
int freeLoopbackPort();
