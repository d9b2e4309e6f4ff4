#include "history/LastParameterRecord.h"

#include "history/AlarmLevels.h"

#include <algorithm>

namespace LastParameterRecord {

namespace {

bool apply(const QByteArray& record, ParameterInfo& info)
{
    Record::Parameter parsed;
    if (record.isEmpty() || !Record::parseParameter(record, Record::Logfile, parsed))
        return false;
    parsed.applyTo(info);
    return true;
}

} // namespace

std::optional<ParameterInfo> asOf(const std::vector<FileState>& files, int64_t at)
{
    // Latest first; of two records stamped alike, the one of the file that
    // comes later in the store's order (by first row).
    std::vector<const FileState*> holding;
    for (auto f = files.rbegin(); f != files.rend(); ++f)
        if (!f->parameterRecord.isEmpty() && f->parameterInstant <= at)
            holding.push_back(&*f);
    std::stable_sort(holding.begin(), holding.end(), [](const FileState* a, const FileState* b) {
        return a->parameterInstant > b->parameterInstant;
    });
    if (holding.empty())
        return std::nullopt;
    // High levels never sent are off, not levels at 0.
    ParameterInfo info;
    info.mainAlarmLevelHigh = AlarmLevels::MainAlarmHighOff;
    info.preAlarmLevelHigh = AlarmLevels::PreAlarmHighOff;
    for (const FileState* f : holding)
        if (apply(f->parameterRecordWithHighLevels, info))
            break;
    if (!apply(holding.front()->parameterRecord, info))
        return std::nullopt;
    return info;
}

} // namespace LastParameterRecord
