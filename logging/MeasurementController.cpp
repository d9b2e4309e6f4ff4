#include "logging/MeasurementController.h"

#include "config/ConfigValues.h"
#include "logging/EventSinks.h"
#include "logging/FrmAbort.h"
#include "logging/IMeasurementWindow.h"
#include "logging/LogWriter.h"
#include "platform/IDialogRunner.h"
#include "platform/IMessageBox.h"
#include "platform/ISerialPort.h"
#include "chart/IStripChart.h"
#include "platform/ITimer.h"

namespace {
const QString StartCaption = QStringLiteral("Start");
const QString StopCaption = QStringLiteral("Stop");
constexpr int ChartChannels = 30;
} // namespace

MeasurementController::MeasurementController(const Parts& parts, QObject* parent) : QObject(parent), p_(parts)
{
    connect(&p_.log, &LogWriter::writeFailed, this, &MeasurementController::reportWriteFailure, Qt::QueuedConnection);
}

void MeasurementController::MenueStartStop_Click()
{
    // The program is ending (asked to by the system while it was starting up).
    if (exited_)
        return;
    if (!measuring_)
        start();
    else
        requestStop();
}

void MeasurementController::requestStop()
{
    if (!measuring_)
        return;
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

    p_.log.writeStartHeader();
    p_.window.startWatchdog();
    emit loggingChanged(true);
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
        emit loggingChanged(false);
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

void MeasurementController::reportWriteFailure(const WriteFailure& failure)
{
    if (failure.file == WriteFailure::File::Logfile) {
        if (measuring_)
            stop(StopKind::Forced);
        else
            p_.log.clearLogWriteFailed(); // nothing to stop; the next start tries again
    } else {
        // Outside a measurement the command would start one; a failed write
        // must never do that (the stop text itself may be what failed).
        requestStop();
    }
    p_.messages.show(QString(), failure.message, MessageIcon::None);
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
