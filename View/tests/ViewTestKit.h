// What the page and document tests share: a small object kind, a page view that edits and
// draws its objects, and a program with the editor's document template.
#pragma once

#include "View/HyperRunView.h"
#include "View/MyDoc.h"
#include "View/MyFrame.h"
#include "objects/HyperOb.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/WinApp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "objects/tests/ArchiveBytes.h"

// Fills its rectangle with its background colour; stores that colour after the object record.
class CSwatchOb : public CHyperOb {
    DECLARE_SERIAL(CSwatchOb)
public:
    void Draw(CDC* dc) override;
    void Serialize(CArchive& archive) override;
};

// A page view in edit mode (switchable) that draws the objects of its page.
class CTestPageView : public CHyperRunView {
    DECLARE_DYNCREATE(CTestPageView)
public:
    BOOL IsEditMode() const override { return m_editMode; }
    void SetEditMode(BOOL editMode) override { m_editMode = editMode; }
    BOOL AcceptsTools() const override { return TRUE; }
    void DrawPage(CDC* dc, const CRect& rect) override;
    void OnDocumentSaved(LPCTSTR path) override { savedPaths.push_back(path ? path : "(none)"); }
    BOOL ShowsHandles() const override { return FALSE; }

    BOOL m_editMode = TRUE;
    // What the last page drawing saw.
    COLORREF m_drawnPageColor = 0;
    int m_drawnZoom = 0;
    CRect m_drawnRect;
    std::vector<std::string> savedPaths;
};

// A swatch on the page at index 0 (the top), named and coloured.
CSwatchOb* AddSwatch(CHyperRunView& view, const RECT& rect, COLORREF color, const char* code);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

// Records the help requests the program makes.
class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("Vantrel") { }
    void WinHelp(DWORD_PTR data, UINT command) override { helpRequests.push_back({data, command}); }
    std::vector<std::pair<DWORD_PTR, UINT>> helpRequests;
};

// The editor's document template over a main frame, in a folder of its own.
class ViewAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new untitled document of the template, with its frame and view.
    CMyDoc* NewDocument();
    static CTestPageView* ViewOf(CDocument* document);
    static CMyFrame* FrameOf(CDocument* document);
    std::string PathOf(const char* name) const { return (m_folder / name).string(); }
    std::vector<std::string> FilesInFolder() const;

    std::filesystem::path m_folder;
    CTestApp* m_app = nullptr;
    CMultiDocTemplate* m_template = nullptr;
    CMDIFrameWnd* m_main = nullptr;
};
