// Shared values of the ink layer: ink space is measured in 0.01 mm; pens, editing modes and
// the kinds of division units carry their classic numbers.
#pragma once

#include "platform/core/Types.h"

#include <array>
#include <optional>
#include <string>

enum class InkPenTip { Ball = 0, Rectangle = 1 };
enum class InkOverlayEditingMode { Ink = 0, Delete = 1, Select = 2 };
enum class InkOverlayEraserMode { StrokeErase = 0, PointErase = 1 };
enum class InkCollectionMode { InkOnly = 0, GestureOnly = 1, InkAndGesture = 2 };
enum class InkDivisionType { Segment = 0, Line = 1, Paragraph = 2, Drawing = 3 };

constexpr int kInkCopyPen = 13, kInkMaskPen = 9;  // raster operations
constexpr int kInkSpacePerInch = 2540;

// A GUID key in its 16 stored bytes, read from the braced text form in any letter case.
using InkGuid = std::array<BYTE, 16>;
std::optional<InkGuid> ParseInkGuid(const std::string& text);
std::string FormatInkGuid(const InkGuid& guid);
