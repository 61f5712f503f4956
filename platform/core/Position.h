// POSITION: an opaque iterator of the framework's lists and maps; NULL past the end.
#pragma once

struct VantrelPosition;
using POSITION = VantrelPosition*;
