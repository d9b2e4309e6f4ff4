#include "platform/QtSound.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound(QString directory)
    : directory_(std::move(directory))
{
}

QtSound::~QtSound() = default;

QString QtSound::resolve(const QString& fileName) const
{
    if (fileName.isEmpty())
        return QString();
    const QString dir = directory_.isEmpty() ? QCoreApplication::applicationDirPath() : directory_;
    const QFileInfo file(QDir(dir), fileName);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

void QtSound::playWave(const QString& fileName)
{
    const QString path = resolve(fileName);
    if (path.isEmpty())
        return;
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect_->source() != source)
        effect_->setSource(source);
    effect_->play();
}

void QtSound::beep()
{
    QApplication::beep();
}
