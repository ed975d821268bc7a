#include "registry/registry_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace luma {

namespace {

const char* const header = "REGEDIT4";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// Reads a quoted string at `at`; leaves `at` after the closing quote.
bool readQuoted(const std::string& line, size_t& at, std::string& text) {
    if (at >= line.size() || line[at] != '"')
        return false;
    text.clear();
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at >= line.size())
                return false;
            c = line[at];
        }
        text += c;
    }
    return false;
}

bool readHexBytes(const std::string& text, std::vector<BYTE>& bytes) {
    bytes.clear();
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.size() != 2 || !std::isxdigit(static_cast<unsigned char>(item[0])) ||
            !std::isxdigit(static_cast<unsigned char>(item[1])))
            return false;
        bytes.push_back(static_cast<BYTE>(std::stoul(item, nullptr, 16)));
    }
    return true;
}

bool parseValue(const std::string& line, RegistryValue& value) {
    size_t at = 0;
    if (!readQuoted(line, at, value.name) || at >= line.size() || line[at] != '=')
        return false;
    std::string rest = line.substr(at + 1);
    if (!rest.empty() && rest[0] == '"') {
        size_t position = 0;
        std::string text;
        if (!readQuoted(rest, position, text) || position != rest.size())
            return false;
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        return true;
    }
    if (rest.rfind("dword:", 0) == 0) {
        std::string digits = rest.substr(6);
        if (digits.size() != 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        uint32_t number = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
        value.type = REG_DWORD;
        value.data.resize(4);
        std::memcpy(value.data.data(), &number, 4);
        return true;
    }
    if (rest.rfind("hex:", 0) == 0) {
        value.type = REG_BINARY;
        return readHexBytes(rest.substr(4), value.data);
    }
    if (rest.rfind("hex(", 0) == 0) {
        size_t close = rest.find("):");
        if (close == std::string::npos)
            return false;
        std::string typeText = rest.substr(4, close - 4);
        if (typeText.empty() ||
            typeText.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
            typeText.size() > 8)
            return false;
        value.type = static_cast<DWORD>(std::stoul(typeText, nullptr, 16));
        return readHexBytes(rest.substr(close + 2), value.data);
    }
    return false;
}

std::string formatValue(const RegistryValue& value) {
    std::string line = quoted(value.name) + "=";
    // A line break inside quotes would split the line and make the whole file unreadable:
    // such text is kept in the hex(1) form instead.
    bool breaksLine = std::find_if(value.data.begin(), value.data.end(), [](BYTE c) {
                          return c == '\n' || c == '\r';
                      }) != value.data.end();
    if (value.type == REG_SZ && !breaksLine) {
        std::string text(value.data.begin(), value.data.end());
        return line + quoted(text);
    }
    char buffer[16];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        uint32_t number;
        std::memcpy(&number, value.data.data(), 4);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        return line + buffer;
    }
    if (value.type == REG_BINARY) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
        line += buffer;
    }
    for (size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%02x", i ? "," : "", value.data[i]);
        line += buffer;
    }
    return line;
}

} // namespace

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool parseRegistry(const std::string& text, RegistryTree& tree, std::string& problem) {
    tree.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    bool seenHeader = false;
    RegistryKey* current = nullptr;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (!seenHeader) {
            if (line != header) {
                problem = "not a registry export";
                tree.clear();
                return false;
            }
            seenHeader = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3) {
                problem = "line " + std::to_string(number) + " is not a key";
                tree.clear();
                return false;
            }
            std::string path = line.substr(1, line.size() - 2);
            RegistryKey& key = tree[lowerCase(path)];
            if (key.path.empty())
                key.path = path;
            current = &key;
            continue;
        }
        RegistryValue value;
        if (!current || !parseValue(line, value)) {
            problem = "line " + std::to_string(number) + " is not a value";
            tree.clear();
            return false;
        }
        current->values[lowerCase(value.name)] = value;
    }
    if (!seenHeader) {
        problem = "empty file";
        return false;
    }
    return true;
}

std::string formatRegistry(const RegistryTree& tree) {
    std::string text = std::string(header) + "\n";
    for (const auto& entry : tree) {
        text += "\n[" + entry.second.path + "]\n";
        for (const auto& value : entry.second.values)
            text += formatValue(value.second) + "\n";
    }
    return text;
}

} // namespace luma
