#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread, so that a logger asked to end by the system (a shutdown, the end
// of the desktop session, systemctl stop) ends through its exit routine as
// a normal end, which is not restarted. Without it those signals would end
// the program on the spot, as a crash does.
//
// Only one object may exist at a time: the system's handlers are shared.
class TerminationRequests final : public QObject {
    Q_OBJECT
public:
    explicit TerminationRequests(QObject* parent = nullptr);
    ~TerminationRequests() override;

signals:
    void requested(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};
