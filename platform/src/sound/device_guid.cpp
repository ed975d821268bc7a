#include "sound/device_guid.h"

#include <cstring>

namespace luma {

namespace {

uint64_t fnv1a(const std::string& text, uint64_t hash) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

} // namespace

// Two FNV-1a hashes from different starting points fill the 16 bytes; the version and
// variant bits mark it as a name-based GUID, which also keeps it from ever being all zero.
GUID deviceGuid(const std::string& name) {
    uint64_t halves[2] = {fnv1a(name, 0xCBF29CE484222325ull), fnv1a(name, 0x84222325CBF29CE4ull)};
    uint8_t bytes[16];
    std::memcpy(bytes, halves, sizeof bytes);
    bytes[7] = static_cast<uint8_t>((bytes[7] & 0x0F) | 0x50);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    GUID guid;
    std::memcpy(&guid, bytes, sizeof guid);
    return guid;
}

bool isNullGuid(const GUID& guid) {
    static const GUID zero = {};
    return std::memcmp(&guid, &zero, sizeof guid) == 0;
}

} // namespace luma
