#include "controls/PathParts.h"

#include "View/HyperRunView.h"
#include "objects/kinds/ArcOb.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/BorderOb.h"
#include "objects/kinds/CircleOb.h"
#include "objects/kinds/ConnectOb.h"
#include "objects/kinds/HiliteOb.h"
#include "objects/kinds/LineOb.h"
#include "objects/kinds/PolyLineOb.h"
#include "objects/kinds/RectOb.h"
#include "objects/kinds/TextOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/UiApi.h"

#include <memory>

namespace {

// The last backslash, else the last colon; -1 for neither.
int LastSeparator(const CString& path)
{
    const int backslash = path.ReverseFind('\\');
    return backslash >= 0 ? backslash : path.ReverseFind(':');
}

constexpr UINT kPolylineTool = 60472;

constexpr DWORD kToolCommands[] = {17,    60447, 33808, 60481, 60448, 34052, 60480, 60450, 60479,
                                   60472, 33807, 60471, 60478, 60462, 60463, 60451, 34060, 37701};

struct ToolClass {
    UINT commandId;
    CRuntimeClass* (*runtimeClass)();
};

#define TOOL_CLASS(id, object) {id, [] { return RUNTIME_CLASS(object); }}
constexpr ToolClass kToolClasses[] = {
    TOOL_CLASS(60481, CConnectOb), TOOL_CLASS(60450, CLineOb),    TOOL_CLASS(60472, CLineOb),
    TOOL_CLASS(60479, CPolyLineOb), TOOL_CLASS(60473, CBorderOb), TOOL_CLASS(60478, CArcOb),
    TOOL_CLASS(60471, CCircleOb),  TOOL_CLASS(60451, CRectOb),    TOOL_CLASS(60448, CTextOb),
    TOOL_CLASS(60462, CBitmapOb),  TOOL_CLASS(60480, CHiliteOb),
};
#undef TOOL_CLASS

} // namespace

CString GetLowerFileName(const CString& path)
{
    const int cut = LastSeparator(path);
    CString name = cut >= 0 ? path.Mid(cut + 1) : path;
    name.MakeLower();
    return name;
}

CString GetLowerFolderName(const CString& path)
{
    const int cut = LastSeparator(path);
    CString folder = cut >= 0 ? path.Left(cut) : CString();
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    folder.MakeLower();
    return folder;
}

CPathParts::CPathParts(LPCTSTR path)
{
    if (path)
        _splitpath(path, m_drive, m_dir, m_fname, m_ext);
}

void DrawLineFigure(CDC* dc, int x, int y, const int* table)
{
    const int dx = x + table[0];
    const int dy = y + table[1];
    COLORREF colour = ::GetSysColor(COLOR_BTNTEXT);
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, colour);
    CPen* previous = dc->SelectObject(pen.get());
    for (const int* entry = table + 2; entry[1] >= 0;) {
        if (entry[0] == LineFigureColour) {
            if (static_cast<COLORREF>(entry[1]) != colour) {
                colour = static_cast<COLORREF>(entry[1]);
                auto next = std::make_unique<CPen>(PS_SOLID, 1, colour);
                dc->SelectObject(next.get());
                pen = std::move(next);
            }
            entry += 2;
            continue;
        }
        dc->MoveTo(entry[0] + dx, entry[1] + dy);
        dc->LineTo(entry[2] + dx, entry[3] + dy);
        entry += 4;
    }
    dc->SelectObject(previous);
}

BOOL IsPolylineToolCommand(UINT commandId)
{
    return commandId == kPolylineTool;
}

const DWORD* GetObjectToolCommands()
{
    return kToolCommands;
}

void RegisterObjectClasses(CHyperRunView* view)
{
    for (const ToolClass& entry : kToolClasses)
        view->SetToolClass(entry.commandId, entry.runtimeClass());
}
