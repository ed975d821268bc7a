// The demo's own options on Linux, beside the platform's: the settings dialog answered from
// the command line, and a scene held for effect work and exact checks.
#include "command_line.h"
#include "resource_ids.h"

#include <windows.h>

#include <luma/platform.h>
#include <luma/resources.h>

#include <cstring>

namespace {

// Clicks the dialog's radio button and then its default button, so that the dialog's own
// procedure still decides. The headless device then plays at the rate chosen, whatever
// buffer comes first, so that the music passes through it unchanged.
BOOL answerSoundQuestion(const char* choice) {
    int radio = 0;
    if (std::strcmp(choice, "off") == 0) {
        radio = IDC_SOUND_OFF;
    } else if (std::strcmp(choice, "22") == 0) {
        radio = IDC_SOUND_22KHZ;
        LumaSetHeadlessSoundRate(22050);
    } else if (std::strcmp(choice, "44") == 0) {
        radio = IDC_SOUND_44KHZ;
        LumaSetHeadlessSoundRate(44100);
    } else {
        return FALSE;
    }
    const int clicks[] = {radio, IDOK};
    LumaAnswerDialogs(clicks, 2);
    return TRUE;
}

// The demo reads it from its command line; here it is only checked.
BOOL checkHold(const char* value) {
    HoldRequest request = HoldRequest();
    return ReadHold(value, request) ? TRUE : FALSE;
}

const LumaProgramOption options[] = {
    {"--sound", "off|22|44", "answer the settings dialog without showing it", answerSoundQuestion,
     "--sound takes off, 22 or 44"},
    {"--hold", "S:MS[:SYNC]",
     "for programmers and checks: show scene S frozen at scene time MS\n"
     "(sync byte SYNC) instead of following the music, until a key",
     checkHold, "--hold takes SCENE:MS or SCENE:MS:SYNC, for instance 4:2000"},
};

} // namespace

extern const LumaProgramOptions demoOptions = {
    "Plays the demo full screen. With no options it asks for the sound first.\n"
    "Any key ends the demo.",
    options, static_cast<int>(sizeof options / sizeof options[0])};
