#pragma once
#include "platform/ISound.h"

#include <QString>
#include <memory>

class QSoundEffect;

// Wave files are looked up in the program's directory and played without
// waiting; a missing file plays nothing. beep() is the system beep.
class QtSound final : public ISound {
public:
    // directory: where the wave files are; empty means beside the program.
    explicit QtSound(QString directory = QString());
    ~QtSound() override;

    void playWave(const QString& fileName) override;
    void beep() override;

    // The file that playWave(fileName) would play, or empty when it is missing.
    QString resolve(const QString& fileName) const;

private:
    QString directory_;
    std::unique_ptr<QSoundEffect> effect_; // made on the first playable file
};
