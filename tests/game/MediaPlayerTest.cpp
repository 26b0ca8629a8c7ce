#include "game/MediaPlayer.h"

#include "support/FakeSoundDevice.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

TEST(MediaPlayer, NewCueClosesTheOneBefore)
{
    auto log = std::make_shared<testkit::TFakeSoundDevice::TLog>();
    {
        TMediaPlayer player(std::make_unique<testkit::TFakeSoundDevice>(log));
        PlayCue(player, "chimes.wav");
        PlayCue(player, "success.wav");
        EXPECT_TRUE(player.DeviceOpen());
    }
    // Destroying the player releases the last cue.
    EXPECT_EQ(log->calls,
              (Calls{"open chimes.wav", "play", "close", "open success.wav", "play", "close"}));
}

TEST(MediaPlayer, FailedOpenRaisesAndLeavesNoDevice)
{
    auto log = std::make_shared<testkit::TFakeSoundDevice::TLog>();
    log->failing = {"success.wav"};
    log->failText = "The sound file success.wav does not exist";
    TMediaPlayer player(std::make_unique<testkit::TFakeSoundDevice>(log));
    PlayCue(player, "chimes.wav");
    try {
        PlayCue(player, "success.wav");
        FAIL() << "no error";
    } catch (const EMCIDeviceError &e) {
        EXPECT_STREQ(e.what(), "The sound file success.wav does not exist");
    }
    EXPECT_FALSE(player.DeviceOpen());
    EXPECT_EQ(log->calls, (Calls{"open chimes.wav", "play", "close", "open success.wav"}));

    try {
        player.Play();
        FAIL() << "no error";
    } catch (const EMCIDeviceError &e) {
        EXPECT_STREQ(e.what(), "No MCI device open");
    }

    log->failText.clear();
    try {
        PlayCue(player, "success.wav");
        FAIL() << "no error";
    } catch (const EMCIDeviceError &e) {
        EXPECT_STREQ(e.what(), "Unknown error code");
    }
}
