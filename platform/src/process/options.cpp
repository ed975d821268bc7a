#include "process/options.h"

#include <cstdio>
#include <cstdlib>

namespace luma {

namespace {

const char* const usageText =
    "Usage: %s [options]\n"
    "\n"
    "Plays the demo full screen. With no options it asks for the sound first.\n"
    "\n"
    "Options:\n"
    "  --sound off|22|44   answer the settings dialog without showing it\n"
    "  --window            play in a window (1280 x 960) instead of full screen\n"
    "  --fullscreen        play full screen (the default)\n"
    "  --integer-scale     scale the picture by whole numbers only, with black borders\n"
    "  --pixel-format F    pixel layout of the display: 565 or 555 (default 565)\n"
    "  --headless          no window and no sound device: render on a virtual clock\n"
    "  --fps N             frames per second of the headless clock and of captures (default 60)\n"
    "  --record FILE.mp4   record the demo as a video with sound (needs ffmpeg)\n"
    "  --frames DIR        write every frame as a PNG file into DIR\n"
    "  --wav FILE          write the sound as a WAV file\n"
    "  --screenshot MS:FILE.png  write the frame on screen at demo time MS (repeatable)\n"
    "                      (--record, --frames, --wav and --screenshot imply --headless)\n"
    "  --seed N            seed the random numbers with N instead of the time\n"
    "  --stop-at MS        press a key at demo time MS (ends the demo)\n"
    "  --hold S:MS[:SYNC]  for programmers and checks: show scene S frozen at scene time MS\n"
    "                      (sync byte SYNC) instead of following the music, until a key\n"
    "  --reset-settings    remove the settings file first (turns sound back on)\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "\n"
    "Environment: LUMA_BACKEND=headless selects the headless backend;\n"
    "LUMA_PIXEL_FORMAT=565|555 chooses the pixel layout when --pixel-format is not given.\n"
    "Settings are kept in $XDG_CONFIG_HOME/LumaPlatform/HKEY_CURRENT_USER.reg.\n";

bool readNumber(const std::string& text, unsigned long& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 10)
        return false;
    value = std::strtoul(text.c_str(), nullptr, 10);
    return value <= 0xFFFFFFFFul;
}

// SCENE:MS or SCENE:MS:SYNC, each part a number.
bool isHold(const std::string& text) {
    size_t first = text.find(':');
    if (first == std::string::npos)
        return false;
    size_t second = text.find(':', first + 1);
    std::string parts[3] = {text.substr(0, first),
                            text.substr(first + 1, second == std::string::npos
                                                       ? std::string::npos
                                                       : second - first - 1),
                            second == std::string::npos ? "0" : text.substr(second + 1)};
    unsigned long limits[3] = {255, 0x7FFFFFFFul, 255};
    for (int i = 0; i < 3; ++i) {
        unsigned long number = 0;
        if (!readNumber(parts[i], number) || number > limits[i])
            return false;
    }
    return true;
}

} // namespace

ProgramOptions parseOptions(const std::vector<std::string>& arguments, const std::string& program) {
    ProgramOptions options;
    auto fail = [&](const std::string& problem) {
        std::fprintf(stderr, "%s: %s\n\n", program.c_str(), problem.c_str());
        std::fprintf(stderr, usageText, program.c_str());
        options.exitNow = true;
        options.exitStatus = 2;
        return options;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        auto value = [&]() { return arguments[++i]; };
        unsigned long number = 0;
        if (option == "--help" || option == "-h") {
            std::printf(usageText, program.c_str());
            options.exitNow = true;
            return options;
        } else if (option == "--version") {
            std::printf("%s %s\n", program.c_str(), LUMA_PROGRAM_VERSION);
            options.exitNow = true;
            return options;
        } else if (option == "--headless") {
            options.backend = "headless";
        } else if (option == "--window" || option == "--fullscreen") {
            options.windowedSet = true;
            options.windowed = option == "--window";
        } else if (option == "--integer-scale") {
            options.integerScale = true;
        } else if (option == "--pixel-format") {
            std::string format = hasValue ? value() : "";
            if (format != "565" && format != "555")
                return fail("--pixel-format takes 565 or 555");
            options.pixelFormat = std::stoi(format);
        } else if (option == "--reset-settings") {
            options.resetSettings = true;
        } else if (option == "--sound") {
            std::string choice = hasValue ? value() : "";
            if (choice == "off")
                options.soundChoice = 0;
            else if (choice == "22")
                options.soundChoice = 1;
            else if (choice == "44")
                options.soundChoice = 2;
            else
                return fail("--sound takes off, 22 or 44");
        } else if (option == "--stop-at") {
            if (!hasValue || !readNumber(value(), number))
                return fail("--stop-at takes a time in milliseconds");
            options.stopAtSet = true;
            options.stopAt = number;
        } else if (option == "--fps") {
            if (!hasValue || !readNumber(value(), number) || number < 1 || number > 1000)
                return fail("--fps takes a number from 1 to 1000");
            options.framesPerSecond = static_cast<int>(number);
        } else if (option == "--hold") {
            std::string held = hasValue ? value() : "";
            if (!isHold(held))
                return fail("--hold takes SCENE:MS or SCENE:MS:SYNC, for instance 4:2000");
            options.commandLine +=
                (options.commandLine.empty() ? "" : " ") + std::string("--hold ") + held;
        } else if (option == "--record" || option == "--frames" || option == "--wav") {
            std::string path = hasValue ? value() : "";
            if (path.empty())
                return fail(option + " takes a " + (option == "--frames" ? "folder" : "file name"));
            std::string& target = option == "--record"   ? options.recordPath
                                  : option == "--frames" ? options.framesFolder
                                                         : options.wavPath;
            target = path;
            options.backend = "headless";
        } else if (option == "--screenshot") {
            std::string shot = hasValue ? value() : "";
            size_t colon = shot.find(':');
            if (colon == std::string::npos || colon + 1 == shot.size() ||
                !readNumber(shot.substr(0, colon), number))
                return fail(
                    "--screenshot takes MS:FILE.png, a demo time in milliseconds and a file");
            options.screenshots.emplace_back(number, shot.substr(colon + 1));
            options.backend = "headless";
        } else if (option == "--seed") {
            if (!hasValue || !readNumber(value(), number))
                return fail("--seed takes a number");
            options.commandLine += (options.commandLine.empty() ? "" : " ") +
                                   std::string("--seed ") + std::to_string(number);
        } else {
            return fail("unknown option " + option);
        }
    }
    return options;
}

} // namespace luma
