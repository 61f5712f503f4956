// Root of everything on a page that scripts can reach: page objects, the page itself and
// its frame window. Declares the hooks each of them answers; the defaults do nothing.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

class CObArray;
class CPropOb;

class CHyperVBPSOb : public CCmdTarget {
    DECLARE_DYNCREATE(CHyperVBPSOb)
public:
    CHyperVBPSOb() = default;
    ~CHyperVBPSOb() override = default;

    virtual CString GetCode() const { return CString(); }
    virtual CString GetSecondaryText() const { return CString(); }
    // mode 0 stores the class defaults, 1 loads them, -1 deletes them, -2 tests for them.
    virtual BOOL SerializeToFile(int) { return FALSE; }
    virtual int SetParam(int) { return 0; }
    virtual void OnPropertyChanged(UINT) { }
    // reason 2 after an edit was applied, 1 after it was restored.
    virtual void UpdateLayout(int, BOOL) { }
    virtual void SaveAsDefault() { }
    virtual CPropOb* CreateProperty(UINT, BOOL) { return nullptr; }
    virtual void CollectProperties(CObArray&, BOOL) { }
    virtual BOOL GetObjectRect(LPRECT) { return FALSE; }
    virtual BOOL GetScreenRect(LPRECT) { return FALSE; }
    virtual COLORREF GetPageColor() { return 0xFFFFFF; }
    // The 16 custom colours of the colour chooser, or NULL.
    virtual COLORREF* GetCustomColors() { return nullptr; }
};
