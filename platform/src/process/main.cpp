// The program's entry on Linux: the platform's options, then WinMain, as Windows would call it.
#include "process/options.h"

#include <windows.h>

#include <luma/platform.h>
#include <luma/resources.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

// The program's own: its entry and its resource tables.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
extern const LumaResources programResources;

namespace {

std::string baseName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// The settings dialog's answer: its n-th radio button, then its default button.
std::vector<int> settingsAnswer(int radioIndex) {
    std::vector<int> ids;
    if (programResources.dialogCount < 1)
        return ids;
    const LumaDialogTemplate& dialog = programResources.dialogs[0];
    int defaultButton = IDOK;
    int radiosSeen = 0;
    for (int i = 0; i < dialog.controlCount; ++i) {
        const LumaDialogControl& control = dialog.controls[i];
        if (std::strcmp(control.windowClass, "BUTTON") != 0)
            continue;
        if ((control.style & 0x0F) == BS_DEFPUSHBUTTON)
            defaultButton = control.id;
        if ((control.style & 0x0F) == BS_AUTORADIOBUTTON && radiosSeen++ == radioIndex)
            ids.push_back(control.id);
    }
    ids.push_back(defaultButton);
    return ids;
}

} // namespace

int main(int argc, char** argv) {
    std::string program = baseName(argc > 0 ? argv[0] : "program");
    luma::ProgramOptions options =
        luma::parseOptions(std::vector<std::string>(argv + 1, argv + argc), program);
    if (options.exitNow)
        return options.exitStatus;

    LumaRegisterResources(&programResources);
    if (!options.backend.empty())
        LumaSelectBackend(options.backend.c_str());
    if (options.windowedSet)
        LumaSetWindowed(options.windowed);
    LumaSetFramesPerSecond(options.framesPerSecond);
    LumaSetPixelFormat(options.pixelFormat);
    LumaSetIntegerScale(options.integerScale);
    if (options.stopAtSet)
        LumaStopAt(static_cast<DWORD>(options.stopAt));
    if (!options.recordPath.empty())
        LumaRecordVideo(options.recordPath.c_str());
    if (!options.framesFolder.empty())
        LumaWriteFrames(options.framesFolder.c_str());
    if (!options.wavPath.empty())
        LumaWriteSound(options.wavPath.c_str());
    for (const auto& [milliseconds, path] : options.screenshots)
        LumaScreenshotAt(static_cast<DWORD>(milliseconds), path.c_str());
    // The headless device plays at the chosen rate whatever buffer comes first, so that the
    // music's buffer passes through it unchanged.
    if (options.soundChoice > 0)
        LumaSetHeadlessSoundRate(options.soundChoice == 1 ? 22050 : 44100);
    if (options.soundChoice >= 0) {
        std::vector<int> answer = settingsAnswer(options.soundChoice);
        LumaAnswerDialogs(answer.data(), static_cast<int>(answer.size()));
    }
    if (options.resetSettings && ::unlink(LumaSettingsPath()) == 0)
        std::fprintf(stderr, "%s: removed the settings file %s\n", program.c_str(),
                     LumaSettingsPath());

    char problem[1024];
    if (!LumaBackendReady(problem, sizeof problem)) {
        std::fprintf(stderr,
                     "%s: no display to play on (%s).\n"
                     "To render the demo without a display, run it headless, for instance:\n"
                     "  %s --headless --sound 22\n",
                     program.c_str(), problem, argv[0]);
        return 1;
    }

    if (!LumaStartCapture(problem, sizeof problem)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), problem);
        return 1;
    }

    std::vector<char> commandLine(options.commandLine.begin(), options.commandLine.end());
    commandLine.push_back('\0');
    int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    if (!LumaFinishCapture(problem, sizeof problem)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), problem);
        return status != 0 ? status : 1;
    }
    return status;
}
