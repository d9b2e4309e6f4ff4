#pragma once
// A value that moves at a set rate since an oil change: a history whose
// forecast has a known answer. Its truth is the straight line; around it
// only the value's daily swing and noise on every sample, no wandering.
#include <QString>

struct KnownDrift {
    int sensor = 1;      // 1..6
    int value = 0;       // 0..4: oil quality, oil temperature, loss factor, TDN number, ambient temperature
    double start = 0;    // at the oil change, in the readout's unit
    double perDay = 0;   // readout units a day
    double noise = -1;   // half-width of the noise on every sample (readout units); < 0: the value's usual
};

// "SENSOR:VALUE:START:PERDAY[:NOISE]" with VALUE as veltra-history names it
// ("1:tdn:1000:-8:40"); false on anything else.
bool readKnownDrift(const QString& text, KnownDrift& out);
