#include "platform/ui/HostCursor.h"

#include "platform/core/BinaryResources.h"

#include <QImage>
#include <QPixmap>

#include <map>

namespace {

Qt::CursorShape SystemShape(uintptr_t id)
{
    switch (id) {
    case IDC_IBEAM_ID: return Qt::IBeamCursor;
    case IDC_WAIT_ID: return Qt::WaitCursor;
    case IDC_CROSS_ID: return Qt::CrossCursor;
    case IDC_UPARROW_ID: return Qt::UpArrowCursor;
    case IDC_SIZENWSE_ID: return Qt::SizeFDiagCursor;
    case IDC_SIZENESW_ID: return Qt::SizeBDiagCursor;
    case IDC_SIZEWE_ID: return Qt::SizeHorCursor;
    case IDC_SIZENS_ID: return Qt::SizeVerCursor;
    case IDC_SIZEALL_ID: return Qt::SizeAllCursor;
    case IDC_NO_ID: return Qt::ForbiddenCursor;
    case IDC_HAND_ID: return Qt::PointingHandCursor;
    case IDC_APPSTARTING_ID: return Qt::BusyCursor;
    case IDC_HELP_ID: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

WORD Word(const std::vector<BYTE>& b, size_t at) { return static_cast<WORD>(b[at] | b[at + 1] << 8); }
DWORD Dword(const std::vector<BYTE>& b, size_t at) { return Word(b, at) | static_cast<DWORD>(Word(b, at + 2)) << 16; }

// The first image of a .cur file, when it is a PNG image; its hot spot from the directory entry.
bool ReadCursorFile(const std::vector<BYTE>& file, QCursor& cursor)
{
    if (file.size() < 22 || Word(file, 0) != 0 || Word(file, 2) != 2 || Word(file, 4) == 0)
        return false;
    const DWORD bytes = Dword(file, 14), offset = Dword(file, 18);
    if (offset > file.size() || bytes > file.size() - offset)
        return false;
    const QImage image = QImage::fromData(file.data() + offset, static_cast<int>(bytes), "PNG");
    if (image.isNull())
        return false;
    cursor = QCursor(QPixmap::fromImage(image), Word(file, 10), Word(file, 12));
    return true;
}

} // namespace

QCursor HostCursorFor(HCURSOR handle)
{
    const auto id = reinterpret_cast<uintptr_t>(handle);
    if (id >= IDC_ARROW_ID || id == 0)
        return QCursor(SystemShape(id));
    static std::map<uintptr_t, QCursor> loaded;
    if (auto it = loaded.find(id); it != loaded.end())
        return it->second;
    QCursor cursor(Qt::ArrowCursor);
    if (const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Cursor, static_cast<UINT>(id)))
        ReadCursorFile(*file, cursor);
    return loaded.emplace(id, cursor).first->second;
}
