#include "logging/MeasurementController.h"

#include "config/ConfigValues.h"
#include "logging/EventSinks.h"
#include "logging/FrmAbort.h"
#include "logging/IMeasurementWindow.h"
#include "logging/LogWriter.h"
#include "platform/IDialogRunner.h"
#include "platform/ISerialPort.h"
#include "platform/IStripChart.h"
#include "platform/ITimer.h"

namespace {
const QString StartCaption = QStringLiteral("Start");
const QString StopCaption = QStringLiteral("Stop");
constexpr int ChartChannels = 30;
} // namespace

void MeasurementController::connectWriter()
{
    p_.log.onLogWriteFailed = [this] { logfileWriteFailed(); };
    p_.log.onEventWriteFailed = [this] { eventfileWriteFailed(); };
    p_.log.stillLogging = [this] { return measuring_; };
}

void MeasurementController::MenueStartStop_Click()
{
    if (p_.window.startStopCaption() == StartCaption) {
        start();
        return;
    }
    if (p_.log.logWriteFailed()) {
        stop(StopKind::Forced);
        return;
    }
    // The dialog is modal but lines keep arriving; a failed write may have
    // stopped the measurement meanwhile.
    if (passwordConfirmsStop() && measuring_)
        stop(StopKind::Confirmed);
}

void MeasurementController::start()
{
    p_.window.setMenusEnabled(false);
    p_.window.setStartStopCaption(StopCaption);
    measuring_ = true;
    if (p_.window.fileMode())
        return;

    // A port that is missing or in use leaves the measurement running
    // without data; the watchdog reports the missing evaluator.
    p_.port.setPortOpen(true);
    p_.displayTimer.setEnabled(true);
    if (p_.chart) {
        p_.chart->BeginRow();
        p_.chart->AddRowNow();
        for (int channel = 0; channel < ChartChannels; ++channel)
            p_.chart->SetChannelValue(channel, -1, 0.0);
        p_.chart->EndRow();
    }
    p_.log.beginLogging();
    p_.events.SetEventtext(EventCode::MeasureStarted, 0);
    p_.window.applyTimeScale();

    // A failed write in the header stops the measurement from inside it;
    // the rest of the start must then not run.
    if (!p_.log.writeStartHeader() || !measuring_)
        return;
    p_.window.startWatchdog();
}

void MeasurementController::stop(StopKind kind)
{
    p_.window.setStartStopCaption(StartCaption);
    p_.window.setMenusEnabled(true);
    measuring_ = false;

    if (p_.window.fileMode()) {
        p_.window.requestStopLoading();
    } else {
        if (p_.port.portOpen())
            p_.port.setPortOpen(false);
        p_.displayTimer.setEnabled(false);
        setAllChannelsZero();
        if (kind == StopKind::Confirmed) {
            p_.log.SetInfotext(p_.log.stopText());
            p_.log.SetEvtInfotext(p_.log.stopText());
        }
        p_.events.SetEventtext(EventCode::MeasureStopped, 0);
        p_.window.stopWatchdog();
    }
    p_.log.clearLogWriteFailed();
}

void MeasurementController::setAllChannelsZero()
{
    if (!p_.chart)
        return;
    for (int channel = 0; channel < ChartChannels; ++channel)
        p_.chart->SetChannelValue(channel, -1, 0.0);
}

bool MeasurementController::passwordConfirmsStop()
{
    FrmAbort dialog(p_.config.PASSWORD, p_.dialogParent);
    p_.dialogs.exec(dialog);
    return dialog.GetStatus() == -1;
}

void MeasurementController::logfileWriteFailed()
{
    if (measuring_) {
        MenueStartStop_Click();
        return;
    }
    // Nothing runs that could be stopped (an alarm confirmed after the
    // stop, say); the next measurement gets a fresh try.
    p_.log.clearLogWriteFailed();
}

void MeasurementController::eventfileWriteFailed()
{
    // Outside a measurement the Start/Stop command would start one: a failed
    // write must never do that (the stop text itself may be what failed).
    if (measuring_)
        MenueStartStop_Click();
}

bool MeasurementController::Form_QueryUnload()
{
    if (exited_)
        return true;
    if (measuring_ && !passwordConfirmsStop())
        return false;
    exitRoutine();
    return true;
}

void MeasurementController::exitRoutine()
{
    if (exited_)
        return;
    exited_ = true;
    if (p_.port.portOpen())
        p_.port.setPortOpen(false);
    if (measuring_)
        p_.log.writeExitLine();
    measuring_ = false;
    p_.window.endProgram();
}
