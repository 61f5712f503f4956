#include "objects/Angles.h"

#include <cmath>
#include <numbers>

namespace {
double NormalizeToHalfTurn(double angle, double halfTurn)
{
    if (!std::isfinite(angle))
        return 0.0;
    double result = std::fmod(angle, 2 * halfTurn);
    if (result > halfTurn)
        result -= 2 * halfTurn;
    else if (result <= -halfTurn)
        result += 2 * halfTurn;
    return result;
}
}

double NormalizeRadians(double angle)
{
    return NormalizeToHalfTurn(angle, std::numbers::pi);
}

double RadiansToDegrees(double angle)
{
    return NormalizeRadians(angle) * 57.29577951308232;
}

double NormalizeDegrees(double angle)
{
    return NormalizeToHalfTurn(angle, 180.0);
}

double DegreesToRadians(double angle)
{
    return NormalizeDegrees(angle) * 0.017453292519943295;
}
