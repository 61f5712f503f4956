// The resource registry.
#include "platform/ui/Resources.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace {

template <typename T>
std::map<UINT, T>& registry()
{
    static std::map<UINT, T> entries;
    return entries;
}

template <typename T>
const T* lookup(UINT id)
{
    auto& r = registry<T>();
    auto it = r.find(id);
    return it == r.end() ? nullptr : &it->second;
}

std::map<std::pair<ResourceKind, UINT>, std::vector<BYTE>>& binaries()
{
    static std::map<std::pair<ResourceKind, UINT>, std::vector<BYTE>> entries;
    return entries;
}

std::map<std::pair<ResourceKind, std::string>, std::vector<BYTE>>& namedBinaries()
{
    static std::map<std::pair<ResourceKind, std::string>, std::vector<BYTE>> entries;
    return entries;
}

std::string upper(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name;
}

} // namespace

void RegisterMenuResource(UINT id, std::vector<MenuTemplateItem> items)
{
    registry<std::vector<MenuTemplateItem>>()[id] = std::move(items);
}

const std::vector<MenuTemplateItem>* FindMenuResource(UINT id) { return lookup<std::vector<MenuTemplateItem>>(id); }

void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> entries)
{
    registry<std::vector<ACCEL>>()[id] = std::move(entries);
}

const std::vector<ACCEL>* FindAcceleratorResource(UINT id) { return lookup<std::vector<ACCEL>>(id); }

void RegisterDialogResource(UINT id, DialogTemplate dialog) { registry<DialogTemplate>()[id] = std::move(dialog); }

const DialogTemplate* FindDialogResource(UINT id) { return lookup<DialogTemplate>(id); }

void RegisterToolBarResource(UINT id, ToolBarTemplate toolBar) { registry<ToolBarTemplate>()[id] = std::move(toolBar); }

const ToolBarTemplate* FindToolBarResource(UINT id) { return lookup<ToolBarTemplate>(id); }

void RegisterBinaryResource(ResourceKind kind, UINT id, std::vector<BYTE> bytes)
{
    binaries()[{kind, id}] = std::move(bytes);
}

const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, UINT id)
{
    auto it = binaries().find({kind, id});
    return it == binaries().end() ? nullptr : &it->second;
}

void RegisterBinaryResource(ResourceKind kind, const std::string& name, std::vector<BYTE> bytes)
{
    namedBinaries()[{kind, upper(name)}] = std::move(bytes);
}

const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, const std::string& name)
{
    auto it = namedBinaries().find({kind, upper(name)});
    return it == namedBinaries().end() ? nullptr : &it->second;
}

int DialogUnitsToPixelsX(int units) { return units * 6 / 4; }
int DialogUnitsToPixelsY(int units) { return units * 13 / 8; }

HBITMAP LoadBitmapFromFile(const std::vector<BYTE>* file)
{
    BITMAPFILEHEADER head{};
    BITMAPINFOHEADER info{};
    if (!file || file->size() < sizeof head + sizeof info)
        return nullptr;
    std::memcpy(&head, file->data(), sizeof head);
    std::memcpy(&info, file->data() + sizeof head, sizeof info);
    if (head.bfType != 0x4D42 || head.bfOffBits < sizeof head + info.biSize || head.bfOffBits > file->size() ||
        DibImageSize(&info) > file->size() - head.bfOffBits)
        return nullptr;
    const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(file->data() + sizeof head);
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &info, CBM_INIT, file->data() + head.bfOffBits, bitmapInfo, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

HBITMAP LoadBitmapResource(UINT id)
{
    return LoadBitmapFromFile(FindBinaryResource(ResourceKind::Bitmap, id));
}
