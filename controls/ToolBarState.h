// The buttons of a customized tool bar as kept in the profile: little-endian, a DWORD count
// and 20 bytes per button (bitmap, command, state, style, two zero bytes, data, string).
// A record of any other size, with more than 256 buttons or non-zero padding, is refused.
#pragma once

#include "platform/ui/ControlBar.h"

#include <cstddef>
#include <vector>

constexpr size_t kMaxToolBarButtons = 256;

std::vector<BYTE> EncodeToolBarButtons(const std::vector<TBBUTTON>& buttons);
BOOL DecodeToolBarButtons(const BYTE* data, size_t size, std::vector<TBBUTTON>& buttons);
