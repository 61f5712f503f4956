#include "shell/TaskPanelPane.h"

#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "View/HyperRunView.h"
#include "platform/core/FileFind.h"
#include "platform/core/FilePath.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <filesystem>

BEGIN_MESSAGE_MAP(CTemplateComboBox, CComboBox)
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTaskPanelPane, CWnd)
    ON_MESSAGE(WM_XTP_TASKPANELNOTIFY, OnTaskPanelNotify)
END_MESSAGE_MAP()

namespace {

struct LinkRow {
    UINT id;
    LPCTSTR caption;
    int image;
    UINT command;
};

constexpr LinkRow kLinks[] = {
    {117, "New", 0, 57600},
    {119, "Find", 2, 57636},
    {CTaskPanelPane::kSaveAsWebLink, "Save as Web site...", 1, 33894},
    {121, "Catalog Manager", 3, 23038},
    {122, "Project Manager", 4, 23033},
    {CTaskPanelPane::kLayersLink, "Layers Manager", 5, 60441},
    {CTaskPanelPane::kPropertiesLink, "Properties Pane", 7, 33918},
};

constexpr UINT kFirstRecentFile = 57616, kLastRecentFile = 57631;

const LinkRow* FindLink(UINT id)
{
    for (const LinkRow& row : kLinks)
        if (row.id == id)
            return &row;
    return nullptr;
}

void AddLink(CXTPTaskGroup* group, UINT id)
{
    const LinkRow* row = FindLink(id);
    group->AddLink(id, row->image)->SetCaption(GetLanguageText(row->caption));
}

CHyperRunView* ActivePageView()
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return nullptr;
    CFrameWnd* frame = static_cast<CFrameWnd*>(main)->GetActiveFrame();
    CView* view = frame ? frame->GetActiveView() : nullptr;
    return view && view->IsKindOf(RUNTIME_CLASS(CHyperRunView)) ? static_cast<CHyperRunView*>(view) : nullptr;
}

// A notes folder made for the first time starts with the templates the program ships.
CString NotesFolderWithTemplates()
{
    const std::string own = SystemPathFromName(GetSettingString(Setting::NotesDirectory));
    std::error_code error;
    if (!std::filesystem::exists(own, error) && std::filesystem::create_directories(own, error))
        std::filesystem::copy(SystemPathFromName(GetShippedNotesFolder()), own,
                              std::filesystem::copy_options::recursive, error);
    return GetNotesFolder();
}

} // namespace

void CTemplateComboBox::AddTemplate(LPCTSTR title, LPCTSTR path)
{
    const int index = AddString(title);
    if (index < 0)
        return;
    m_paths.emplace_back(path);
    SetItemDataPtr(index, &m_paths.back());
}

BOOL CTemplateComboBox::OnSelChange()
{
    OpenSelectedTemplate();
    return FALSE;
}

void CTemplateComboBox::OpenSelectedTemplate()
{
    const int index = GetCurSel();
    if (index <= 0)
        return;
    if (const auto* path = static_cast<const CString*>(GetItemDataPtr(index)))
        AfxGetApp()->OpenDocumentCopy(*path);
}

void ScanNoteTemplates(CTemplateComboBox& box, const CString& folder)
{
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "/*.*");
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory()) {
            if (!finder.IsDots())
                ScanNoteTemplates(box, finder.GetFilePath());
            continue;
        }
        const CString name = finder.GetFileName();
        if (name.Mid(name.ReverseFind('.') + 1) == "trn")
            box.AddTemplate(finder.GetFileTitle(), finder.GetFilePath());
    }
}

void CTaskPanelPane::BuildContent()
{
    SetImages(LoadBitmapResource(kImageStrip));
    m_wndTemplates.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, CRect(), &m_wndTaskPanel,
                          kTemplateBoxId);
    m_wndTemplates.ResetContent();
    m_wndTemplates.EnableWindow(TRUE);
    m_wndTemplates.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    ScanNoteTemplates(m_wndTemplates, NotesFolderWithTemplates());
    m_wndTemplates.ModifyStyle(CBS_SORT, 0);
    m_wndTemplates.InsertString(0, GetLanguageText("--- Noticetemplates ---"));
    m_wndTemplates.SetCurSel(0);

    m_pFiles = m_wndTaskPanel.AddGroup(kFilesGroup);
    m_pFiles->SetCaption(GetLanguageText("Files"));
    AddLink(m_pFiles, 117);
    CXTPTaskItem* box = m_pFiles->AddControlItem(m_wndTemplates.m_hWnd);
    box->SetID(kTemplateItemId);
    m_wndTemplates.SetWindowPos(nullptr, 0, 0, 150, 200, SWP_NOMOVE | SWP_NOZORDER);
    AddLink(m_pFiles, 119);
    m_pComponents = m_wndTaskPanel.AddGroup(kComponentsGroup);
    m_pComponents->SetCaption(GetLanguageText("Components"));
    AddLink(m_pComponents, 121);
    AddLink(m_pComponents, 122);
    m_bLayersShown = m_bPropertiesShown = FALSE;
    m_wndTaskPanel.RecalcLayout();
}

LRESULT CTaskPanelPane::OnTaskPanelNotify(WPARAM code, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const CXTPTaskItem*>(lParam);
    if (code != TaskPanelItemClick || !item)
        return 0;
    const UINT id = item->GetID();
    const LinkRow* row = FindLink(id);
    const UINT command = row ? row->command : (id >= kFirstRecentFile && id <= kLastRecentFile ? id : 0);
    if (command && AfxGetMainWnd())
        AfxGetMainWnd()->SendMessage(WM_COMMAND, command);
    return 0;
}

BOOL CTaskPanelPane::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    UpdateOptionalLinks();
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void CTaskPanelPane::UpdateOptionalLinks()
{
    if (!m_pFiles)
        return;
    CHyperRunView* view = ActivePageView();
    ShowSaveAsWebSiteLink(view && view->GetObjectCount() > 0);
    ShowLayersManagerLink(view != nullptr);
    ShowPropertiesPaneLink(view != nullptr);
}

void CTaskPanelPane::ShowLayersManagerLink(BOOL show) { ShowLink(m_pComponents, kLayersLink, show, m_bLayersShown); }
void CTaskPanelPane::ShowPropertiesPaneLink(BOOL show)
{
    ShowLink(m_pComponents, kPropertiesLink, show, m_bPropertiesShown);
}
void CTaskPanelPane::ShowSaveAsWebSiteLink(BOOL show) { ShowLink(m_pFiles, kSaveAsWebLink, show, m_bSaveAsWebShown); }

void CTaskPanelPane::ShowLink(CXTPTaskGroup* group, UINT id, BOOL show, BOOL& shown)
{
    show = show != FALSE;
    if (!group || show == shown)
        return;
    if (show)
        AddLink(group, id);
    else if (CXTPTaskItem* item = group->FindItem(id))
        group->RemoveItem(item);
    shown = show;
    m_wndTaskPanel.RecalcLayout();
    m_wndTaskPanel.Invalidate();
}
