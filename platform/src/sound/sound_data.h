// The sound of one buffer: its bytes and their format, shared with its duplicates.
#pragma once

#include <mmsystem.h>

#include <cstdint>
#include <memory>

namespace luma {

struct SoundData {
    WAVEFORMATEX format;
    DWORD bytes;
    // Kept as 16-bit words so that 16-bit frames are read as what they are.
    std::unique_ptr<int16_t[]> words;

    uint8_t* begin() { return reinterpret_cast<uint8_t*>(words.get()); }
    // Whole frames only: a trailing partial frame is never played.
    DWORD frames() const { return bytes / format.nBlockAlign; }
};

} // namespace luma
