#include "game/GameResources.h"

#include "game/Game.h"
#include "platform/media/RiffWave.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr DWORD kStyleChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDefaultButton = 0x1;  // default push button
constexpr DWORD kCentred = 0x1;        // centred static text
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

std::map<std::string, std::vector<BYTE>>& NamedBitmaps()
{
    static std::map<std::string, std::vector<BYTE>> bitmaps;
    return bitmaps;
}

// Palette entries: black, background, wells, frame light and dark, then per tile colour its
// face, light edge and dark edge.
constexpr BYTE kBackground = 1, kWell = 2, kFrameLight = 3, kFrameDark = 4, kFirstTile = 5;
constexpr BYTE kTileFaces[5][3] = {{200, 40, 40}, {40, 180, 60}, {50, 90, 220}, {220, 200, 40}, {170, 60, 200}};

std::vector<RGBQUAD> GraphicsPalette()
{
    std::vector<RGBQUAD> palette(256, RGBQUAD{0, 0, 0, 0});
    palette[kBackground] = RGBQUAD{72, 36, 28, 0};
    palette[kWell] = RGBQUAD{14, 6, 6, 0};
    palette[kFrameLight] = RGBQUAD{200, 150, 140, 0};
    palette[kFrameDark] = RGBQUAD{110, 68, 60, 0};
    for (int c = 0; c < 5; ++c) {
        const BYTE r = kTileFaces[c][0], g = kTileFaces[c][1], b = kTileFaces[c][2];
        auto lighter = [](BYTE v) { return BYTE(std::min(255, v + 70)); };
        palette[kFirstTile + 3 * c] = RGBQUAD{b, g, r, 0};
        palette[kFirstTile + 3 * c + 1] = RGBQUAD{lighter(b), lighter(g), lighter(r), 0};
        palette[kFirstTile + 3 * c + 2] = RGBQUAD{BYTE(b / 2), BYTE(g / 2), BYTE(r / 2), 0};
    }
    return palette;
}

struct IndexImage {
    std::vector<BYTE> pixels = std::vector<BYTE>(size_t(kGraphicsWidth) * kGraphicsHeight, 0);
    void Fill(int left, int top, int right, int bottom, BYTE index)
    {
        for (int y = top; y < bottom; ++y)
            std::fill_n(pixels.begin() + y * kGraphicsWidth + left, right - left, index);
    }
    // A sunken box: dark top and left edges, light bottom and right, interior inside.
    void Box(int left, int top, int right, int bottom, BYTE interior)
    {
        Fill(left - 2, top - 2, right + 2, bottom + 2, kFrameLight);
        Fill(left - 2, top - 2, right, bottom, kFrameDark);
        Fill(left, top, right, bottom, interior);
    }
    void Tile(int colour)
    {
        const int x = colour * 21, y = 379;
        const BYTE face = BYTE(kFirstTile + 3 * colour);
        Fill(x, y, x + 21, y + 21, BYTE(face + 2));
        Fill(x, y, x + 19, y + 19, BYTE(face + 1));
        Fill(x + 2, y + 2, x + 19, y + 19, face);
    }
};

void Put16(std::vector<BYTE>& out, WORD v) { out.insert(out.end(), {BYTE(v), BYTE(v >> 8)}); }
void Put32(std::vector<BYTE>& out, DWORD v) { out.insert(out.end(), {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}); }

std::vector<BYTE> EncodeBitmap(const IndexImage& image, const std::vector<RGBQUAD>& palette)
{
    const DWORD stride = (kGraphicsWidth + 3) & ~3u;
    const DWORD offset = 14 + 40 + DWORD(palette.size()) * 4;
    std::vector<BYTE> out;
    out.reserve(offset + stride * kGraphicsHeight);
    out.insert(out.end(), {'B', 'M'});
    Put32(out, offset + stride * kGraphicsHeight);
    Put32(out, 0);
    Put32(out, offset);
    for (DWORD v : {40u, DWORD(kGraphicsWidth), DWORD(kGraphicsHeight)})
        Put32(out, v);
    Put16(out, 1);
    Put16(out, 8);
    for (DWORD v : {0u, stride * kGraphicsHeight, 2835u, 2835u, DWORD(palette.size()), 0u})
        Put32(out, v);
    for (const RGBQUAD& q : palette)
        out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    for (int y = kGraphicsHeight - 1; y >= 0; --y) {
        auto row = image.pixels.begin() + y * kGraphicsWidth;
        out.insert(out.end(), row, row + kGraphicsWidth);
        out.insert(out.end(), stride - kGraphicsWidth, 0);
    }
    return out;
}

std::vector<MenuTemplateItem> GameMenu()
{
    std::vector<MenuTemplateItem> level = {{MF_STRING, ID_SOUND, "Sound", {}},
                                           {MF_SEPARATOR, 0, "", {}},
                                           {MF_STRING, ID_NORMAL, "&Normal", {}},
                                           {MF_STRING, ID_CRAZY, "&Crazy", {}},
                                           {MF_SEPARATOR, 0, "", {}}};
    for (UINT i = 0; i < 4; ++i)
        level.push_back({MF_STRING, ID_LEVEL_1 + i, "&" + std::to_string(i + 1), {}});
    return {{MF_POPUP, 0, "&File", {{MF_STRING, ID_NEW_GAME, "&New Game", {}}, {MF_STRING, ID_EXIT, "E&xit\tAlt+X", {}}}},
            {MF_POPUP, 0, "&Level", level},
            {MF_POPUP, 0, "&Help", {{MF_STRING, ID_ABOUT, "&About...", {}}}}};
}

DialogTemplate AboutBox()
{
    DialogTemplate about;
    about.style = kDialogStyle;
    about.cx = 180;
    about.cy = 100;
    about.caption = "About Stack Well";
    about.fontName = "MS Sans Serif";
    about.items = {
        {"static", "S t a c k   W e l l", 0xFFFF, kStyleChild | kCentred, 0, 10, 8, 160, 10},
        {"static",
         "Move the pieces with the arrow keys, turn them with the up arrow or R, and drop them with the centre "
         "key 5. Complete rows to clear them.",
         0xFFFF, kStyleChild, 0, 10, 24, 160, 48},
        {"button", "OK", IDOK, kStyleChild | kDefaultButton, 0, 65, 78, 50, 14},
    };
    return about;
}

}  // namespace

void RegisterNamedBitmap(const char* name, std::vector<BYTE> file) { NamedBitmaps()[name] = std::move(file); }

const std::vector<BYTE>* FindNamedBitmap(const char* name)
{
    auto it = name ? NamedBitmaps().find(name) : NamedBitmaps().end();
    return it == NamedBitmaps().end() ? nullptr : &it->second;
}

std::vector<BYTE> MakeGraphicsBitmap()
{
    IndexImage image;
    image.Fill(0, 0, 320, 375, kBackground);
    image.Box(19, 21, 208, 357, kWell);   // the field: columns 1..9, rows 1..16
    image.Box(229, 147, 313, 231, kWell);  // the next piece at (10, 6)
    image.Box(226, 101, 306, 125, kWell);  // the score
    for (int c = 0; c < 5; ++c)
        image.Tile(c);
    return EncodeBitmap(image, GraphicsPalette());
}

std::vector<BYTE> MakeGameSound(double startHz, double endHz, int milliseconds)
{
    constexpr DWORD rate = 22050;
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, rate, rate, 1, 8, 0};
    size_t n = rate * size_t(milliseconds) / 1000;
    std::vector<BYTE> samples(n);
    double phase = 0;
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / double(n);
        phase += 2 * M_PI * (startHz + (endHz - startHz) * t) / rate;
        double fade = std::min(1.0, (1 - t) * 8);  // no click at the end
        samples[i] = BYTE(128 + std::lround(90 * fade * std::sin(phase)));
    }
    return MakeRiffWave(format, samples.data(), samples.size());
}

void RegisterGameResources()
{
    RegisterMenuResource(IDR_MENU, GameMenu());
    RegisterAcceleratorResource(IDR_ACCELERATORS,
                                {{FVIRTKEY, VK_ESCAPE, WORD(ID_EXIT)}, {FVIRTKEY | FALT, 'X', WORD(ID_EXIT)}});
    RegisterDialogResource(IDD_ABOUT, AboutBox());
    if (!FindNamedBitmap(kGraphicsName))
        RegisterNamedBitmap(kGraphicsName, MakeGraphicsBitmap());
    RegisterBinaryResource(ResourceKind::Wave, kLandSound, MakeGameSound(330, 220, 90));
    RegisterBinaryResource(ResourceKind::Wave, kGameOverSound, MakeGameSound(440, 110, 900));
}
