// HSV, HLS and grey: per depth formulas; 8U works in integers with the hue in half degrees.
#include "imaging/ipl/IplColorKernel.h"

#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using Real = long double;

constexpr const char* kDepthText = "errInOutDepth";
constexpr const char* kModule = "owncolor";

int64_t fullScale(int depth)
{
    return depth == iplDepth8u ? 255 : depth == iplDepth16u ? 65535 : 2147483647;
}

// Hue in degrees (not yet halved) from the branch of the maximum; differences in 64 bits.
int64_t hueOf(int64_t r, int64_t g, int64_t b, int64_t maximum, int64_t d)
{
    Real h;
    if (r == maximum)
        h = static_cast<Real>((g - b) * 60) / d;
    else if (g == maximum)
        h = static_cast<Real>((b - r) * 60) / d + 120;
    else
        h = static_cast<Real>((r - g) * 60) / d + 240;
    if (h < 0)
        h += 360;
    return static_cast<int64_t>(h);
}

void sectorColour(int64_t sector, Real v, Real p, Real q, Real t, double* rgb)
{
    Real r, g, b;
    switch (sector) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    rgb[0] = static_cast<double>(r), rgb[1] = static_cast<double>(g), rgb[2] = static_cast<double>(b);
}

void hsvToRgbWide(const double* hsv, double* rgb, int64_t m)
{
    Real h = hsv[0], s = hsv[1], v = hsv[2];
    if (s == 0) {
        rgb[0] = rgb[1] = rgb[2] = hsv[2];
        return;
    }
    int64_t sector = 0;
    Real f = 0;
    if (h != 360) {
        Real scaled = h / 60;
        sector = static_cast<int64_t>(scaled);
        f = scaled - sector;
    }
    Real p = std::trunc((m - s) * v / m);
    Real q = std::trunc((m - f * s) * v / m);
    Real t = std::trunc((m - (1 - f) * s) * v / m);
    sectorColour(sector, v, p, q, t, rgb);
}

void hsvToRgb8(const double* hsv, double* rgb)
{
    auto h = 2 * static_cast<int64_t>(hsv[0]);
    auto s = static_cast<int64_t>(hsv[1]), v = static_cast<int64_t>(hsv[2]);
    if (s == 0) {
        rgb[0] = rgb[1] = rgb[2] = static_cast<double>(v);
        return;
    }
    int64_t sector = h == 360 ? 0 : h / 60;
    int64_t f = h == 360 ? 0 : h % 60;
    int64_t sv = (s * v) >> 8;
    int64_t p = v - sv;
    int64_t q = v - ((sv * f * 34) >> 11);
    int64_t t = v - (((60 - f) * sv * 34) >> 11);
    sectorColour(sector, v, p, q, t, rgb);
}

Real ramp(Real m1, Real m2, Real x)
{
    if (x < 60) return m1 + (m2 - m1) * x / 60;
    if (x < 180) return m2;
    if (x < 240) return m1 + (m2 - m1) * (240 - x) / 60;
    return m1;
}

void hlsToRgbWide(const double* hls, double* rgb, int depth)
{
    Real h = hls[0], l = hls[1], s = hls[2];
    if (s == 0) {
        rgb[0] = rgb[1] = rgb[2] = hls[1];
        return;
    }
    Real m = static_cast<Real>(fullScale(depth));
    bool low = depth == iplDepth16u ? l <= 32767 : l < 1073741824.0L;
    Real m2 = low ? l + l * s / m : l + s - l * s / m;
    Real m1 = 2 * l - m2;
    Real xs[3] = {h > 240 ? h - 240 : h + 120, h, h < 120 ? h + 240 : h - 120};
    for (int k = 0; k < 3; ++k) {
        Real x = xs[k];
        if (depth == iplDepth16u)
            x = x < 0 ? x + 360 : (x > 360 ? x - 360 : x);
        rgb[k] = static_cast<double>(std::trunc(ramp(m1, m2, x)));
    }
}

int64_t ramp8(int64_t m1, int64_t m2, int64_t k, int64_t x)
{
    if (x < 60) return ((k * x) >> 13) + m1;
    if (x < 180) return m2;
    if (x >= 240) return m1;
    return ((k * (240 - x)) >> 13) + m1;
}

void hlsToRgb8(const double* hls, double* rgb)
{
    auto h = 2 * static_cast<int64_t>(hls[0]);
    auto l = static_cast<int64_t>(hls[1]), s = static_cast<int64_t>(hls[2]);
    if (s == 0) {
        rgb[0] = rgb[1] = rgb[2] = static_cast<double>(l);
        return;
    }
    int64_t m2 = l > 127 ? s + l - ((l * s * 258) >> 16) : l + ((l * s * 258) >> 16);
    int64_t m1 = 2 * l - m2;
    rgb[0] = static_cast<double>(ramp8(m1, m2, (m2 - l) * 274, h < 241 ? h + 120 : h - 240));
    rgb[1] = static_cast<double>(ramp8(m1, m2, (m2 - m1) * 137, h));
    rgb[2] = static_cast<double>(ramp8(m1, m2, (m2 - m1) * 137, h < 120 ? h + 240 : h - 120));
}

bool depthRefused(const OwnColourJob& job, const char* func)
{
    return ownColourDepthRefused(job, {iplDepth32s, iplDepth16u, iplDepth8u}, func, kDepthText, kModule);
}

// Every result is stored in the range of the depth, so no write wraps around.
void clampAll(double* out, int n, int depth)
{
    for (int k = 0; k < n; ++k)
        out[k] = ownClampTruncate(out[k], ownDepthRange(depth));
}

} // namespace

void ownRGB2HSV(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "HSV");
    if (depthRefused(job, "ownRGB2HSV"))
        return;
    int depth = job.src->depth;
    int64_t m = fullScale(depth);
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Model, [&](const double* rgb, double* hsv) {
        auto r = static_cast<int64_t>(rgb[0]), g = static_cast<int64_t>(rgb[1]), b = static_cast<int64_t>(rgb[2]);
        int64_t v = std::max({r, g, b}), d = v - std::min({r, g, b});
        int64_t s = 0;
        if (v != 0)
            s = depth == iplDepth8u ? (d * 255) / v : static_cast<int64_t>(static_cast<Real>(d) * m / v);
        int64_t h = (s == 0 || d == 0) ? 0 : hueOf(r, g, b, v, d);
        hsv[0] = static_cast<double>(depth == iplDepth8u ? h >> 1 : h);
        hsv[1] = static_cast<double>(s);
        hsv[2] = static_cast<double>(v);
        clampAll(hsv, 3, depth);
    });
}

void ownHSV2RGB(const OwnColourJob& job)
{
    if (depthRefused(job, "ownHSV2RGB"))
        return;
    int depth = job.src->depth;
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, [&](const double* hsv, double* rgb) {
        if (depth == iplDepth8u)
            hsvToRgb8(hsv, rgb);
        else
            hsvToRgbWide(hsv, rgb, fullScale(depth));
        clampAll(rgb, 3, depth);
    });
}

void ownRGB2HLS(const OwnColourJob& job)
{
    ownSetModelLetters(job.dst, "HLS");
    if (depthRefused(job, "ownRGB2HLS"))
        return;
    int depth = job.src->depth;
    Real m = static_cast<Real>(fullScale(depth));
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Model, [&](const double* rgb, double* hls) {
        auto r = static_cast<int64_t>(rgb[0]), g = static_cast<int64_t>(rgb[1]), b = static_cast<int64_t>(rgb[2]);
        int64_t mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
        Real sum = static_cast<Real>(mx) + mn;
        Real s = 0;
        int64_t h = 0;
        if (d != 0) {
            Real denominator = sum <= m ? sum : 2 * m - sum;
            s = denominator == 0 ? 0 : m * d / denominator;
            h = hueOf(r, g, b, mx, d);
        }
        hls[0] = static_cast<double>(depth == iplDepth8u ? h >> 1 : h);
        hls[1] = static_cast<double>(depth == iplDepth8u ? (mx + mn) >> 1 : static_cast<int64_t>(sum) >> 1);
        hls[2] = static_cast<double>(std::trunc(s));
        clampAll(hls, 3, depth);
    });
}

void ownHLS2RGB(const OwnColourJob& job)
{
    if (depthRefused(job, "ownHLS2RGB"))
        return;
    int depth = job.src->depth;
    ownColourKernel(job, OwnSide::Model, OwnSide::Rgb, [&](const double* hls, double* rgb) {
        if (depth == iplDepth8u)
            hlsToRgb8(hls, rgb);
        else
            hlsToRgbWide(hls, rgb, depth);
        clampAll(rgb, 3, depth);
    });
}

void ownColorToGray(const OwnColourJob& job)
{
    int from = job.src->depth, to = job.dst->depth;
    bool sourceOk = from == iplDepth32s || from == iplDepth16u || from == iplDepth8u;
    bool targetOk = to == iplDepth1u || to == iplDepth8u || to == iplDepth16u;
    if (!sourceOk || !targetOk) {
        ownColourDepthRefused(job, {}, "ownColorToGray", kDepthText, kModule);
        return;
    }
    ownColourKernel(job, OwnSide::Rgb, OwnSide::Grey, [&](const double* rgb, double* grey) {
        auto r = static_cast<int64_t>(rgb[0]), g = static_cast<int64_t>(rgb[1]), b = static_cast<int64_t>(rgb[2]);
        int64_t v;
        if (from == iplDepth32s) {
            int shift = to == iplDepth1u ? 10 : 11;
            int64_t sum = 109 * (r >> shift) + 366 * (g >> shift) + 37 * (b >> shift);
            v = to == iplDepth1u ? sum > 536870911 : (to == iplDepth16u ? sum >> 13 : sum >> 21);
        } else {
            int64_t sum = 54 * r + 183 * g + 18 * b;
            bool wide = from == iplDepth16u;
            if (to == iplDepth1u)
                v = (sum >> 8) > (wide ? 32767 : 127);
            else if (to == iplDepth16u)
                v = wide ? sum >> 8 : sum;
            else
                v = wide ? sum >> 16 : sum >> 8;
        }
        grey[0] = ownClampTruncate(static_cast<Real>(v), ownDepthRange(to));
    });
}

void ownGrayToColor(const OwnColourJob& job, float fractR, float fractG, float fractB)
{
    int from = job.src->depth, to = job.dst->depth;
    bool sourceOk = from == iplDepth32s || from == iplDepth16u || from == iplDepth8u ||
                    (from == iplDepth1u && to == iplDepth8u);
    if (!sourceOk) {
        ownColourDepthRefused(job, {}, "ownGrayToColor", kDepthText, kModule);
        return;
    }
    bool defaults = fractR == 0 && fractG == 0 && fractB == 0;
    float fractions[3] = {fractR, fractG, fractB};
    int64_t k[3];
    int shift;
    if (to == iplDepth32s) {
        const int64_t standard[3] = {6968, 23434, 2364};
        shift = 15;
        for (int i = 0; i < 3; ++i)
            k[i] = defaults ? standard[i] : static_cast<int64_t>(fractions[i] * 32768.0f);
    } else {
        bool wide = to == iplDepth16u;
        const int64_t standard[2][3] = {{54, 183, 18}, {109, 366, 37}};
        shift = defaults ? (wide ? 9 : 8) : (wide ? 15 : 8);
        for (int i = 0; i < 3; ++i)
            k[i] = defaults ? standard[wide][i]
                            : static_cast<uint16_t>(static_cast<int64_t>(fractions[i] * (wide ? 32768.0f : 256.0f)));
    }
    ownColourKernel(job, OwnSide::Grey, OwnSide::Rgb, [&](const double* grey, double* rgb) {
        auto g = static_cast<int64_t>(grey[0]);
        if (from == iplDepth1u)
            g = g ? 255 : 0;
        for (int i = 0; i < 3; ++i) {
            int64_t v = from == iplDepth32s ? (((g & 0xFFFF) * k[i]) >> 15) + (g >> 16) * k[i] * 2 : (g * k[i]) >> shift;
            rgb[i] = ownClampTruncate(static_cast<Real>(v), ownDepthRange(to));
        }
    });
}
