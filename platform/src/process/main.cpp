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

} // namespace

int main(int argc, char** argv) {
    std::string program = baseName(argc > 0 ? argv[0] : "program");
    luma::ProgramOptions options = luma::parseOptions(
        std::vector<std::string>(argv + 1, argv + argc), program, programResources.options);
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
    if (options.resetSettings && ::unlink(LumaSettingsPath()) == 0)
        std::fprintf(stderr, "%s: removed the settings file %s\n", program.c_str(),
                     LumaSettingsPath());

    char problem[1024];
    if (!LumaBackendReady(problem, sizeof problem)) {
        std::fprintf(stderr, "%s: no display to play on (%s).\n", program.c_str(), problem);
#ifdef LUMA_HAS_CAPTURE
        std::fprintf(stderr,
                     "Without a display, record it as a video instead:\n  %s --record FILE.mp4\n"
                     "or run it on a virtual clock, showing nothing: %s --headless\n",
                     argv[0], argv[0]);
#else
        std::fprintf(stderr, "Without a display, run it on a virtual clock: %s --headless\n",
                     argv[0]);
#endif
        return 1;
    }

    if (!LumaStartCapture(problem, sizeof problem)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), problem);
        return 1;
    }

    std::vector<char> commandLine(options.commandLine.begin(), options.commandLine.end());
    commandLine.push_back('\0');
    int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    LumaProgramEnded(status);
    if (!LumaFinishCapture(problem, sizeof problem)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), problem);
        return status != 0 ? status : 1;
    }
    // A capture cut short by Ctrl+C or a termination signal ends as shells expect of it.
    bool capturing = !options.recordPath.empty() || !options.framesFolder.empty() ||
                     !options.wavPath.empty() || !options.screenshots.empty();
    if (capturing && status == 0 && LumaStopSignal() != 0)
        return 128 + LumaStopSignal();
    return status;
}
