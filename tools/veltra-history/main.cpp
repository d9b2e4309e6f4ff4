// veltra-history: the history of a log folder's data logfiles from the
// command line, through the same library as the logger's window.
#include "Commands.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const Command Commands[] = {
    {"export", "summaries of an installation's logfiles over some days as CSV", exportCommand, exportHelp},
    {"forecast", "where each value is heading and when it reaches each level, as JSON", forecastCommand,
     forecastHelp},
    {"journal", "the alarm journal of an installation over some days as CSV", journalCommand, journalHelp},
    {"report", "the report of an installation over some days as a PDF", reportCommand, reportHelp, true},
};

void printHelp(FILE* to)
{
    std::fprintf(to, "Usage: veltra-history COMMAND [OPTIONS]\n\nCommands:\n");
    for (const Command& c : Commands)
        std::fprintf(to, "  %-10s %s\n", c.name, c.summary);
    for (const Command& c : Commands)
        std::fprintf(to, "\n%s", qUtf8Printable(c.help()));
}

const Command* commandNamed(const char* name)
{
    for (const Command& c : Commands)
        if (name && std::strcmp(name, c.name) == 0)
            return &c;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    const Command* command = argc > 1 ? commandNamed(argv[1]) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->paints) {
        // Painting needs a platform, never a screen: reports are made on
        // servers and in scripts as well.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("veltra-history"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printHelp(stderr);
        return Exit::BadUse;
    }
    const QString& name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printHelp(stdout);
        return Exit::Ok;
    }
    if (command)
        return command->run(arguments.mid(1));
    std::fprintf(stderr, "veltra-history: unknown command '%s'\n\n", qPrintable(name));
    printHelp(stderr);
    return Exit::BadUse;
}
