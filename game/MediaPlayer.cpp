#include "game/MediaPlayer.h"

#include "game/SoundDevice.h"

#include <utility>

TMediaPlayer::TMediaPlayer(std::unique_ptr<TSoundDevice> device) : device_(std::move(device)) {}

TMediaPlayer::~TMediaPlayer()
{
    Close();
}

void TMediaPlayer::Close()
{
    if (!open_)
        return;
    device_->Close();
    open_ = false;
}

void TMediaPlayer::Open()
{
    Close();
    std::string reason;
    if (!device_->Open(FileName, reason))
        throw EMCIDeviceError(reason.empty() ? "Unknown error code" : reason);
    open_ = true;
}

void TMediaPlayer::Play()
{
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
    device_->Play();
}

void PlayCue(TMediaPlayer &player, const std::string &fileName)
{
    player.FileName = fileName;
    player.Open();
    player.Play();
}
