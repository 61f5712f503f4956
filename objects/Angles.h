// Angle normalisation and conversion. Every angle comes out in (-180, 180] degrees or
// (-pi, pi] radians; an angle that is not finite becomes 0.
#pragma once

double NormalizeRadians(double angle);
double RadiansToDegrees(double angle);
double NormalizeDegrees(double angle);
double DegreesToRadians(double angle);
