// Small helpers shared by the editor's dialogs: the lower-cased file and folder parts of a
// path, a path split into its four parts, line figures drawn from a table, and the tables
// that tie the object-insert tools to the object classes.
#pragma once

#include "platform/core/SplitPath.h"
#include "platform/core/String.h"

class CDC;
class CHyperRunView;

// The part after the last backslash (else after the last colon, else all of it), lower case.
CString GetLowerFileName(const CString& path);
// The part before the last backslash (else before the last colon, else nothing) without one
// trailing backslash, lower case.
CString GetLowerFolderName(const CString& path);

class CPathParts {
public:
    explicit CPathParts(LPCTSTR path = nullptr);
    virtual ~CPathParts() = default;

    char m_drive[_MAX_DRIVE] = {};
    char m_dir[_MAX_DIR] = {};
    char m_fname[_MAX_FNAME] = {};
    char m_ext[_MAX_EXT] = {};
};

// A line figure: an x and a y offset, then entries until one whose second int is negative:
// -1 and a COLORREF switch the pen colour, x1, y1, x2, y2 draw a line.
constexpr int LineFigureColour = -1;
void DrawLineFigure(CDC* dc, int x, int y, const int* table);

BOOL IsPolylineToolCommand(UINT commandId);
// The count (17) followed by the command ids of the object-insert tools.
const DWORD* GetObjectToolCommands();
// The object class each insert-tool command creates, for views without a table of their own.
void RegisterObjectClasses(CHyperRunView* view);
