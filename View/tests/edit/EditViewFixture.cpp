#include "EditViewFixture.h"

#include "objects/kinds/BorderGen.h"
#include "platform/core/StringTable.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

constexpr UINT IDR_TEST_DOCUMENT = 129;
constexpr UINT IDR_TEST_MAIN = 128;

class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
};
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

} // namespace

void EditViewTest::SetUp()
{
    UiTest::SetUp();
    RegisterStringResource(CBorderOb::TypeNameId, "Border\nBorder");
    RegisterStringResource(CMyView::ToolFrame, "Insert a labelled frame\nFrame");
    folder = (std::filesystem::temp_directory_path() / ("vantrel-editview-" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    app = new CWinApp("EditView");
    docTemplate = new CMultiDocTemplate(IDR_TEST_DOCUMENT, RUNTIME_CLASS(CMyDoc), RUNTIME_CLASS(CMyFrame),
                                        ViewClass());
    app->AddDocTemplate(docTemplate);
    main = new CTestMainFrame;
    ASSERT_TRUE(main->LoadFrame(IDR_TEST_MAIN));
    main->MoveWindow(0, 0, 800, 600);
    main->ShowWindow(SW_SHOW);
    app->m_pMainWnd = main;
    doc = static_cast<CMyDoc*>(docTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    view = static_cast<CMyView*>(doc->GetNextView(pos));
    ASSERT_NE(view, nullptr);
    frame = static_cast<CMyFrame*>(view->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    view->SetFocus();
    Pump();
}

void EditViewTest::TearDown()
{
    Pump();
    if (app->m_pMainWnd)
        app->m_pMainWnd->DestroyWindow();
    delete app;
    std::filesystem::remove_all(folder);
    UiTest::TearDown();
}

void EditViewTest::PickTool(UINT toolId)
{
    frame->SendMessage(WM_COMMAND, toolId);
}

void EditViewTest::Post(UINT message, POINT at, UINT keys)
{
    ::PostMessage(view->m_hWnd, message, keys, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void EditViewTest::PostKey(UINT vk)
{
    ::PostMessage(view->m_hWnd, WM_KEYDOWN, vk, 1);
}

void EditViewTest::Drag(POINT from, POINT to, int steps)
{
    Post(WM_LBUTTONDOWN, from, MK_LBUTTON);
    for (int i = 1; i <= steps; ++i)
        Post(WM_MOUSEMOVE, {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, MK_LBUTTON);
    Post(WM_LBUTTONUP, to);
    Pump();
}

void EditViewTest::Click(POINT at)
{
    Post(WM_LBUTTONDOWN, at, MK_LBUTTON);
    Post(WM_LBUTTONUP, at);
    Pump();
}

void EditViewTest::RightClick(POINT at)
{
    Post(WM_RBUTTONDOWN, at, MK_RBUTTON);
    Post(WM_RBUTTONUP, at);
    Pump();
}

void EditViewTest::Pump()
{
    UiTestHook::PumpPending();
}

CHyperOb* EditViewTest::AddBorder(const CRect& rect)
{
    auto* border = new CBorderGen;
    border->Init(view, &rect, TRUE);
    EXPECT_TRUE(view->AddObject(border, FALSE, TRUE));
    // Added objects come selected, as pasted ones do; these start unselected.
    border->Deselect(TRUE);
    return border;
}

CHyperOb* EditViewTest::Object(int index) const
{
    return view->GetObjectAtIndex(index);
}

int EditViewTest::ObjectCount() const
{
    return static_cast<int>(view->GetObjects().GetSize());
}

CRect EditViewTest::RectOf(int index) const
{
    CRect rect;
    Object(index)->GetRect(&rect, nullptr);
    return rect;
}

CString EditViewTest::NameOf(int index) const
{
    return Object(index)->GetCode();
}

UINT EditViewTest::CurrentTool() const
{
    return frame->GetCurrentTool();
}

std::vector<BYTE> EditViewTest::PageBytes()
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        view->Serialize(archive);
    }
    const auto length = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + length);
    std::free(data);
    return bytes;
}

void EditViewTest::LoadPage(const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load);
    view->Serialize(archive);
}
