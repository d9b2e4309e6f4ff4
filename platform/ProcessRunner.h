#pragma once
#include "platform/ICommandRunner.h"

// ICommandRunner through QProcess: the program is looked up in PATH, and a
// run that takes longer than TimeoutMs is killed.
class ProcessRunner final : public ICommandRunner {
public:
    static constexpr int TimeoutMs = 15000;
    CommandResult run(const QString& program, const QStringList& arguments) override;
};
