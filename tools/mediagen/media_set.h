#pragma once

#include "mod_writer.h"
#include "score_parser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

struct MediaFile {
    std::string name; // as the demo names it
    std::vector<uint8_t> bytes;
};

// The module: the score's patterns and order, its sample slots filled by our instruments.
Module buildModule(const Score& score);

// Every file of the demo's Media folder, made from the score text and our own drawing code.
std::vector<MediaFile> buildMedia(const std::string& scoreText);

} // namespace mediagen
