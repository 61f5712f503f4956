#include "platform/ui/ShellFileInfo.h"

#include "platform/core/FilePath.h"
#include "platform/core/String.h"
#include "platform/core/System.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"

#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

namespace {

QMimeType MimeTypeOf(const std::string& path, bool folder, bool byNameOnly)
{
    QMimeDatabase database;
    if (folder)
        return database.mimeTypeForName("inode/directory");
    QString name = QString::fromStdString(path);
    return byNameOnly ? database.mimeTypeForFile(name, QMimeDatabase::MatchExtension)
                      : database.mimeTypeForFile(name);
}

// Without an icon theme: a page with a folded corner, or a folder.
QImage DrawnIcon(int size, bool folder)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(64, 64, 64));
    int unit = size / 16;
    if (folder) {
        painter.setBrush(QColor(230, 190, 80));
        painter.drawRect(1 * unit, 4 * unit, 14 * unit - 1, 10 * unit - 1);
        painter.drawRect(1 * unit, 2 * unit, 6 * unit - 1, 2 * unit);
    } else {
        painter.setBrush(Qt::white);
        const QPoint page[] = { { 3 * unit, 1 * unit }, { 10 * unit, 1 * unit }, { 13 * unit - 1, 4 * unit },
            { 13 * unit - 1, 15 * unit - 1 }, { 3 * unit, 15 * unit - 1 } };
        painter.drawPolygon(page, 5);
    }
    return image;
}

QImage IconImage(const QMimeType& type, int size, bool folder)
{
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    QImage image = icon.isNull() ? QImage() : icon.pixmap(size, size).toImage();
    if (image.isNull() || image.width() != size || image.height() != size)
        return DrawnIcon(size, folder);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Colour rows of 32-bit pixels, black where transparent, and a mask that is set there.
HICON IconFromImage(const QImage& image)
{
    int size = image.width();
    int maskStride = ((size + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(maskStride * size), 0);
    std::vector<DWORD> color(static_cast<size_t>(size * size), 0);
    for (int y = 0; y < size; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            bool opaque = qAlpha(row[x]) >= 128;
            color[static_cast<size_t>(y * size + x)] = opaque ? (row[x] & 0x00FFFFFF) : 0;
            if (!opaque)
                mask[static_cast<size_t>(y * maskStride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    ICONINFO info { TRUE, 0, 0, CreateBitmap(size, size, 1, 1, mask.data()),
        CreateBitmap(size, size, 1, 32, color.data()) };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

// One list per size for the whole program, one image per kind of file.
struct SystemImageList {
    HIMAGELIST list = nullptr;
    std::map<QString, int> indexes;
};

int SystemIndex(SystemImageList& system, const QMimeType& type, int size, bool folder)
{
    if (system.list == nullptr)
        system.list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 16, 16);
    auto found = system.indexes.find(type.name());
    if (found != system.indexes.end())
        return found->second;
    HICON icon = IconFromImage(IconImage(type, size, folder));
    int index = ImageList_ReplaceIcon(system.list, -1, icon);
    DestroyIcon(icon);
    system.indexes.emplace(type.name(), index);
    return index;
}

void CopyText(char* target, size_t size, const std::string& utf8)
{
    CString text = CStringFromUtf8(utf8);
    size_t length = std::min(static_cast<size_t>(text.GetLength()), size - 1);
    std::memcpy(target, text.GetString(), length);
    target[length] = '\0';
}

} // namespace

DWORD_PTR SHGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFO* info, UINT, UINT flags)
{
    if (path == nullptr)
        return 0;
    std::string native = SystemPathFromName(path);
    bool byName = (flags & SHGFI_USEFILEATTRIBUTES) != 0;
    std::error_code error;
    if (!byName && !std::filesystem::exists(native, error))
        return 0;
    bool folder = byName ? (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                         : std::filesystem::is_directory(native, error);
    QMimeType type = MimeTypeOf(native, folder, byName);
    int size = (flags & SHGFI_SMALLICON) ? 16 : 32;
    static SystemImageList systemLists[2];
    SystemImageList& system = systemLists[size == 16 ? 0 : 1];
    int index = (flags & SHGFI_SYSICONINDEX) ? SystemIndex(system, type, size, folder) : 0;
    if (info != nullptr) {
        if (flags & SHGFI_ICON)
            info->hIcon = IconFromImage(IconImage(type, size, folder));
        if (flags & SHGFI_SYSICONINDEX)
            info->iIcon = index;
        if (flags & SHGFI_DISPLAYNAME)
            CopyText(info->szDisplayName, sizeof info->szDisplayName,
                std::filesystem::path(native).filename().string());
        if (flags & SHGFI_TYPENAME)
            CopyText(info->szTypeName, sizeof info->szTypeName, type.comment().toStdString());
    }
    if (flags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<DWORD_PTR>(system.list);
    return 1;
}
