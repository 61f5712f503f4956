// The view of the program's document templates: the editing view with the program's insert
// tools, its context menus, links on objects, the alarm check on a timer and the spelling
// check of a whole page.
#pragma once

#include "View/CatView.h"
#include "platform/core/OleDateTime.h"


class CHyperOb;
class COleDataObject;

class CMyView : public CCatView {
    DECLARE_DYNCREATE(CMyView)
public:
    static constexpr UINT ToolRectangle = 33807;
    static constexpr UINT ToolPolyline = 60472;
    static constexpr UINT ToolFreehand = 60479;
    static constexpr UINT ToolFrame = 60451;
    static constexpr UINT ToolEllipse = 60471;
    static constexpr UINT ToolArc = 60478;
    static constexpr UINT ToolBitmap = 60462;
    static constexpr UINT ToolHilite = 60480;
    static constexpr UINT ToolGraphic = 33808;
    static constexpr UINT ToolNote = 34052;
    static constexpr UINT ToolSoundNote = 34060;
    static constexpr UINT ToolRTFNote = 37701;
    static constexpr UINT ToolOleObject = 60463;
    // Commands.
    static constexpr UINT CmdOptions = 32804;
    static constexpr UINT CmdSpellCheck = 32805;
    static constexpr UINT CmdUpdateLayout = 33828;
    static constexpr UINT CmdHiliteShape = 33852;
    static constexpr UINT CmdLanguage = 33891;
    static constexpr UINT CmdLanguageDictionaries = 33892;
    static constexpr UINT CmdOtherDictionaries = 33897;
    static constexpr UINT CmdAlarmCheck = 33901;
    static constexpr UINT CmdAlarmsOff = 33902;
    static constexpr UINT CmdHelpContents = 57667;
    // Timers, menus and texts.
    static constexpr UINT AlarmTimer = 4145;
    static constexpr UINT FlashTimer = 4146;
    static constexpr UINT FlashPeriod = 300;
    static constexpr UINT ViewMenu = 195;
    static constexpr UINT ObjectMenu = 194;
    static constexpr UINT NoticeObjectMenu = 28582;
    static constexpr int NoticeLayers = 21000;
    static constexpr UINT SpellCompleteText = 145;
    static constexpr UINT AlarmSoundText = 166;
    static constexpr UINT LinkConfirmText = 28640;
    static constexpr UINT LinkRefusedText = 28641;

    CMyView();
    ~CMyView() override;

    void RegisterTools() override;
    CHyperViewOb* CreatePageObject() override;
    BOOL IsPointListTool(UINT toolId) const override { return toolId == ToolPolyline; }
    // Chooses a picture file for a new picture object.
    BOOL EditPicture(CObject* picture) override;

    // Exports of the page and the document sent by mail.
    static constexpr UINT CmdSaveAsWebsite = 33894, CmdExportGraphic = 34008, CmdExportPdf = 34062,
                          CmdMailForRevision = 34009;
    void OnSaveAsWebsite();
    void OnExportGraphic();
    void OnExportPdf();
    void OnUpdateExport(CCmdUI* cmdUI);
    void OnMailForRevision();
    void OnUpdateMailForRevision(CCmdUI* cmdUI);

    // Print preview, printing to the PDF printer and the bird's-eye window.
    static constexpr UINT CmdBirdsEye = 37700;
    void OnFilePrintPreview();
    void OnFilePrint();
    void OnBirdsEye();
    void OnDestroy();
    CViewPropertyDialog* CreatePropertyDialog() override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    BOOL OnEndTextEdit() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    // Objects and links under a page point.
    CHyperOb* ObjectAt(CPoint page) const;
    CString GetLinkOf(const CHyperOb* object) const;
    CString GetLinkAt(CPoint page) const;
    // The objects that the spelling check and Alarms off act on.
    void CollectTargets(CObArray& out) const;
    // Spelling.
    void OnSpellCheck();
    void OnUpdateSpellCheck(CCmdUI* cmdUI);
    void SpellCheckWholePage();
    // Alarms.
    void OnAlarmCheck();
    void OnAlarmsOff();
    void StartFlash(int count);
    void StartAlarmTimer();
    // The moment an object's alarm goes off; FALSE when its texts do not give one.
    static BOOL GetAlarmMoment(const CHyperOb* object, COleDateTime& moment);
    // Window messages and commands.
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    // Shift+F10 or the Menu key: the menu of the selection, at the current object.
    LRESULT OnContextMenuKey(WPARAM wParam, LPARAM lParam);
    void ShowContextMenu(CPoint client);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnDropFiles(HDROP drop);
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point) override;
    // The link a dropped file gives: "file://" and the path for a drive or absolute path, a
    // name that starts with a letter as it is, nothing for anything else.
    static CString LinkForDroppedFile(const CString& name);
    void TakeDroppedFile(const CString& name, CPoint device);
    void OnUpdateLayout();
    void OnUpdateUpdateLayout(CCmdUI* cmdUI);
    void OnHiliteShape();
    void OnUpdateHiliteShape(CCmdUI* cmdUI);
    void OnLanguage();
    void OnLanguageDictionaries();
    void OnOtherDictionaries();
    void OnOptions();
    void OnHelpContents();
    // The context menu for the selection: the page's, a notice's or an object's.
    UINT ChooseContextMenu() const;
    // Fields, in declaration order.
    // The size of the bird's-eye window of this page; 0, 0 until it was first opened.
    CSize m_birdsEyeSize{0, 0};
    BOOL m_wholePage = FALSE;
    int m_flashCount = 0;
    BOOL m_handWanted = FALSE;
    // A spelling check runs: edits it commits are not checked again.
    BOOL m_spellChecking = FALSE;
    HCURSOR m_handCursor = nullptr;
    // A picture file dropped on the page, taken by the picture object inserted for it.
    CString m_droppedPicture;
protected:
    BOOL OpenDictionaries();
    void PassSpellOptions();
    void StoreSpellOptions();
    // Checks one object's text in the in-place editor; FALSE when the user cancelled.
    BOOL CheckObjectSpelling(CHyperOb* object);
    BOOL FireAlarm(CHyperOb* object);
    void OpenLink(const CString& link);
    // A dropped file on empty page space: documents open, pictures become bitmap objects.
    void DropOnPage(const CString& file, CPoint page);
    void DownloadDictionaries(BOOL themes);
    // The in-place editor's corrector follows the (new) language and switches.
    void ReopenCorrector();

    DECLARE_MESSAGE_MAP()
};
