// The Tasks pane: links to frequent commands, a box of the note templates found below the
// notes folder, and three links that come and go with the active view.
#pragma once

#include "shell/PanelPane.h"
#include "platform/ui/ComboBox.h"

#include <list>

// Each entry but the header carries the full path of its template; choosing one opens it.
class CTemplateComboBox : public CComboBox {
public:
    // The box owns the paths its entries point at.
    void AddTemplate(LPCTSTR title, LPCTSTR path);
    BOOL OnSelChange();
    void OpenSelectedTemplate();

private:
    std::list<CString> m_paths;

    DECLARE_MESSAGE_MAP()
};

class CTaskPanelPane : public CPanelPane {
public:
    static constexpr UINT kTemplateBoxId = 1000001, kTemplateItemId = 1000002;
    static constexpr UINT kFilesGroup = 116, kComponentsGroup = 120;
    static constexpr UINT kLayersLink = 123, kPropertiesLink = 133, kSaveAsWebLink = 118;
    static constexpr UINT kImageStrip = 289;

    LRESULT OnTaskPanelNotify(WPARAM code, LPARAM item);
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    void ShowLayersManagerLink(BOOL show);
    void ShowPropertiesPaneLink(BOOL show);
    void ShowSaveAsWebSiteLink(BOOL show);
    CTemplateComboBox& GetTemplateBox() { return m_wndTemplates; }

protected:
    void BuildContent() override;

private:
    void UpdateOptionalLinks();
    void ShowLink(CXTPTaskGroup* group, UINT id, BOOL show, BOOL& shown);

    CTemplateComboBox m_wndTemplates;
    CXTPTaskGroup* m_pFiles = nullptr;
    CXTPTaskGroup* m_pComponents = nullptr;
    BOOL m_bLayersShown = FALSE;
    BOOL m_bPropertiesShown = FALSE;
    BOOL m_bSaveAsWebShown = FALSE;

    DECLARE_MESSAGE_MAP()
};

// Adds the document files ("*.trn", that case only) below a folder, subfolders included.
void ScanNoteTemplates(CTemplateComboBox& box, const CString& folder);
