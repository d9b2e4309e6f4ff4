#pragma once
// The evaluator's parameter record in force at an instant, from what the
// summary store keeps of each logfile (FileState): no logfile is read.
#include "history/FileSummary.h"

#include "core/Record.h"

#include <optional>
#include <vector>

namespace LastParameterRecord {

// The last record stamped at or before `at` over the last records of the
// files, with the high levels of the last one before it that carried them
// when it did not (as the logger itself takes a short record). A file whose
// last record is stamped after `at` is passed over whole. Nothing when no
// file holds a record by then.
std::optional<ParameterInfo> asOf(const std::vector<FileState>& files, int64_t at);

} // namespace LastParameterRecord
