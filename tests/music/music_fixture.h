// A demo with its base object and no sound, in a directory of its own, for the music tests.
#pragma once

#include "module_builder.h"
#include "temp_directory.h"

#include "demo_state.h"
#include "music/mixer.h"
#include "music/module.h"
#include "music/music_buffer.h"
#include "music/music_player.h"
#include "music/music_render.h"
#include "music/music_state.h"
#include "music/sequencer.h"

#include <TLumaBase.h>

#include <gtest/gtest.h>

#include <string>

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the module and loads it with sound off.
    void load(const ModuleBuilder& module);
    std::string log() const;
    // True when a WM_CLOSE for the main window waits in the queue (it is taken).
    bool closeRequested();

    TempDirectory directory;
};
