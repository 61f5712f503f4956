// The game's resources: menu, accelerators, icon, About box, the graphics bitmap and the
// sounds, registered at start-up; bitmaps are found by name.
#pragma once

#include "platform/core/Types.h"

#include <vector>

constexpr UINT IDI_STACKWELL = 101;
constexpr UINT IDR_MENU = 102;
constexpr UINT IDR_ACCELERATORS = 103;
constexpr UINT IDD_ABOUT = 114;
constexpr UINT ID_EXIT = 1001;
constexpr UINT ID_NEW_GAME = 40001;
constexpr UINT ID_LEVEL_1 = 40002;  // to ID_LEVEL_1 + 3
constexpr UINT ID_ABOUT = 40006;
constexpr UINT ID_NORMAL = 40007;
constexpr UINT ID_CRAZY = 40008;
constexpr UINT ID_SOUND = 40009;

constexpr int kGraphicsWidth = 329;
constexpr int kGraphicsHeight = 400;
constexpr const char* kGraphicsName = "IDB_Graphics";

void RegisterGameResources();

// A bitmap file registered under a name.
void RegisterNamedBitmap(const char* name, std::vector<BYTE> file);
const std::vector<BYTE>* FindNamedBitmap(const char* name);

// The graphics bitmap as an 8-bit bitmap file: the background in (0, 0)-(320, 375) and five
// 21 x 21 cell tiles from (0, 379).
std::vector<BYTE> MakeGraphicsBitmap();

// A short falling tone as a wave file: 22050 Hz, 8 bits, mono.
std::vector<BYTE> MakeGameSound(double startHz, double endHz, int milliseconds);
