// The catalogue manager: the open catalogues as a stack of header bars with the one
// catalogue window under the active one. It opens, creates, closes and activates
// catalogues, saves after every change the window makes (undoing the change when the save
// fails), and remembers the open catalogues in "Current.bak".
#pragma once

#include "projects/CatSettings.h"
#include "platform/core/Arrays.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"

#include <functional>
#include <memory>

class CCatalogue;
class CCatWnd;
class COleDataObject;

class CCatManager : public CWnd {
    DECLARE_DYNCREATE(CCatManager)
public:
    static constexpr UINT CmdNew = 60679, CmdOpen = 60680, CmdClose = 60681, CmdActivate = 60683;
    static constexpr UINT WindowId = 28610;
    static constexpr LPCTSTR OpenListName = "Current.bak";

    CCatManager();
    ~CCatManager() override;

    virtual BOOL CanEditIcons() { return TRUE; }
    virtual BOOL EditEntryIcon(CCatalogue* catalogue, int entry, int size);
    virtual void CheckHot();
    virtual BOOL Activate(int index);
    virtual BOOL NewCatalogue();
    virtual BOOL OpenCatalogue(LPCTSTR path);
    virtual BOOL CloseCatalogue(int index, BOOL keepEmpty);
    virtual int ReadOpenList(const CString& path);
    virtual int WriteOpenList(const CString& path);
    virtual BOOL CanAcceptData(COleDataObject*) { return TRUE; }
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual void DrawHeader(CDC* dc, int left, int top, int right, int bottom, int index);
    virtual int HitTestHeader(int x, int y) const;

    int SaveCatalogue(int index);
    void TakeSnapshot();
    void RestoreSnapshot();
    // Snapshot, change, save; back to the snapshot when the change fails or cannot be saved.
    BOOL ChangeWithUndo(const std::function<BOOL(CCatalogue&)>& change);

    BOOL IsCatalogueLocked(int index) const;
    int LockCatalogue(int index);
    int UnlockCatalogue(int index);
    BOOL IsProtected(int index) const;
    CString GetName(int index) const;
    BOOL IsUntitled(int index) const;

    int GetCount() const { return m_catalogues.GetSize(); }
    CCatalogue* GetCatalogue(int index) const;
    int GetActiveIndex() const { return m_active; }
    CCatalogue* GetActiveCatalogue() const { return GetCatalogue(m_active); }
    CCatWnd* GetWindow() const { return m_window; }
    CCatSettings* GetSettings() const { return m_settings.get(); }
    int GetHeaderHeight() const { return m_headerHeight; }
    const CRect& GetWindowRect() const { return m_windowRect; }
    void SetProtectMode(BOOL on) { m_protectMode = on; }
    // The open-catalogue list in the catalogue folder.
    static CString OpenListPath();
    // The main frame shows the catalogue pane through this after New and Open.
    using PaneShower = void (*)();
    static void SetPaneShower(PaneShower shower);

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);

    void OnNew();
    void OnUpdateNew(CCmdUI* cmdUI);
    void OnOpen();
    void OnClose();
    void OnActivateCommand();
    void OnUpdateActivate(CCmdUI* cmdUI);

protected:
    // The window class of the catalogue window; a derived manager may give its own.
    virtual CCatWnd* CreateCatWnd();

private:
    void DeleteUntitled();
    // The catalogue window goes below the active catalogue's header, over the free space.
    void LayoutWindow();
    void ReportSkipped(const CCatalogue& catalogue) const;
    void ShowPane() const;

    std::unique_ptr<CCatSettings> m_settings;
    CCatWnd* m_window = nullptr;
    CObArray m_catalogues;
    CCatalogue* m_snapshot = nullptr;
    int m_active = 0;
    int m_hot = -1;
    BOOL m_pressed = FALSE;
    BOOL m_menuOpen = FALSE;
    int m_headerHeight = 18;
    CFont m_headerFont;
    CRect m_windowRect;
    BOOL m_protectMode = FALSE;

    DECLARE_MESSAGE_MAP()
};
