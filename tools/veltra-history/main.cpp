// veltra-history: the history of a log folder's data logfiles from the
// command line, through the same library as the logger's window.
#include "Commands.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

const Command Commands[] = {
    {"export", "summaries of an installation's logfiles over some days as CSV", exportCommand, exportHelp},
    {"journal", "the alarm journal of an installation over some days as CSV", journalCommand, journalHelp},
};

void printHelp(FILE* to)
{
    std::fprintf(to, "Usage: veltra-history COMMAND [OPTIONS]\n\nCommands:\n");
    for (const Command& c : Commands)
        std::fprintf(to, "  %-10s %s\n", c.name, c.summary);
    for (const Command& c : Commands)
        std::fprintf(to, "\n%s", qUtf8Printable(c.help()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
    for (const Command& c : Commands)
        if (name == QLatin1String(c.name))
            return c.run(arguments.mid(1));
    std::fprintf(stderr, "veltra-history: unknown command '%s'\n\n", qPrintable(name));
    printHelp(stderr);
    return Exit::BadUse;
}
