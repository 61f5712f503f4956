// Pen strokes of words written in block capitals, the way a careful hand prints them: each
// letter is a few straight or rounded strokes on a grid 4 wide and 6 high.
#pragma once

#include "platform/core/Types.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace printed {

using Stroke = std::vector<POINT>;

struct GridPoint {
    double x, y;
};
using Letter = std::vector<std::vector<GridPoint>>;

// Part of the ellipse in the letter's box, from one angle to another (degrees, clockwise from
// the right on screen).
inline std::vector<GridPoint> Arc(double cx, double cy, double rx, double ry, double from, double to)
{
    std::vector<GridPoint> points;
    const int steps = 16;
    for (int i = 0; i <= steps; ++i) {
        const double a = (from + (to - from) * i / steps) * std::numbers::pi / 180;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

inline std::vector<GridPoint> Join(std::vector<GridPoint> a, const std::vector<GridPoint>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Letter LetterOf(char c)
{
    switch (c) {
    case 'A': return {{{0, 6}, {2, 0}, {4, 6}}, {{1, 3.6}, {3, 3.6}}};
    case 'B': return {{{0, 0}, {0, 6}}, Join({{0, 0}, {2.6, 0}}, Join(Arc(2.6, 1.5, 1.3, 1.5, -90, 90), {{0, 3}})),
                      Join({{0, 3}, {2.8, 3}}, Join(Arc(2.8, 4.5, 1.2, 1.5, -90, 90), {{0, 6}}))};
    case 'C': return {Arc(2, 3, 2, 3, -40, -320)};
    case 'D': return {{{0, 0}, {0, 6}}, Join({{0, 0}, {1.5, 0}}, Join(Arc(1.5, 3, 2.5, 3, -90, 90), {{0, 6}}))};
    case 'E': return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'H': return {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}};
    case 'I': return {{{2, 0}, {2, 6}}, {{0.8, 0}, {3.2, 0}}, {{0.8, 6}, {3.2, 6}}};
    case 'K': return {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.6}}, {{1.3, 2.5}, {4, 6}}};
    case 'L': return {{{0, 0}, {0, 6}, {4, 6}}};
    case 'N': return {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}};
    case 'O': return {Arc(2, 3, 2, 3, 0, 360)};
    case 'P': return {Join({{0, 6}, {0, 0}, {2.6, 0}}, Join(Arc(2.6, 1.6, 1.4, 1.6, -90, 90), {{0, 3.2}}))};
    case 'R': return {Join({{0, 6}, {0, 0}, {2.6, 0}}, Join(Arc(2.6, 1.6, 1.4, 1.6, -90, 90), {{0, 3.2}})),
                      {{1.8, 3.2}, {4, 6}}};
    case 'S': return {Join(Arc(2, 1.5, 2, 1.5, -20, -270), Arc(2, 4.5, 2, 1.5, -90, 160))};
    case 'T': return {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}};
    case 'U': return {Join({{0, 0}}, Join(Arc(2, 4, 2, 2, 180, 0), {{4, 0}}))};
    case 'V': return {{{0, 0}, {2, 6}, {4, 0}}};
    case 'W': return {{{0, 0}, {1, 6}, {2, 2}, {3, 6}, {4, 0}}};
    case 'Y': return {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}};
    default: return {};
    }
}

// The strokes of the text, its letters `height` high, the first letter's top left at the origin.
// A space is as wide as a letter; letters stand half a letter apart.
inline std::vector<Stroke> Write(const std::string& text, POINT origin, int height)
{
    std::vector<Stroke> strokes;
    const double unit = height / 6.0;
    double left = origin.x;
    for (char c : text) {
        for (const auto& line : LetterOf(c)) {
            Stroke stroke;
            for (const GridPoint& p : line)
                stroke.push_back({static_cast<LONG>(std::lround(left + p.x * unit)),
                                  static_cast<LONG>(std::lround(origin.y + p.y * unit))});
            strokes.push_back(stroke);
        }
        left += (c == ' ' ? 4 : 6) * unit;
    }
    return strokes;
}

} // namespace printed
