// The resources of the program: string tables, the menu bar, tool bars, accelerators,
// dialog templates and bitmaps, registered by their ids at start-up.
#pragma once

#include "platform/core/Types.h"

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_DOCUMENT = 129;
constexpr UINT IDR_PROJECT = 130;
constexpr UINT IDR_CATALOG = 131;

void RegisterProgramResources();
