#include "sound_engine_fixture.h"

#include <luma/platform.h>

#include <cstring>

void SoundEngineTest::SetUpTestSuite() { LumaSelectBackend("headless"); }

void SoundEngineTest::SetUp() {
    RegisterTestResources();
    base = std::make_unique<TLumaBase>(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
}

void SoundEngineTest::TearDown() { base.reset(); }

void SoundEngineTest::storeNumber(const char* name, DWORD value) {
    RegSetValueExA(base->hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

void SoundEngineTest::storeText(const char* name, const std::string& text) {
    RegSetValueExA(base->hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

bool SoundEngineTest::stored(const char* name, DWORD& type, std::string& contents) {
    char data[256] = {};
    DWORD size = sizeof data - 1;
    if (RegQueryValueExA(base->hKey, name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        contents = std::to_string(number);
    } else {
        contents = data;
    }
    return true;
}
