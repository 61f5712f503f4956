// COleClientItem: an object embedded in a container document. No other program can serve
// an embedding on this platform, so an item is an embedded file package: the file's bytes
// kept in the document, drawn as a preview (pictures) or as an icon with the file's name,
// and opened with the desktop's handler for its type on the primary verb, after which the
// changed file is read back.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ole/Clipboard.h"
#include "platform/ui/CmdTarget.h"

#include <memory>
#include <vector>

class CArchive;
class CDC;
class COleDataObject;
class COleDataSource;
class COleDocument;
class CView;
struct MSG;

enum OLE_NOTIFICATION {
    OLE_CHANGED = 0,
    OLE_SAVED = 1,
    OLE_CLOSED = 2,
    OLE_RENAMED = 3,
    OLE_CHANGED_STATE = 4,
    OLE_CHANGED_ASPECT = 5,
};

enum OLE_OBJTYPE { OT_UNKNOWN = 0, OT_LINK = 1, OT_EMBEDDED = 2, OT_STATIC = 3 };

enum OLECLOSE { OLECLOSE_SAVEIFDIRTY = 0, OLECLOSE_NOSAVE = 1, OLECLOSE_PROMPTSAVE = 2 };

enum USERCLASSTYPE { USERCLASSTYPE_FULL = 1, USERCLASSTYPE_SHORT = 2, USERCLASSTYPE_APPNAME = 3 };

using DVASPECT = DWORD;

constexpr LONG OLEIVERB_PRIMARY = 0;
constexpr LONG OLEIVERB_SHOW = -1;
constexpr LONG OLEIVERB_OPEN = -2;
constexpr LONG OLEIVERB_HIDE = -3;

constexpr CLSID CLSID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// Kinds of new, empty documents an item can be created as (CreateNewItem).
constexpr CLSID CLSID_TextPackage = {0x56A10002, 0x7E11, 0x4B0E, {0x9A, 0x31, 0, 0, 0, 0, 0, 0x01}};
constexpr CLSID CLSID_RichTextPackage = {0x56A10002, 0x7E11, 0x4B0E, {0x9A, 0x31, 0, 0, 0, 0, 0, 0x02}};

// The clipboard format of an item's own data: its package record.
constexpr LPCSTR CF_EMBEDDEDPACKAGE_NAME = "Embedded File Package";

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    enum ItemState { emptyState = 0, loadedState = 1, openState = 2, activeState = 3, activeUIState = 4 };

    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    ~COleClientItem() override;

    // Leaves the document; with bAutoDelete the item is destroyed too.
    virtual void Delete(BOOL bAutoDelete = TRUE);
    COleDocument* GetDocument() const { return m_pDocument; }

    // Creation. Each returns FALSE and leaves the item empty when it fails.
    BOOL CreateFromFile(LPCTSTR lpszFileName, REFCLSID clsid = CLSID_NULL);
    BOOL CreateNewItem(REFCLSID clsid);
    BOOL CreateFromData(COleDataObject* pDataObject);
    // A picture on the data object (CF_DIB) becomes a still picture.
    BOOL CreateStaticFromData(COleDataObject* pDataObject);
    BOOL CreateCloneFrom(const COleClientItem* pSrcItem);
    static BOOL CanCreateFromData(const COleDataObject* pDataObject);

    ItemState GetItemState() const;
    OLE_OBJTYPE GetType() const;
    BOOL IsOpen() const { return GetItemState() == openState; }
    BOOL IsInPlaceActive() const { return FALSE; }
    DVASPECT GetDrawAspect() const { return m_drawAspect; }
    virtual void SetDrawAspect(DVASPECT nDrawAspect) { m_drawAspect = nDrawAspect; }
    void GetUserType(USERCLASSTYPE nUserClassType, CString& rString) const;
    // The embedded file: its name and bytes.
    CString GetFileName() const;
    const std::vector<BYTE>& GetFileData() const;

    // The natural size in HIMETRIC: a picture's pixels at 96 per inch, else the icon's box.
    BOOL GetExtent(LPSIZE lpSize, DVASPECT nDrawAspect = static_cast<DVASPECT>(-1));
    BOOL GetCachedExtent(LPSIZE lpSize, DVASPECT nDrawAspect = static_cast<DVASPECT>(-1));
    BOOL Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT nDrawAspect = static_cast<DVASPECT>(-1));

    // OLEIVERB_PRIMARY, _SHOW and _OPEN open the file with the desktop's handler, programs
    // and scripts excepted; OLEIVERB_HIDE does nothing.
    virtual BOOL DoVerb(LONG nVerb, CView* pView, MSG* lpMsg = nullptr);
    // The names of the verbs from 0 (the primary verb) on, as a menu shows them; none when empty.
    std::vector<CString> GetVerbNames() const;
    void Run() { }
    BOOL IsRunning() const { return GetItemState() != emptyState; }
    // Reads the opened file back when it changed; TRUE when it did.
    BOOL UpdateFromOpenFile();
    virtual void Close(OLECLOSE dwCloseOption = OLECLOSE_SAVEIFDIRTY);

    // No item is ever active in place here; these keep the framework's shape.
    BOOL SetItemRects(LPCRECT lpPosRect = nullptr, LPCRECT lpClipRect = nullptr);
    CView* GetActiveView() const { return nullptr; }

    // Offers the item under "Embedded File Package" (and a picture as CF_DIB).
    void GetClipboardData(COleDataSource* pDataSource, BOOL bIncludeLink = FALSE, LPPOINT lpOffset = nullptr,
                          LPSIZE lpSize = nullptr);

    void Serialize(CArchive& ar) override;

protected:
    virtual void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam);
    virtual void OnGetItemPosition(CRect& rPosition);
    virtual BOOL OnChangeItemPosition(const CRect& rectPos);
    virtual void OnActivate();
    virtual void OnActivateUI();
    virtual void OnDeactivateUI(BOOL bUndoable);

private:
    friend class COleDocument;
    struct Package;
    struct OpenFile;
    struct OpenFileDeleter {
        void operator()(OpenFile* open) const;
    };

    void SetPackage(CString fileName, std::vector<BYTE> data, OLE_OBJTYPE type);
    void NotifyChange(OLE_NOTIFICATION nCode);

    COleDocument* m_pDocument = nullptr;
    DVASPECT m_drawAspect = 1;
    std::unique_ptr<Package> m_package;
    std::unique_ptr<OpenFile, OpenFileDeleter> m_open;
};
