// What the colour, font and file choosers share: the "<Default>" button that ends them with
// IDCANCEL and a reset flag, so the caller falls back to the automatic value.
#pragma once

#include "platform/core/Types.h"

constexpr UINT ID_CHOOSER_DEFAULT = 28546;
constexpr UINT IDS_CHOOSER_DEFAULT = 26629;
constexpr UINT IDS_BROWSE_FILES = 26630;
