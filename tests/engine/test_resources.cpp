#include "test_resources.h"

#include <luma/resources.h>

namespace {

const LumaStringResource strings[] = {
    {testNameId, "LumaTest"},
    {testKeyId, "Software\\Korvani\\LumaTest"},
    {longNameId,
     "AVeryLongProgramNameThatGoesOnAndOnForMuchMoreThanEightyCharactersOfTextSoItMustBeCut"},
};

const LumaResources resources = {strings, 3, nullptr, 0, nullptr};

} // namespace

void RegisterTestResources() { LumaRegisterResources(&resources); }
