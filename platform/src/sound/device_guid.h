// The GUID of an output device, derived from its name: the same device keeps its GUID
// from run to run, so a device chosen earlier is found again.
#pragma once

#include <windef.h>

#include <string>

namespace luma {

GUID deviceGuid(const std::string& name);
bool isNullGuid(const GUID& guid);

} // namespace luma
