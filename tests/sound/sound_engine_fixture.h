// An engine base object with its own log and settings, on the headless backend.
#pragma once

#include "temp_directory.h"
#include "test_resources.h"

#include <TDirectSound.h>
#include <TLumaBase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class SoundEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    std::string log() const { return directory.read("LumaTest.log"); }
    void storeNumber(const char* name, DWORD value);
    void storeText(const char* name, const std::string& text);
    // The value's type, and its contents as text (numbers in decimal).
    bool stored(const char* name, DWORD& type, std::string& contents);

    TempDirectory directory;
    std::unique_ptr<TLumaBase> base;
};
