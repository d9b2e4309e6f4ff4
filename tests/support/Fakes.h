#pragma once
// Fakes of the outside world for unit tests.
#include "core/IClock.h"
#include "platform/IDialogRunner.h"
#include "platform/IFileDialog.h"
#include "platform/ILamp.h"
#include "platform/IMessageBox.h"
#include "platform/IProgressWindow.h"
#include "platform/IScreen.h"
#include "platform/ISerialPort.h"
#include "platform/ISerialPortList.h"
#include "platform/ISound.h"
#include "platform/ITimer.h"

#include <QDateTime>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// A clock the test sets and moves.
class FakeClock final : public IClock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 2, 11), QTime(10, 34, 25)))
        : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceSeconds(qint64 s) { now_ = now_.addSecs(s); }

private:
    QDateTime now_;
};

// Records every message box instead of showing it.
class RecordingMessageBox final : public IMessageBox {
public:
    struct Shown {
        QString title;
        QString text;
        MessageIcon icon;
    };
    void show(const QString& title, const QString& text, MessageIcon icon) override
    {
        shown.push_back({title, text, icon});
        if (onShow)
            onShow(shown.back());
    }
    std::vector<Shown> shown;
    std::function<void(const Shown&)> onShow;
};

// A timer fired by the test.
class FakeTimer final : public ITimer {
public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override
    {
        enabled_ = enabled;
        ++restarts;
    }
    bool isEnabled() const override { return enabled_; }
    // Fires once if enabled; returns whether it fired.
    bool fire()
    {
        if (!enabled_ || !onTimeout)
            return false;
        onTimeout();
        return true;
    }
    int restarts = 0;

private:
    int interval_ = 0;
    bool enabled_ = false;
};

// A serial port fed by the test. openFails makes setPortOpen(true) fail;
// denied then tells why.
class FakeSerialPort final : public ISerialPort {
public:
    void setCommPort(int port) override { port_ = port; }
    int commPort() const override { return port_; }
    void setSettings(const QString& s) override { settings_ = s; }
    QString settings() const override { return settings_; }
    bool portOpen() const override { return open_; }
    bool setPortOpen(bool open) override
    {
        ++openCalls;
        if (open && openFails)
            return false;
        open_ = open;
        return true;
    }
    bool reopen() override
    {
        ++reopenCalls;
        return setPortOpen(true);
    }
    std::optional<SerialAccessDenied> accessDenied() const override
    {
        return openFails ? denied : std::nullopt;
    }
    int commEvent() const override { return event_; }
    QByteArray input() override
    {
        QByteArray out;
        out.swap(buffer_);
        return out;
    }
    // Delivers received data as one receive event (event code 2).
    void feed(const QByteArray& bytes)
    {
        buffer_ += bytes;
        raise(2);
    }
    // Delivers an event of any code.
    void raise(int code)
    {
        event_ = code;
        if (onComm)
            onComm();
    }
    bool openFails = false;
    std::optional<SerialAccessDenied> denied;
    int openCalls = 0;
    int reopenCalls = 0;

private:
    int port_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    bool open_ = false;
    int event_ = 0;
    QByteArray buffer_;
};

// The system's serial ports as the test sets them.
class FakeSerialPortList final : public ISerialPortList {
public:
    std::vector<SystemSerialPort> ports() const override { return list; }
    std::vector<SystemSerialPort> list;
};

class RecordingSound final : public ISound {
public:
    void playWave(const QString& fileName) override { played << fileName; }
    void beep() override { ++beeps; }
    QStringList played;
    int beeps = 0;
};

// Answers file dialogs with queued paths (empty when the queue is empty).
class FakeFileDialog final : public IFileDialog {
public:
    QString getOpenFileName(const QString& initialName, const QString& filter) override
    {
        return answer(initialName, filter);
    }
    QString getSaveFileName(const QString& initialName, const QString& filter) override
    {
        return answer(initialName, filter);
    }
    QString getExistingDirectory(const QString& initialFolder) override
    {
        return answer(initialFolder, QString());
    }
    std::deque<QString> answers;
    QStringList initialNames;
    QStringList filters;

private:
    QString answer(const QString& initialName, const QString& filter)
    {
        initialNames << initialName;
        filters << filter;
        if (answers.empty())
            return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A progress window the test reads, and whose "Stop" it clicks: after
// `stopAfter` percent updates, or at once with stopAfter 0.
class FakeProgressWindow final : public IProgressWindow {
public:
    void open(const QString& t) override
    {
        text = t;
        shown = true;
        updates = 0;
    }
    void setPercent(int percent) override
    {
        percents.push_back(percent);
        ++updates;
    }
    bool stopRequested() const override { return stopAfter >= 0 && updates >= stopAfter; }
    void close() override { shown = false; }
    QString text;
    bool shown = false;
    int updates = 0;
    int stopAfter = -1; // never
    std::vector<int> percents;
};

// Runs dialogs without a nested event loop: the test's answer function gets
// the shown dialog, fills it in and clicks its buttons; the result is the
// dialog's result after that (Rejected when the answer did not close it).
class ScriptedDialogRunner final : public IDialogRunner {
public:
    int exec(QDialog& dialog) override;
    std::function<void(QDialog&)> answer;
    int runs = 0;
};

class FakeLamp final : public ILamp {
public:
    void SetActive(bool a) override { active = a; }
    bool Active() const override { return active; }
    void SetActiveColor(uint32_t c) override { activeColor = c; }
    uint32_t ActiveColor() const override { return activeColor; }
    void SetInactiveColor(uint32_t c) override { inactiveColor = c; }
    uint32_t InactiveColor() const override { return inactiveColor; }
    void SetVisible(bool v) override { visible = v; }
    bool IsVisible() const override { return visible; }
    bool active = false;
    bool visible = true;
    uint32_t activeColor = 0x00FF00;
    uint32_t inactiveColor = 0x004000;
};

// A screen of a size the test chooses, at 96 dots per inch.
class FakeScreen final : public IScreen {
public:
    QSize availableSizePx() const override { return size; }
    double logicalDpi() const override { return dpi; }
    QSize size{1280, 800};
    double dpi = 96;
};
