#include "res/Artwork.h"

#include "res/ArtworkData.h"
#include "res/ResourceParts.h"

#include "platform/core/BinaryResources.h"
#include "platform/gdi/PngImage.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

// Below this opacity a point shows the mask colour; above it the picture over white.
constexpr DWORD kOpaqueEnough = 96;

const std::map<std::string, ArtworkKind> kKinds = {{"command", ArtworkKind::Command}, {"strip", ArtworkKind::Strip},
                                                   {"bitmap", ArtworkKind::Bitmap},   {"icon", ArtworkKind::Icon},
                                                   {"cursor", ArtworkKind::Cursor}};

COLORREF ParseColour(const std::string& hex)
{
    if (hex.size() != 7 || hex[0] != '#')
        throw std::runtime_error("artwork table: bad colour " + hex);
    const unsigned long rgb = std::strtoul(hex.c_str() + 1, nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

ArtworkRow ParseRow(std::istringstream& fields, const std::string& kind)
{
    ArtworkRow row;
    row.kind = kKinds.at(kind);
    fields >> row.id;
    switch (row.kind) {
    case ArtworkKind::Command: row.width = 16, row.height = 15; break;
    case ArtworkKind::Strip:
    case ArtworkKind::Bitmap: {
        std::string colour;
        fields >> row.width >> row.height >> colour;
        row.background = ParseColour(colour);
        break;
    }
    case ArtworkKind::Icon: fields >> row.width, row.height = row.width; break;
    case ArtworkKind::Cursor: fields >> row.width >> row.hotSpot.x >> row.hotSpot.y, row.height = row.width; break;
    }
    for (std::string picture; fields >> picture;)
        row.pictures.push_back(picture);
    if (!fields.eof() || row.pictures.empty() || row.width <= 0 || row.height <= 0)
        throw std::runtime_error("artwork table: bad row " + row.id);
    return row;
}

std::vector<ArtworkRow> ParseTable(std::string_view text)
{
    std::vector<ArtworkRow> rows;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string kind;
        if (fields >> kind && kind[0] != '#')
            rows.push_back(ParseRow(fields, kind));
    }
    return rows;
}

const ArtworkPicture* FindPicture(const std::string& name, int width, int height)
{
    for (size_t i = 0; i < kArtworkPictureCount; ++i) {
        const ArtworkPicture& p = kArtworkPictures[i];
        if (p.boxWidth == width && p.boxHeight == height && name == p.name)
            return &p;
    }
    return nullptr;
}

ArgbPixels Rendered(const std::string& name, int width, int height)
{
    ArgbPixels pixels;
    if (const ArtworkPicture* p = FindPicture(name, width, height))
        DecodePng(p->png, p->size, pixels);
    return pixels;
}

COLORREF OverWhite(DWORD argb)
{
    const DWORD a = argb >> 24;
    auto channel = [a](DWORD c) { return static_cast<BYTE>((c * a + 255 * (255 - a)) / 255); };
    return RGB(channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF));
}

void Put(std::vector<BYTE>& out, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// An .ico (type 1) or .cur (type 2) file holding one PNG image; a cursor's entry holds its hot spot.
std::vector<BYTE> IconFile(const ArtworkRow& row, bool cursor)
{
    const ArtworkPicture* p = FindPicture(row.pictures.front(), row.width, row.height);
    if (!p)
        return {};
    std::vector<BYTE> file;
    Put(file, 0, 2);
    Put(file, cursor ? 2 : 1, 2);
    Put(file, 1, 2);
    Put(file, static_cast<DWORD>(row.width & 0xFF), 1);
    Put(file, static_cast<DWORD>(row.height & 0xFF), 1);
    Put(file, 0, 2);
    Put(file, cursor ? static_cast<DWORD>(row.hotSpot.x) : 1, 2);
    Put(file, cursor ? static_cast<DWORD>(row.hotSpot.y) : 32, 2);
    Put(file, static_cast<DWORD>(p->size), 4);
    Put(file, 22, 4);
    file.insert(file.end(), p->png, p->png + p->size);
    return file;
}

void RegisterBitmap(const ArtworkRow& row, std::vector<BYTE> file)
{
    const bool numbered = row.id.find_first_not_of("0123456789") == std::string::npos;
    if (numbered)
        RegisterBinaryResource(ResourceKind::Bitmap, static_cast<UINT>(std::stoul(row.id)), std::move(file));
    else
        RegisterBinaryResource(ResourceKind::Bitmap, row.id, std::move(file));
}

} // namespace

const std::vector<ArtworkRow>& ArtworkTable()
{
    static const std::vector<ArtworkRow> rows = ParseTable(kArtworkTable);
    return rows;
}

std::string CommandPicture(UINT command)
{
    const std::string id = std::to_string(command);
    for (const ArtworkRow& row : ArtworkTable())
        if (row.kind == ArtworkKind::Command && row.id == id)
            return row.pictures.front();
    return {};
}

std::vector<BYTE> ArtworkStrip(const std::vector<std::string>& pictures, int width, int height, COLORREF background)
{
    std::vector<ArgbPixels> cells;
    for (const std::string& name : pictures)
        cells.push_back(Rendered(name, width, height));
    const int count = std::max(static_cast<int>(cells.size()), 1);
    return PictureFile(width * count, height, [&](int x, int y) {
        if (cells.empty())
            return background;
        const ArgbPixels& cell = cells[static_cast<size_t>(x / width)];
        const int px = x % width - (width - cell.width) / 2, py = y - (height - cell.height) / 2;
        if (px < 0 || py < 0 || px >= cell.width || py >= cell.height)
            return background;
        const DWORD argb = cell.pixels[static_cast<size_t>(py) * static_cast<size_t>(cell.width) + static_cast<size_t>(px)];
        return (argb >> 24) < kOpaqueEnough ? background : OverWhite(argb);
    });
}

std::vector<BYTE> CommandStrip(const std::vector<UINT>& commands, int width, int height)
{
    std::vector<std::string> pictures;
    for (UINT id : commands)
        if (id != 0)
            pictures.push_back(CommandPicture(id));
    return ArtworkStrip(pictures, width, height, RGB(192, 192, 192));
}

void RegisterArtwork()
{
    for (const ArtworkRow& row : ArtworkTable()) {
        switch (row.kind) {
        case ArtworkKind::Command: break;
        case ArtworkKind::Strip:
        case ArtworkKind::Bitmap:
            RegisterBitmap(row, ArtworkStrip(row.pictures, row.width, row.height, row.background));
            break;
        case ArtworkKind::Icon:
        case ArtworkKind::Cursor: {
            const bool cursor = row.kind == ArtworkKind::Cursor;
            RegisterBinaryResource(cursor ? ResourceKind::Cursor : ResourceKind::Icon,
                                   static_cast<UINT>(std::stoul(row.id)), IconFile(row, cursor));
            break;
        }
        }
    }
}
