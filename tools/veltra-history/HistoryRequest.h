#pragma once
// What every command over a log folder is told: the folder, the
// installation, the days, the store to use, and how the logfiles' dates read.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QString>
#include <cstdint>

class LogfileCatalog;
class LogfileClock;

struct HistoryRequest {
    QString logDir;
    QString installation;
    QDate from; // local calendar days, both included (for commands over days)
    QDate to;
    QString cache; // the store to use or make; empty: SummaryStore::defaultPath
    bool swapDate = false;
};

class HistoryOptions {
public:
    // withDays: the command takes --from and --to.
    explicit HistoryOptions(bool withDays = true);
    void addTo(QCommandLineParser& parser) const;
    // Checks the options and the folder; false with the problem in words.
    bool read(const QCommandLineParser& parser, HistoryRequest& request, QString* problem) const;

private:
    QCommandLineOption logDir_;
    QCommandLineOption installation_;
    QCommandLineOption from_;
    QCommandLineOption to_;
    QCommandLineOption cache_;
    QCommandLineOption swapDate_;
    bool withDays_;
};

// YYYY-MM-DD and nothing else.
bool readDay(const QString& text, QDate& day);
// False, with the problem in words, when the request's days have no
// logfiles of its installation.
bool findLogfiles(const LogfileCatalog& catalog, const HistoryRequest& request, QString* problem);
// The instant a local calendar day begins.
int64_t startOfDay(LogfileClock& clock, const QDate& day);

// Adds the help option; "Usage: veltra-history COMMAND [options]" and the
// parser's options.
void addHelp(QCommandLineParser& parser);
QString helpText(const QCommandLineParser& parser, const QString& command);
// Parses a command's arguments; "--help" prints its help. Returns -1 to go
// on, otherwise the exit code to end with.
int parseCommand(QCommandLineParser& parser, const QString& command, const QStringList& arguments);

// Prints "veltra-history: <message>" on standard error and returns the code.
int complain(const QString& message, int exitCode);
