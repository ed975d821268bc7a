// The registry in the text form of a registry export, as the settings file holds it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace luma {

struct RegistryValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct RegistryKey {
    std::string path; // as first written, e.g. HKEY_CURRENT_USER\Software\Korvani
    std::map<std::string, RegistryValue> values; // by lower-case name
};

// Keys by lower-case path.
using RegistryTree = std::map<std::string, RegistryKey>;

std::string lowerCase(std::string text);

// Reads the text form. False (and an empty tree) for text that is not a registry export
// of ours; `problem` then says what is wrong.
bool parseRegistry(const std::string& text, RegistryTree& tree, std::string& problem);
std::string formatRegistry(const RegistryTree& tree);

} // namespace luma
