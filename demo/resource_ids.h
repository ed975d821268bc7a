// Ids of the program's resources.
#pragma once

#define IDS_PROGRAM_NAME 10001
#define IDS_REGISTRY_KEY 10002

#define IDD_SETTINGS 1
#define IDC_SOUND_OFF 101
#define IDC_SOUND_22KHZ 102
#define IDC_SOUND_44KHZ 103
