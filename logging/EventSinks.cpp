#include "logging/EventSinks.h"

void recordEvent(IEventSink* events, IInfoLog* info, EventCode code, int sensor, const QString& installation)
{
    if (events)
        events->SetEventtext(code, sensor);
    if (info) {
        info->SetInfotext(Events::logfileText(code, sensor, installation));
        info->SetEvtInfotext(Events::eventfileText(code, sensor, installation));
    }
}
