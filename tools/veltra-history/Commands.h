#pragma once
// The commands of veltra-history: each is a function of its own file,
// listed once in main.cpp.
#include <QStringList>

namespace Exit {
constexpr int Ok = 0;
constexpr int Failed = 1;  // the work could not be done (a logfile unreadable, the output not written)
constexpr int BadUse = 2;  // bad arguments, an unreadable folder, no logfiles in the range
} // namespace Exit

struct Command {
    const char* name;
    const char* summary;
    // Arguments after the command's name; returns the exit code.
    int (*run)(const QStringList& arguments);
    // Its options, as "COMMAND --help" shows them.
    QString (*help)();
    // It paints (fonts), so it runs in a QGuiApplication.
    bool paints = false;
};

int exportCommand(const QStringList& arguments);
QString exportHelp();
int journalCommand(const QStringList& arguments);
QString journalHelp();
int reportCommand(const QStringList& arguments);
QString reportHelp();

int forecastCommand(const QStringList& arguments);
QString forecastHelp();
