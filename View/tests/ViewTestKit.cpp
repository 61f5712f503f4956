#include "ViewTestKit.h"

#include "objects/HyperViewOb.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/TestHook.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unistd.h>

IMPLEMENT_SERIAL(CSwatchOb, CHyperOb, 1)
IMPLEMENT_DYNCREATE(CTestPageView, CHyperRunView)

void CSwatchOb::Draw(CDC* dc)
{
    CRect rect;
    dc->FillSolidRect(GetRect(&rect, nullptr), BackColor);
}

void CSwatchOb::Serialize(CArchive& archive)
{
    CHyperOb::Serialize(archive);
    if (archive.IsStoring())
        archive << BackColor;
    else
        archive >> BackColor;
}

void CTestPageView::DrawPage(CDC* dc, const CRect& rect)
{
    m_drawnPageColor = GetPageObject()->Color;
    m_drawnZoom = GetZoom();
    m_drawnRect = rect;
    DrawPageRect(dc, rect);
}

CSwatchOb* AddSwatch(CHyperRunView& view, const RECT& rect, COLORREF color, const char* code)
{
    auto* swatch = new CSwatchOb;
    swatch->Init(&view, &rect, FALSE);
    swatch->BackColor = color;
    swatch->Code = code;
    view.GetObjects().InsertAt(0, swatch);
    view.MapObjectName(swatch->Code, swatch);
    return swatch;
}

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ViewAppTest::SetUp()
{
    UiTestHook::Reset();
    m_folder = std::filesystem::temp_directory_path() /
               ("vantrel-view-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    m_app = new CTestApp;
    m_app->SetRegistryKey("Tester");
    m_app->LoadStdProfileSettings(4);
    m_template = new CMultiDocTemplate(129, RUNTIME_CLASS(CMyDoc), RUNTIME_CLASS(CMyFrame),
                                       RUNTIME_CLASS(CTestPageView));
    m_app->AddDocTemplate(m_template);
    m_main = new CMDIFrameWnd;
    ASSERT_TRUE(m_main->LoadFrame(128));
    m_app->m_pMainWnd = m_main;
}

void ViewAppTest::TearDown()
{
    if (m_app->m_pMainWnd)
        m_app->m_pMainWnd->DestroyWindow();
    delete m_app;
    UiTestHook::PumpPending();
    UiTestHook::Reset();
    std::filesystem::remove_all(m_folder);
}

CMyDoc* ViewAppTest::NewDocument()
{
    return static_cast<CMyDoc*>(m_template->OpenDocumentFile(nullptr));
}

CTestPageView* ViewAppTest::ViewOf(CDocument* document)
{
    POSITION pos = document->GetFirstViewPosition();
    return static_cast<CTestPageView*>(document->GetNextView(pos));
}

CMyFrame* ViewAppTest::FrameOf(CDocument* document)
{
    return static_cast<CMyFrame*>(ViewOf(document)->GetParentFrame());
}

std::vector<std::string> ViewAppTest::FilesInFolder() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
