#pragma once
#include <QString>

// Alarm sounds. playWave plays a wave file asynchronously by file name,
// looked up beside the program; a missing or unplayable file plays nothing.
class ISound {
public:
    virtual ~ISound() = default;
    virtual void playWave(const QString& fileName) = 0;
    virtual void beep() = 0;
};
