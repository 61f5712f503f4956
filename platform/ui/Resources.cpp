// The resource registry.
#include "platform/ui/Resources.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

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

std::string LargeToolBarBitmapName(UINT toolBarId) { return "LargeToolBar" + std::to_string(toolBarId); }

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
