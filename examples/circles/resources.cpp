// The program's string table, as a resource script gives it on Windows.
#include "resource_ids.h"

#include <luma/resources.h>

namespace {

const LumaStringResource strings[] = {
    {IDS_PROGRAM_NAME, "Circles"},
    {IDS_REGISTRY_KEY, "Software\\LumaBase Examples\\Circles"},
};

} // namespace

extern const LumaResources programResources = {strings, 2, nullptr, 0};
