#include "app/MeasurementWindow.h"

#include "display/ChartHandlers.h"
#include "display/MainControls.h"
#include "link/PortReopener.h"
#include "link/SubFunctions.h"
#include "playback/PlaybackState.h"

#include <QAction>
#include <QMenu>

void MeasurementWindow::setStartStopCaption(const QString& caption)
{
    if (c_.MenueStartStop)
        c_.MenueStartStop->setText(caption);
}

void MeasurementWindow::setMenusEnabled(bool enabled)
{
    if (c_.MenueFile)
        c_.MenueFile->menuAction()->setEnabled(enabled);
    if (c_.MenueSetup)
        c_.MenueSetup->menuAction()->setEnabled(enabled);
    if (c_.MenueFileLoad)
        c_.MenueFileLoad->setEnabled(enabled);
}

bool MeasurementWindow::fileMode() const
{
    return playback_.fileMode;
}

void MeasurementWindow::requestStopLoading()
{
    playback_.stopLoading = true;
}

void MeasurementWindow::applyTimeScale()
{
    chart_.OptionScaleX_Click(1);
}

void MeasurementWindow::startWatchdog()
{
    if (watchdog_)
        StartWatchdog(*watchdog_);
    if (reopener_)
        reopener_->setEnabled(true);
}

void MeasurementWindow::stopWatchdog()
{
    if (reopener_)
        reopener_->setEnabled(false);
    if (watchdog_)
        StopWatchdog(*watchdog_);
}

void MeasurementWindow::endProgram()
{
    if (endProgram_)
        endProgram_();
}
