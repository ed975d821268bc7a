// mediagen: writes every file of the demo's Media folder, the same bytes on every run.

#include "icons.h"
#include "media_set.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

const char* const kUsage =
    "usage: mediagen [--score FILE] OUTDIR\n"
    "       mediagen --icons DIR\n"
    "Draws Elle.tga, TLife.tga, TTunnel.tga, ShadeBob.tga, Polaroid.tga and bumpmap.raw and\n"
    "compiles the score (default: " MEDIAGEN_SCORE_FILE ") into Glimmerfall.mod, all into OUTDIR.\n"
    "--icons draws the program's icons from the key picture: DIR/NxN/apps/glimmerfall.png.\n";

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
    std::string scorePath = MEDIAGEN_SCORE_FILE;
    std::string outDir;
    std::string iconDir;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--score" && i + 1 < argc) {
            scorePath = argv[++i];
        } else if (arg == "--icons" && i + 1 < argc) {
            iconDir = argv[++i];
        } else if (outDir.empty() && !arg.empty() && arg[0] != '-') {
            outDir = arg;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (outDir.empty() == iconDir.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        if (!iconDir.empty()) {
            mediagen::writeIcons(iconDir);
            return 0;
        }
        std::filesystem::create_directories(outDir);
        for (const mediagen::MediaFile& file : mediagen::buildMedia(readText(scorePath)))
            writeBytes(outDir + "/" + file.name, file.bytes);
    } catch (const std::exception& error) {
        std::cerr << "mediagen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
