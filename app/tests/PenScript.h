// Script steps that draw with the pen: one stroke is a press, moves and a release in the view.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace e2e {

inline std::string PenStroke(const std::vector<POINT>& points)
{
    auto at = [](const POINT& p) { return " view " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; };
    std::string script = "down" + at(points.front());
    for (size_t i = 1; i < points.size(); ++i)
        script += "move" + at(points[i]);
    return script + "up" + at(points.back()) + "wait 100\n";
}

} // namespace e2e
