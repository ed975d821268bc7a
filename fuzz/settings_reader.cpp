// The settings-file reader. Whatever it accepts must also come back unchanged from the text
// it would be saved as: otherwise a setting would be lost at the next start.
#include "registry/registry_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool sameTree(const luma::RegistryTree& a, const luma::RegistryTree& b) {
    if (a.size() != b.size())
        return false;
    for (auto left = a.begin(), right = b.begin(); left != a.end(); ++left, ++right) {
        if (left->first != right->first || left->second.path != right->second.path ||
            left->second.values.size() != right->second.values.size())
            return false;
        auto value = left->second.values.begin();
        for (const auto& other : right->second.values) {
            if (value->first != other.first || value->second.name != other.second.name ||
                value->second.type != other.second.type || value->second.data != other.second.data)
                return false;
            ++value;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    luma::RegistryTree tree;
    std::string problem;
    if (!luma::parseRegistry(text, tree, problem))
        return 0;
    std::string saved = luma::formatRegistry(tree);
    luma::RegistryTree reread;
    if (!luma::parseRegistry(saved, reread, problem) || !sameTree(tree, reread)) {
        std::fprintf(stderr, "settings changed on saving and reading again (%s):\n%s\n",
                     problem.c_str(), saved.c_str());
        std::abort();
    }
    return 0;
}
