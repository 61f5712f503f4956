#include "projects/CatManager.h"

#include "projects/CatWnd.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueFolder.h"
#include "projects/CatalogueOb.h"
#include "projects/CatalogueText.h"
#include "imaging/Dib.h"
#include "imaging/paint/PaintEditors.h"
#include "platform/sys/AtomicFile.h"
#include "platform/core/FilePath.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <fstream>
#include <sstream>

IMPLEMENT_DYNCREATE(CCatManager, CWnd)

BEGIN_MESSAGE_MAP(CCatManager, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(CmdNew, OnNew)
    ON_UPDATE_COMMAND_UI(CmdNew, OnUpdateNew)
    ON_COMMAND(CmdOpen, OnOpen)
    ON_COMMAND(CmdClose, OnClose)
    ON_COMMAND(CmdActivate, OnActivateCommand)
    ON_UPDATE_COMMAND_UI(CmdActivate, OnUpdateActivate)
END_MESSAGE_MAP()

CCatManager::CCatManager() = default;

CCatManager::~CCatManager()
{
    if (m_hWnd)
        DestroyWindow();
    for (int i = 0; i < GetCount(); ++i)
        delete GetCatalogue(i);
    delete m_snapshot;
    delete m_window;
}

CCatalogue* CCatManager::GetCatalogue(int index) const
{
    return index >= 0 && index < GetCount() ? static_cast<CCatalogue*>(m_catalogues[index]) : nullptr;
}

BOOL CCatManager::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    return CWnd::Create(windowClass, "", style, rect, parent, id);
}

CCatWnd* CCatManager::CreateCatWnd() { return new CCatWnd; }

int CCatManager::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_catalogues.Add(new CCatalogue);
    if (!m_window)
        m_window = CreateCatWnd();
    if (!m_window)
        return -1;
    if (!m_settings)
        m_settings = std::make_unique<CCatSettings>();
    m_window->SetSettings(m_settings.get());
    if (!m_window->Create(this, 0, 0, WindowId, WS_CHILD | WS_VISIBLE))
        return -1;
    m_headerFont.CreatePointFont(m_settings->m_headerFontSize, m_settings->m_headerFontFace);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_headerFont);
    m_headerHeight = dc.GetTextExtent(".").cy + 5;
    dc.SelectObject(old);
    ReadOpenList("");
    m_window->SetCatalogue(GetActiveCatalogue());
    return 0;
}

void CCatManager::OnDestroy()
{
    WriteOpenList("");
    CWnd::OnDestroy();
}

BOOL CCatManager::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_window && m_window->m_hWnd && m_window->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CCatManager::Activate(int index)
{
    if (!GetCatalogue(index) || !m_window || !m_window->m_hWnd)
        return FALSE;
    m_active = index;
    m_hot = -1;
    m_window->SetCatalogue(GetCatalogue(index));
    Invalidate();
    LayoutWindow();
    return TRUE;
}

void CCatManager::DeleteUntitled()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (!GetCatalogue(i)->GetPath().IsEmpty())
            continue;
        if (m_window && m_window->GetCatalogue() == GetCatalogue(i))
            m_window->SetCatalogue(nullptr);
        delete GetCatalogue(i);
        m_catalogues.RemoveAt(i);
    }
}

BOOL CCatManager::NewCatalogue()
{
    if (m_protectMode)
        return FALSE;
    DeleteUntitled();
    m_catalogues.Add(new CCatalogue);
    Activate(GetCount() - 1);
    return TRUE;
}

void CCatManager::ReportSkipped(const CCatalogue& catalogue) const
{
    if (catalogue.GetSkippedEntries().empty() && !catalogue.GetTableCut())
        return;
    CString numbers;
    for (int number : catalogue.GetSkippedEntries())
        numbers += (numbers.IsEmpty() ? "" : ", ") + CString(std::to_string(number).c_str());
    if (catalogue.GetTableCut())
        numbers += (numbers.IsEmpty() ? "" : ", ") + CString(std::to_string(catalogue.GetTableCut()).c_str()) + " " +
                   CatalogueText("and later");
    AfxMessageBox(CatalogueText("Some entries of the catalog could not be read and were left out:") + " \"" +
                      catalogue.GetName() + "\": " + numbers,
                  MB_OK | MB_ICONWARNING);
}

// A catalogue that is already open is activated instead of being opened twice.
BOOL CCatManager::OpenCatalogue(LPCTSTR path)
{
    auto* catalogue = new CCatalogue;
    const int result = path ? catalogue->Load(path) : catalogue->OpenWithDialog();
    if (result != 0) {
        if (result != -1 || path)
            AfxMessageBox(CatalogueText("The catalog could not be opened:") + " " + CString(path ? path : ""),
                          MB_OK | MB_ICONWARNING);
        delete catalogue;
        Activate(m_active);
        return FALSE;
    }
    DeleteUntitled();
    int found = -1;
    for (int i = 0; i < GetCount(); ++i)
        if (GetCatalogue(i)->GetPath() == catalogue->GetPath())
            found = i;
    if (found >= 0) {
        delete catalogue;
    } else {
        ReportSkipped(*catalogue);
        m_catalogues.Add(catalogue);
        found = GetCount() - 1;
    }
    if (m_protectMode)
        GetCatalogue(found)->SetProtected(TRUE);
    Activate(found);
    return TRUE;
}

BOOL CCatManager::CloseCatalogue(int index, BOOL keepEmpty)
{
    CCatalogue* catalogue = GetCatalogue(index);
    if (!catalogue)
        return FALSE;
    if (m_window && m_window->GetCatalogue() == catalogue)
        m_window->SetCatalogue(nullptr);
    delete catalogue;
    m_catalogues.RemoveAt(index);
    if (GetCount() == 0) {
        m_active = 0;
        if (!keepEmpty && NewCatalogue())
            ShowPane();
        Invalidate();
        return TRUE;
    }
    Activate(std::min(index, GetCount() - 1));
    return TRUE;
}

CString CCatManager::OpenListPath() { return GetCatalogueFolder() + "/" + OpenListName; }

int CCatManager::ReadOpenList(const CString& path)
{
    std::ifstream in(SystemPathFromName(path.IsEmpty() ? OpenListPath() : path));
    if (!in)
        return 0;
    const CString folder = GetCatalogueFolder();
    int lines = 0;
    for (std::string text; std::getline(in, text); ++lines) {
        CString line(text.c_str());
        line.Trim();
        if (line.Left(2) == ".\\" || line.Left(2) == "./")
            line = folder + "/" + line.Mid(2);
        else if (line.Left(1) == "\\" && line.Left(2) != "\\\\")
            line = folder + line;
        if (!line.IsEmpty())
            OpenCatalogue(line);
    }
    return lines;
}

// Catalogues inside the catalogue folder are listed relative to it. The list is complete on
// disk before any catalogue is closed.
int CCatManager::WriteOpenList(const CString& path)
{
    const CString prefix = GetCatalogueFolder() + "/";
    std::ostringstream text;
    for (int i = 0; i < GetCount(); ++i) {
        CString file = GetCatalogue(i)->GetPath();
        if (file.IsEmpty())
            continue;
        if (file.Left(prefix.GetLength()) == prefix)
            file = ".\\" + file.Mid(prefix.GetLength());
        text << file.GetString() << "\n";
    }
    if (!WriteFileAtomically(SystemPathFromName(path.IsEmpty() ? OpenListPath() : path), text.str()))
        return 0;
    const int processed = GetCount();
    while (GetCount() > 0)
        CloseCatalogue(0, TRUE);
    return processed;
}

int CCatManager::SaveCatalogue(int index)
{
    CCatalogue* catalogue = GetCatalogue(index) ? GetCatalogue(index) : GetActiveCatalogue();
    if (!catalogue)
        return -1;
    if (catalogue->Save(m_settings->m_saveLimit) != 0 && catalogue->SaveAs() != 0)
        return -1;
    Invalidate();
    return 0;
}

void CCatManager::TakeSnapshot()
{
    delete m_snapshot;
    m_snapshot = nullptr;
    if (CCatalogue* active = GetActiveCatalogue()) {
        m_snapshot = new CCatalogue;
        m_snapshot->CopyFrom(*active);
    }
}

void CCatManager::RestoreSnapshot()
{
    if (!m_snapshot || !GetActiveCatalogue())
        return;
    if (m_window)
        m_window->SetCatalogue(nullptr);
    delete GetActiveCatalogue();
    m_catalogues[m_active] = m_snapshot;
    m_snapshot = nullptr;
    Activate(m_active);
}

BOOL CCatManager::ChangeWithUndo(const std::function<BOOL(CCatalogue&)>& change)
{
    CCatalogue* active = GetActiveCatalogue();
    if (!active)
        return FALSE;
    TakeSnapshot();
    if (!change(*active))
        return FALSE;
    if (SaveCatalogue(-1) != 0) {
        RestoreSnapshot();
        return FALSE;
    }
    return TRUE;
}

BOOL CCatManager::IsCatalogueLocked(int index) const
{
    return GetCatalogue(index) ? GetCatalogue(index)->IsReadOnly() : FALSE;
}

int CCatManager::LockCatalogue(int index)
{
    const int result = GetCatalogue(index) ? GetCatalogue(index)->Lock() : 0;
    Invalidate();
    return result;
}

int CCatManager::UnlockCatalogue(int index)
{
    const int result = GetCatalogue(index) ? GetCatalogue(index)->Unlock() : 0;
    Invalidate();
    return result;
}

BOOL CCatManager::IsProtected(int index) const
{
    return GetCatalogue(index) ? GetCatalogue(index)->IsProtected() : FALSE;
}

CString CCatManager::GetName(int index) const { return GetCatalogue(index) ? GetCatalogue(index)->GetName() : ""; }

BOOL CCatManager::IsUntitled(int index) const
{
    return GetCatalogue(index) && GetCatalogue(index)->GetPath().IsEmpty();
}

BOOL CCatManager::EditEntryIcon(CCatalogue* catalogue, int entry, int)
{
    CCatalogueOb* item = catalogue && entry >= 0 && entry < catalogue->GetCount() ? catalogue->GetEntry(entry) : nullptr;
    if (!item || !item->GetIconImage())
        return FALSE;
    CDib image, mask;
    image.CopyFrom(item->GetIconImage());
    if (item->GetIconMask())
        mask.CopyFrom(item->GetIconMask());
    if (!RunIconEditor(image, mask, GetTopLevelParent()))
        return FALSE;
    item->SetIconFromDib(&image, &mask, image.GetWidth());
    return TRUE;
}

namespace {

CCatManager::PaneShower& Shower()
{
    static CCatManager::PaneShower shower = nullptr;
    return shower;
}

} // namespace

void CCatManager::SetPaneShower(PaneShower shower) { Shower() = shower; }

void CCatManager::ShowPane() const
{
    if (Shower())
        Shower()();
}

void CCatManager::OnNew()
{
    if (NewCatalogue())
        ShowPane();
    m_hot = -1;
}

void CCatManager::OnUpdateNew(CCmdUI* cmdUI) { cmdUI->Enable(!m_protectMode); }

void CCatManager::OnOpen()
{
    if (OpenCatalogue(nullptr))
        ShowPane();
    m_hot = -1;
}

void CCatManager::OnClose()
{
    CloseCatalogue(m_hot >= 0 ? m_hot : m_active, FALSE);
    m_hot = -1;
}

void CCatManager::OnActivateCommand()
{
    Activate(m_hot);
    m_hot = -1;
}

void CCatManager::OnUpdateActivate(CCmdUI* cmdUI) { cmdUI->Enable(m_hot >= 0 && m_hot != m_active); }
