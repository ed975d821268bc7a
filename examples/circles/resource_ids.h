#pragma once

#define IDS_PROGRAM_NAME 1
#define IDS_REGISTRY_KEY 2
