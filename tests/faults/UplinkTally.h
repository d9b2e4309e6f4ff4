#pragma once
// What a historian subscribed to the broker received of a data logfile:
// each whole line of the file sent at least once, in order, unaltered.
#include "support/MqttSubscriber.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct Tally {
    qint64 logged = 0;     // whole lines in the logfile, each to be sent at least once
    qint64 received = 0;   // messages of that file, repeats included
    qint64 duplicates = 0;
    qint64 lost = 0;
    qint64 outOfOrder = 0; // first arrivals behind an earlier line
    qint64 altered = 0;    // arrived with a text other than the file's
};

Tally tally(const QByteArray& file, const QString& fileName, const std::vector<MqttSubscriber::Received>& messages);
