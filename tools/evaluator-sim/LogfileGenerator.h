#pragma once
#include <QDateTime>
#include <QString>

// Writes a data logfile as the logger would have written it during a long
// measurement: the start header, then every second one record per sensor,
// with connection info lines mixed in and a fresh header after each
// midnight. Stops after the second whose lines reach `bytes` bytes.
// Returns false with an error text when the file cannot be written.
bool writeLogfile(const QString& path, qint64 bytes, int sensorCount, const QDateTime& start,
                  const QString& installation, QString* error);
