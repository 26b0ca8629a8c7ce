#include "widgets/QtSoundDevice.h"

#include "game/WaveFile.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

TQtSoundDevice::TQtSoundDevice() = default;

TQtSoundDevice::~TQtSoundDevice() = default;

bool TQtSoundDevice::Open(const std::string &fileName, std::string &errorText)
{
    errorText = CheckWaveFile(fileName);
    if (!errorText.empty())
        return false;
    const QString path = QFileInfo(QString::fromLocal8Bit(fileName.c_str())).absoluteFilePath();
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(path));
    return true;
}

void TQtSoundDevice::Close()
{
    if (effect_)
        effect_->stop();
    effect_.reset();
}

void TQtSoundDevice::Play()
{
    // The effect loads in the background and starts as soon as it can.
    if (effect_)
        effect_->play();
}
