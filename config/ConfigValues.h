#pragma once
#include "core/Version.h"

#include <QString>
#include <cstdint>

// The configuration values for the whole run; each field is named after its
// key in the configuration file.
struct ConfigValues {
    QString ConfigFileName = QStringLiteral("VELTRA-logger1.ini");
    QString ConfigHeader = QString::fromLatin1(Version::ConfigHeader);

    int16_t COM = 1;
    QString BAUDRATE = QStringLiteral("9600");
    QString PortBaud = QStringLiteral("9600"); // baud text of the port settings
    QString INSTALLATION = QStringLiteral("Main_Engine");
    int16_t REFRESH = 2; // 1 = 250 ms, 2 = 500 ms, 3 = 1 s
    QString PASSWORD = QStringLiteral("kesmor");
    QString LOGDIR;      // ends in the directory separator
    int16_t AUTOSTART = 0;
    int16_t SWAPDATE = 0;
    // 1 = the desktop session starts the logger and starts it again after an
    // unexpected end (Setup > Keep logger running); absent from a new file,
    // and absent or anything but 1 reads as 0.
    int16_t KEEPRUNNING = 0;
    // The day's report written by itself after midnight (and the week's on
    // Mondays); on unless the key says 0.
    int16_t DAILYREPORTS = 1;
    // The CSV exports begin with UTF-8's byte-order mark ("for
    // spreadsheets"); on unless the key says 0.
    int16_t CSVBOM = 1;
    // Days a forecast looks back for a sensor without a noted oil change or
    // sensor replacement: 30 unless the key gives 3 to 3650.
    int16_t FORECASTDAYS = 30;
    QString LBL_S[6] = {QStringLiteral("Sensor1"), QStringLiteral("Sensor2"), QStringLiteral("Sensor3"),
                        QStringLiteral("Sensor4"), QStringLiteral("Sensor5"), QStringLiteral("Sensor6")};

    QString LogDate; // today as yyyymmdd

    // Sensor label of sensor 1..6.
    const QString& sensorLabel(int sensor) const { return LBL_S[sensor - 1]; }
};
