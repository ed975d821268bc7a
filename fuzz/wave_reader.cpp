// The RIFF/WAV reader: newSound through mmio into buffers of the headless sound device.
#include "engine_host.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static EngineHost host(EngineHost::soundOnly);
    char* file = const_cast<char*>(host.workspace.writeInput(data, size));
    // Two copies, so that the duplicates of a loaded buffer are made as well.
    structDirectSoundBuffer* sound = host.sound->newSound(file, 2);
    host.sound->deleteSound(sound);
    return 0;
}
