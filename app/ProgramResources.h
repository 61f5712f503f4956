// The resources of the program that the main road needs: the frame and document strings, the
// menus with the insert tools, the accelerators and the texts of the tools and undo steps.
#pragma once

#include "platform/core/Types.h"

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_DOCUMENT = 129;

void RegisterProgramResources();
