// A string table for engine tests, registered as the program's resources.
#pragma once

#include <windows.h>

const UINT testNameId = 10001;
const UINT testKeyId = 10002;
const UINT longNameId = 20001;
const UINT missingId = 29999;

void RegisterTestResources();
