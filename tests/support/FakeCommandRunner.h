#pragma once
#include "platform/ICommandRunner.h"

#include <QStringList>
#include <functional>

// Answers each command through `respond` (given the whole command line) and
// records every command it was given. Without `respond`, every command
// fails as a missing program would.
class FakeCommandRunner final : public ICommandRunner {
public:
    CommandResult run(const QString& program, const QStringList& arguments) override
    {
        const QString line = (QStringList{program} + arguments).join(QLatin1Char(' '));
        ran << line;
        if (respond)
            return respond(line);
        return CommandResult{false, -1, {}, program + QStringLiteral(" could not be started")};
    }

    static CommandResult exited(int exitCode, const QString& output = {}, const QString& error = {})
    {
        return CommandResult{true, exitCode, output, error};
    }

    std::function<CommandResult(const QString& line)> respond;
    QStringList ran;
};
