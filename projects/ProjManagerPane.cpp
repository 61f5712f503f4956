#include "projects/ProjManagerPane.h"

#include "projects/PasswordDlg.h"
#include "projects/ProjManager.h"
#include "projects/ProjTreeCtrl.h"
#include "projects/ProjectHost.h"

#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApi.h"

namespace {

struct TipRow {
    UINT id;
    const char* text;
};

constexpr TipRow kTips[] = {{CProjManagerPane::CmdSetPassword, "Set Password"},
                            {CProjManager::CmdViewObject, "View Object"},
                            {CProjManager::CmdNewWorksheet, "New Form"},
                            {CProjManager::CmdOpenProject, "Open Project"},
                            {CProjManager::CmdNewProject, "New Project"}};

constexpr UINT kToolBarId = 59392;

} // namespace

BEGIN_MESSAGE_MAP(CProjManagerPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnToolTipText)
    ON_COMMAND(CProjManagerPane::CmdSetPassword, OnSetPassword)
    ON_UPDATE_COMMAND_UI(CProjManagerPane::CmdSetPassword, OnUpdateSetPassword)
END_MESSAGE_MAP()

CProjManagerPane::CProjManagerPane()
{
    for (size_t i = 0; i < std::size(kTips); ++i)
        m_tipTexts[i] = ProjectText(kTips[i].text);
}

CProjManagerPane::~CProjManagerPane()
{
    m_pManager.reset();
    m_pTree.reset();
}

BOOL CProjManagerPane::CreatePane(CWnd* parent)
{
    return Create("STATIC", "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(), parent, 0);
}

CProjManager* CProjManagerPane::GetManager()
{
    if (!m_pManager)
        m_pManager = std::make_unique<CProjManager>();
    return m_pManager.get();
}

CProjTreeCtrl* CProjManagerPane::GetTree()
{
    if (!m_pTree)
        m_pTree = std::make_unique<CProjTreeCtrl>(GetManager());
    return m_pTree.get();
}

void CProjManagerPane::LoadRecent(LPCTSTR name) { GetManager()->LoadRecent(name); }

void CProjManagerPane::SaveRecent(LPCTSTR name) { GetManager()->SaveRecent(name); }

BOOL CProjManagerPane::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_pManager && m_pManager->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

int CProjManagerPane::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CProjTreeCtrl* tree = GetTree();
    CProjManager* manager = GetManager();
    if (!tree->CreateTree(this))
        return -1;
    if (m_toolBar.CreateToolBar(0x50002031, this, kToolBarId)) {
        m_toolBar.SetPosition(BarTop);
        // The buttons take their pictures from the frame's bars and send their commands there.
        if (auto* frame = dynamic_cast<CXTPMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            m_toolBar.SetCommandBars(frame->GetCommandBars());
        m_toolBar.LoadToolBar(manager->GetMenuResource());
        m_toolBar.ShowWindow(SW_SHOW);
    }
    manager->SetTree(tree);
    LoadRecent(nullptr);
    return 0;
}

void CProjManagerPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_toolBar.m_hWnd)
        m_toolBar.MoveWindow(0, 0, cx, ToolBarHeight);
    if (m_pTree && m_pTree->m_hWnd)
        m_pTree->SetWindowPos(nullptr, 0, ToolBarHeight, cx, std::max(cy - ToolBarHeight, 0),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

BOOL CProjManagerPane::OnEraseBkgnd(CDC*) { return TRUE; }

void CProjManagerPane::OnDestroy()
{
    SaveRecent(nullptr);
    if (m_pManager)
        m_pManager->CloseAll();
    CWnd::OnDestroy();
}

BOOL CProjManagerPane::OnToolTipText(UINT, NMHDR* header, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTTDISPINFO*>(header);
    UINT id = static_cast<UINT>(header->idFrom);
    if (tip->uFlags & TTF_IDISHWND)
        id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)));
    for (size_t i = 0; id && i < std::size(kTips); ++i)
        if (kTips[i].id == id) {
            tip->lpszText = const_cast<LPSTR>(static_cast<LPCTSTR>(m_tipTexts[i]));
            *result = 0;
            return TRUE;
        }
    return FALSE;
}

void CProjManagerPane::OnUpdateSetPassword(CCmdUI* cmdUI)
{
    CProjManager* manager = GetManager();
    const HTREEITEM caret = manager->GetCaretItem();
    CProjOb* project = manager->IsProjectItemOfAny(caret) ? manager->FindProjectByItem(caret) : nullptr;
    cmdUI->Enable(project != nullptr);
    cmdUI->SetCheck(project && project->m_bHasPassword);
}

void CProjManagerPane::OnSetPassword()
{
    CProjOb* project = GetManager()->GetCaretProject();
    if (!project) {
        ::MessageBox(nullptr, "No Project selected!", nullptr, MB_OK);
        return;
    }
    if (project->m_bHasPassword)
        RemovePassword(*project);
    else
        AddPassword(*project);
}

void CProjManagerPane::RemovePassword(CProjOb& project)
{
    if (!AskForProjectPassword(project.m_digest, project.m_name))
        return;
    if (project.SetPassword(CString(), FALSE))
        project.Save();
    project.RefreshTree(FALSE);
}

void CProjManagerPane::AddPassword(CProjOb& project)
{
    CString first, second;
    BOOL cancelled = FALSE;
    CPasswordDlg().AskPassword(CString(), ProjectText("Select Password"), &cancelled, &first);
    if (cancelled)
        return;
    CPasswordDlg().AskPassword(CString(), ProjectText("Verify Password"), &cancelled, &second);
    if (cancelled)
        return;
    if (first != second) {
        ::MessageBox(nullptr, ProjectText("Entered Passwords don't match!"), ProjectText("Passwords differ!"), MB_OK);
        return;
    }
    if (project.SetPassword(first, TRUE))
        project.Save();
    project.RefreshTree(FALSE);
}
