#include "process/options.h"

#ifdef LUMA_HAS_CAPTURE
#include "capture/video_container.h"
#endif

#include <luma/platform.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace luma {

namespace {

// Takes an option's value (empty for a flag) into the options; a non-empty result is the
// one-line reason it was refused.
using TakeOption = std::string (*)(ProgramOptions& options, const std::string& value);

struct PlatformOption {
    const char* name;
    const char* argument; // null: a flag
    const char* help;
    TakeOption take;
};

bool readNumber(const std::string& text, unsigned long& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 10)
        return false;
    value = std::strtoul(text.c_str(), nullptr, 10);
    return value <= 0xFFFFFFFFul;
}

void passOn(ProgramOptions& options, const std::string& words) {
    options.commandLine += (options.commandLine.empty() ? "" : " ") + words;
}

#ifdef LUMA_HAS_CAPTURE
std::string takeOutput(std::string& target, ProgramOptions& options, const std::string& path,
                       const char* kind) {
    if (path.empty())
        return std::string("takes a ") + kind;
    target = path;
    options.backend = "headless";
    return "";
}
#endif

const PlatformOption platformOptions[] = {
    {"--window", nullptr, "play in a window (1280 x 960) instead of full screen",
     [](ProgramOptions& options, const std::string&) {
         options.windowedSet = true;
         options.windowed = true;
         return std::string();
     }},
    {"--fullscreen", nullptr, "play full screen (the default)",
     [](ProgramOptions& options, const std::string&) {
         options.windowedSet = true;
         options.windowed = false;
         return std::string();
     }},
    {"--integer-scale", nullptr, "scale the picture by whole numbers only, with black borders",
     [](ProgramOptions& options, const std::string&) {
         options.integerScale = true;
         return std::string();
     }},
    {"--pixel-format", "F", "pixel layout of the display: 565 or 555 (default 565)",
     [](ProgramOptions& options, const std::string& format) {
         if (format != "565" && format != "555")
             return std::string("takes 565 or 555");
         options.pixelFormat = std::atoi(format.c_str());
         return std::string();
     }},
    {"--headless", nullptr, "no window and no sound device: run on a virtual clock",
     [](ProgramOptions& options, const std::string&) {
         options.backend = "headless";
         return std::string();
     }},
    {"--fps", "N", "frames per second of the headless clock and of captures (default 60)",
     [](ProgramOptions& options, const std::string& text) {
         unsigned long number = 0;
         if (!readNumber(text, number) || number < 1 || number > 1000)
             return std::string("takes a number from 1 to 1000");
         options.framesPerSecond = static_cast<int>(number);
         return std::string();
     }},
#ifdef LUMA_HAS_CAPTURE
    {"--record", "FILE.mp4",
     "record the run as a video with sound (needs ffmpeg): .mp4, .mkv or .mov\n"
     "(H.264 and AAC), or .webm (VP9 and Opus)",
     [](ProgramOptions& options, const std::string& path) {
         if (!path.empty() && !videoContainerFor(path))
             return std::string("takes a .mp4, .mkv, .mov or .webm file, not ") + path;
         return takeOutput(options.recordPath, options, path, "file name");
     }},
    {"--frames", "DIR", "write every frame as a PNG file into DIR",
     [](ProgramOptions& options, const std::string& path) {
         return takeOutput(options.framesFolder, options, path, "folder");
     }},
    {"--wav", "FILE", "write the sound as a WAV file",
     [](ProgramOptions& options, const std::string& path) {
         return takeOutput(options.wavPath, options, path, "file name");
     }},
    {"--screenshot", "MS:FILE.png",
     "write the frame on screen at MS milliseconds (repeatable);\n"
     "(--record, --frames, --wav and --screenshot imply --headless)",
     [](ProgramOptions& options, const std::string& shot) {
         size_t colon = shot.find(':');
         unsigned long milliseconds = 0;
         if (colon == std::string::npos || colon + 1 == shot.size() ||
             !readNumber(shot.substr(0, colon), milliseconds))
             return std::string("takes MS:FILE.png, a time in milliseconds and a file");
         options.screenshots.emplace_back(milliseconds, shot.substr(colon + 1));
         options.backend = "headless";
         return std::string();
     }},
#endif
    {"--seed", "N", "seed the program's random numbers with N instead of the time",
     [](ProgramOptions& options, const std::string& text) {
         unsigned long number = 0;
         if (!readNumber(text, number))
             return std::string("takes a number");
         passOn(options, "--seed " + std::to_string(number));
         return std::string();
     }},
    {"--stop-at", "MS", "press Escape at MS milliseconds, which ends most programs",
     [](ProgramOptions& options, const std::string& text) {
         if (!readNumber(text, options.stopAt))
             return std::string("takes a time in milliseconds");
         options.stopAtSet = true;
         return std::string();
     }},
    {"--reset-settings", nullptr, "remove the settings file first",
     [](ProgramOptions& options, const std::string&) {
         options.resetSettings = true;
         return std::string();
     }},
};

// "  --name ARG          help", the help starting in one column; its later lines too.
void printOption(FILE* out, const char* name, const char* argument, const char* help) {
    std::string left = std::string(name) + (argument ? std::string(" ") + argument : "");
    const int column = 22;
    std::string text = "  " + left;
    text += left.size() + 2 < column ? std::string(column - 2 - left.size(), ' ') : "  ";
    for (const char* c = help; *c; ++c)
        text += *c == '\n' ? "\n" + std::string(column, ' ') : std::string(1, *c);
    std::fprintf(out, "%s\n", text.c_str());
}

void printUsage(FILE* out, const std::string& program, const LumaProgramOptions* own) {
    std::fprintf(out, "Usage: %s [options]\n\n", program.c_str());
    if (own && own->about)
        std::fprintf(out, "%s\n\n", own->about);
    if (own && own->count > 0) {
        std::fprintf(out, "Options of %s:\n", program.c_str());
        for (int i = 0; i < own->count; ++i)
            printOption(out, own->options[i].name, own->options[i].argument, own->options[i].help);
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "Options of the platform:\n");
    for (const PlatformOption& option : platformOptions)
        printOption(out, option.name, option.argument, option.help);
    printOption(out, "--help", nullptr, "show this text");
    printOption(out, "--version", nullptr, "show the version");
    std::fprintf(out, "\nAlt+Enter switches between full screen and a window.\n\n"
                      "Environment:\n  LUMA_BACKEND=NAME   the backend:");
    const char* name = nullptr;
    const char* description = nullptr;
    for (int i = 0; LumaBackendAt(i, &name, &description); ++i)
        std::fprintf(out, "\n    %-9s %s%s", name, description, i == 0 ? " (default)" : "");
    std::fprintf(out,
                 "\n  LUMA_PIXEL_FORMAT   565 or 555, when --pixel-format is not given\n"
                 "Settings are kept in $XDG_CONFIG_HOME/LumaPlatform/HKEY_CURRENT_USER.reg.\n");
}

const PlatformOption* findPlatformOption(const std::string& name) {
    for (const PlatformOption& option : platformOptions)
        if (name == option.name)
            return &option;
    return nullptr;
}

const LumaProgramOption* findProgramOption(const LumaProgramOptions* own, const std::string& name) {
    for (int i = 0; own && i < own->count; ++i)
        if (name == own->options[i].name)
            return &own->options[i];
    return nullptr;
}

} // namespace

ProgramOptions parseOptions(const std::vector<std::string>& arguments, const std::string& program,
                            const LumaProgramOptions* own) {
    ProgramOptions options;
    auto refuse = [&](const std::string& problem) {
        std::fprintf(stderr, "%s: %s (see %s --help)\n", program.c_str(), problem.c_str(),
                     program.c_str());
        options.exitNow = true;
        options.exitStatus = 2;
        return options;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            printUsage(stdout, program, own);
            options.exitNow = true;
            return options;
        }
        if (name == "--version") {
            std::printf("%s %s\n", program.c_str(), LUMA_PROGRAM_VERSION);
            options.exitNow = true;
            return options;
        }
        // The program's own options come first: a program may take a name the platform has.
        if (const LumaProgramOption* option = findProgramOption(own, name)) {
            bool hasValue = option->argument && i + 1 < arguments.size();
            if (option->argument && !hasValue)
                return refuse(option->refusal);
            std::string value = hasValue ? arguments[++i] : "";
            if (!option->take(hasValue ? value.c_str() : nullptr))
                return refuse(option->refusal);
            passOn(options, hasValue ? name + " " + value : name);
            continue;
        }
        const PlatformOption* option = findPlatformOption(name);
        if (!option)
            return refuse("unknown option " + name);
        std::string value;
        if (option->argument) {
            if (i + 1 >= arguments.size())
                return refuse(name + " takes " + option->argument);
            value = arguments[++i];
        }
        std::string problem = option->take(options, value);
        if (!problem.empty())
            return refuse(name + " " + problem);
    }
    return options;
}

} // namespace luma
