// The page exported as a web page with an image map, as JPEG, TIFF and BMP pictures and as a
// PDF file, each read back with outside tools or libraries.
#include "EditViewFixture.h"
#include "View/tests/PdfInfo.h"

#include "View/PageExport.h"
#include "View/PageExportHost.h"
#include "View/PageExportPicture.h"
#include "objects/GroupInfo.h"
#include "objects/HyperDrawOb.h"
#include "objects/kinds/TextGen.h"
#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLAnyPicDecoder.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MDIFrameWnd.h"

#include "platform/sys/tests/TestFiles.h"

#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0), kBlue = RGB(0, 0, 200), kWhite = RGB(255, 255, 255);

// Each start tag of an HTML file as Python's parser reads it: "tag name=value name=value",
// attributes in file order with entities resolved.
std::string ParsedTags(const std::string& htmlPath)
{
    const std::string script = R"(
import sys
from html.parser import HTMLParser
class Tags(HTMLParser):
    def handle_starttag(self, tag, attrs):
        print(' '.join([tag] + ['%s=%s' % (k, v) for k, v in attrs]))
    def handle_data(self, data):
        if self.lasttag == 'title' and data.strip():
            print('title-text=' + data)
Tags(convert_charrefs=True).feed(open(sys.argv[1], encoding='cp1252').read())
)";
    const std::string scriptPath = htmlPath + ".py";
    std::ofstream(scriptPath) << script;
    return CommandOutput("python3 '" + scriptPath + "' '" + htmlPath + "'");
}

struct Decoded {
    int width = 0;
    int height = 0;
    PLAnyBmp bitmap;
    COLORREF At(int x, int y) const
    {
        const auto* pixel = reinterpret_cast<const PLPixel32*>(bitmap.GetLine(y)) + x;
        return RGB(pixel->r, pixel->g, pixel->b);
    }
};

bool Decode(const std::string& path, Decoded& decoded)
{
    try {
        PLAnyPicDecoder decoder;
        decoder.MakeBmpFromFile(path.c_str(), &decoded.bitmap, 32);
    } catch (...) {
        return false;
    }
    decoded.width = decoded.bitmap.GetWidth();
    decoded.height = decoded.bitmap.GetHeight();
    return true;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 24)
{
    auto near = [tolerance](int x, int y) { return std::abs(x - y) <= tolerance; };
    return near(GetRValue(a), GetRValue(b)) && near(GetGValue(a), GetGValue(b)) && near(GetBValue(a), GetBValue(b));
}

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// Stands in for the options dialog: hands back the settings of the test, rendered the way the
// dialog renders them.
class FakeExportHost : public CPageExportHost {
public:
    BOOL RunExportOptions(CHyperRunView* view, const CString& caption, CExportOptions& options) override
    {
        captions.push_back(static_cast<LPCTSTR>(caption));
        if (cancel)
            return FALSE;
        options = settings;
        double megabytes = 0;
        const CPageRenderRequest request{settings.zoomText, ExportZoomFactor(settings.zoomText), ScreenDpi()};
        return RenderPagePicture(*view, request, options, megabytes);
    }
    void BeginProgress(int, int, int, UINT captionId) override { progress.push_back(captionId); }

    CExportOptions settings;
    bool cancel = false;
    std::vector<std::string> captions;
    std::vector<UINT> progress;
};

class PageExportTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        SetPageExportHost(&host);
    }
    void TearDown() override
    {
        SetPageExportHost(nullptr);
        EditViewTest::TearDown();
    }

    CHyperOb* AddFilled(const CRect& rect, COLORREF color, const char* url)
    {
        CHyperOb* object = AddBorder(rect);
        object->BackColor = color;
        object->SetURL(url);
        return object;
    }
    // Red at (20,20)-(80,60) with a link, blue at (100,30)-(160,90) with a link on top, an
    // unlinked one at (170,10)-(190,30): the page is 190 x 90.
    void AddLinkedPage()
    {
        AddFilled({20, 20, 80, 60}, kRed, "https://a.example/?x=1&y=\"2\"");
        AddFilled({170, 10, 190, 30}, kRed, "");
        AddFilled({100, 30, 160, 90}, kBlue, "mailto:b@example.org");
        Pump();
    }
    std::string Path(const char* name) const { return folder + "/" + name; }
    void SaveAsWebsite(const std::string& path)
    {
        UiTestHook::QueueFileDialogAnswer(path);
        view->SendMessage(WM_COMMAND, CMyView::CmdSaveAsWebsite);
    }
    void ExportGraphic(const std::string& path)
    {
        UiTestHook::QueueFileDialogAnswer(path);
        view->SendMessage(WM_COMMAND, CMyView::CmdExportGraphic);
    }

    FakeExportHost host;
};

TEST(PageExportNames, ZoomTextBecomesAFactor)
{
    const struct {
        const char* text;
        double factor;
    } cases[] = {{"100%", 1.0}, {"100", 1.0}, {"50%", 0.5}, {"150", 1.5}, {"0%", 1.0},
                 {"-50%", 0.5}, {"zoom", 1.0}, {"", 1.0}, {" 25%", 0.25}, {"12.5%", 0.125}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ExportZoomFactor(c.text), c.factor) << c.text;
}

TEST(PageExportNames, BaseNameDropsTheExtensionOrCleansTheTitle)
{
    const struct {
        const char* path;
        const char* title;
        const char* base;
    } cases[] = {
        {"/home/ann/plan.trn", "plan.trn", "/home/ann/plan"},
        {"/home/ann/week.plan.trn", "", "/home/ann/week.plan"},
        {"/home/ann.d/plan", "plan", "/home/ann.d/plan"},
        {"", "a/b", "a_b"},
        {"", "q\\u:e*s?t<i>o|n\"s", "q_u_e_s_t_i_o_n_s"},
    };
    for (const auto& c : cases) {
        CDocument document;
        document.SetTitle(c.title);
        if (*c.path)
            document.SetPathName(c.path, FALSE);
        EXPECT_EQ(std::string(ExportBaseName(document)), c.base) << c.path << " " << c.title;
    }
}

TEST_F(PageExportTest, AWebPageHasOneAreaPerLinkInPageOrderAndItsPicture)
{
    AddLinkedPage();
    const std::string page = Path("plan.html");
    SaveAsWebsite(page);

    ASSERT_TRUE(fs::exists(page));
    EXPECT_EQ(host.captions, std::vector<std::string>{"Save as Website"});
    const std::string bytes = ReadText(page);
    for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
        ASSERT_EQ(bytes[at - 1], '\r') << "a line break without CR at " << at;
    EXPECT_EQ(ParsedTags(page),
              "html\nhead\nmeta http-equiv=Content-Type content=text/html; charset=windows-1252\n"
              "meta name=GENERATOR content=Korvane Vantrel Q8\ntitle\ntitle-text=plan\nbody\np\n"
              "map name=TarnMap\n"
              "area href=mailto:b@example.org shape=rect coords=100 ,30 ,160 ,90\n"
              "area href=https://a.example/?x=1&y=\"2\" shape=rect coords=20 ,20 ,80 ,60\n"
              "img border=0 src=plan.jpg alt=plan usemap=#TarnMap width=190 height=90\n");

    Decoded picture;
    ASSERT_TRUE(Decode(Path("plan.jpg"), picture));
    EXPECT_EQ(picture.width, 190);
    EXPECT_EQ(picture.height, 90);
    // Inside each object and beside them, as the view shows the page at 100 %, off the grid.
    for (POINT at : {POINT{53, 43}, POINT{133, 63}, POINT{93, 77}, POINT{5, 5}}) {
        const COLORREF screen = UiTestHook::PixelAt(view->m_hWnd, at);
        EXPECT_TRUE(Near(picture.At(at.x, at.y), screen))
            << at.x << "," << at.y << " picture " << std::hex << picture.At(at.x, at.y) << " screen " << screen;
    }
    EXPECT_TRUE(Near(picture.At(50, 40), kRed));
    EXPECT_TRUE(Near(picture.At(130, 60), kBlue));
    EXPECT_TRUE(Near(picture.At(5, 5), kWhite));
}

TEST_F(PageExportTest, TheZoomScalesTheMapAndThePicture)
{
    AddLinkedPage();
    host.settings.zoomText = "50%";
    host.settings.format = "BMP";
    SaveAsWebsite(Path("half.html"));

    const std::string tags = ParsedTags(Path("half.html"));
    EXPECT_NE(tags.find("coords=50 ,15 ,80 ,45\n"), std::string::npos) << tags;
    EXPECT_NE(tags.find("coords=10 ,10 ,40 ,30\n"), std::string::npos) << tags;
    EXPECT_NE(tags.find("src=half.bmp alt=half usemap=#TarnMap width=95 height=45\n"), std::string::npos) << tags;
    Decoded picture;
    ASSERT_TRUE(Decode(Path("half.bmp"), picture));
    EXPECT_EQ(picture.width, 95);
    EXPECT_EQ(picture.height, 45);
    EXPECT_TRUE(Near(picture.At(25, 20), kRed));
    EXPECT_TRUE(Near(picture.At(65, 30), kBlue));
}

TEST_F(PageExportTest, APageWithoutLinksHasNoMap)
{
    AddFilled({10, 10, 50, 40}, kRed, "");
    host.settings.format = "TIFF";
    SaveAsWebsite(Path("plain.html"));

    const std::string tags = ParsedTags(Path("plain.html"));
    EXPECT_EQ(tags.find("map"), std::string::npos) << tags;
    EXPECT_NE(tags.find("img border=0 src=plain.tiff alt=plain width=50 height=40\n"), std::string::npos) << tags;
    EXPECT_TRUE(fs::exists(Path("plain.tiff")));
}

TEST_F(PageExportTest, GroupMembersLinkToTheUrlOfTheMemberHoldingTheGroup)
{
    CHyperOb* member = AddFilled({10, 10, 30, 30}, kRed, "https://member.example/");
    CHyperOb* owner = AddFilled({40, 10, 60, 30}, kRed, "https://owner.example/");
    CHyperOb* orphan = AddFilled({70, 10, 90, 30}, kRed, "https://orphan.example/");
    member->GroupID = owner->GroupID = 4;
    owner->SetOwnGroupInfo(owner->CreateGroupInfo());
    orphan->GroupID = 5;

    EXPECT_EQ(std::string(BuildImageMapAreas(view->GetObjects(), 1.0)),
              "<area href=\"https://owner.example/\" shape=\"rect\" coords=\"40 ,10 ,60 ,30\">\n"
              "<area href=\"https://owner.example/\" shape=\"rect\" coords=\"10 ,10 ,30 ,30\">");
}

TEST_F(PageExportTest, AFailedPictureWritesNoPageAndTellsTheUser)
{
    AddLinkedPage();
    // A folder where the picture should go.
    fs::create_directories(Path("plan.jpg"));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    SaveAsWebsite(Path("plan.html"));

    EXPECT_FALSE(fs::exists(Path("plan.html")));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("plan.jpg"), std::string::npos) << UiTestHook::LastMessageBoxText();
}

TEST_F(PageExportTest, CancellingAnyDialogWritesNothing)
{
    AddLinkedPage();
    SaveAsWebsite("");
    EXPECT_TRUE(host.captions.empty());
    host.cancel = true;
    SaveAsWebsite(Path("plan.html"));
    view->SendMessage(WM_COMMAND, CMyView::CmdExportGraphic);
    EXPECT_EQ(host.captions, (std::vector<std::string>{"Save as Website", "Export Graphic"}));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
    EXPECT_FALSE(fs::exists(Path("plan.html")));
    EXPECT_FALSE(fs::exists(Path("plan.jpg")));
}

TEST_F(PageExportTest, JpegQualityChangesTheFileAndBothDecode)
{
    AddLinkedPage();
    host.settings.jpegQuality = 95;
    ExportGraphic(Path("fine.jpg"));
    host.settings.jpegQuality = 10;
    ExportGraphic(Path("coarse.jpg"));

    EXPECT_GT(fs::file_size(Path("fine.jpg")), fs::file_size(Path("coarse.jpg")));
    for (const char* name : {"fine.jpg", "coarse.jpg"}) {
        Decoded picture;
        ASSERT_TRUE(Decode(Path(name), picture)) << name;
        EXPECT_EQ(picture.width, 190) << name;
        EXPECT_TRUE(Near(picture.At(50, 40), kRed, 48)) << name;
    }
    EXPECT_EQ(host.progress, (std::vector<UINT>{153, 159, 153, 159}));
}

TEST_F(PageExportTest, TiffKeepsTheChosenCompression)
{
    AddLinkedPage();
    host.settings.format = "TIFF";
    for (WORD compression : {WORD(COMPRESSION_NONE), WORD(COMPRESSION_PACKBITS)}) {
        host.settings.tiffCompression = compression;
        const std::string path = Path(("page" + std::to_string(compression) + ".tif").c_str());
        ExportGraphic(path);
        TIFF* tif = TIFFOpen(path.c_str(), "r");
        ASSERT_NE(tif, nullptr) << path;
        uint16_t stored = 0;
        uint32_t width = 0, height = 0;
        TIFFGetField(tif, TIFFTAG_COMPRESSION, &stored);
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
        std::vector<uint32_t> raster(size_t(width) * height);
        const int read = TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 0);
        TIFFClose(tif);
        EXPECT_EQ(stored, compression);
        EXPECT_EQ(width, 190u);
        EXPECT_EQ(height, 90u);
        ASSERT_TRUE(read);
        const uint32_t red = raster[40 * width + 50];
        EXPECT_TRUE(Near(RGB(TIFFGetR(red), TIFFGetG(red), TIFFGetB(red)), kRed, 0));
    }
}

TEST_F(PageExportTest, BmpIsTheFileHeaderFollowedByThePicture)
{
    AddLinkedPage();
    host.settings.format = "BMP";
    CExportOptions shown;
    host.settings.zoomText = "100";
    ExportGraphic(Path("page.bmp"));

    // The picture the export wrote, made again the same way.
    double megabytes = 0;
    ASSERT_TRUE(RenderPagePicture(*view, {"100", 1.0, ScreenDpi()}, shown, megabytes));
    HGLOBAL dib = shown.picture.GetHandle();
    const auto* block = static_cast<const BYTE*>(GlobalLock(dib));
    const std::string picture(reinterpret_cast<const char*>(block), GlobalSize(dib));
    GlobalUnlock(dib);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(picture.data());
    ASSERT_EQ(header->biWidth, 190);
    // True colour without a colour table: the rows follow the 40-byte header.
    ASSERT_EQ(header->biBitCount, 24);
    const uint32_t fileSize = uint32_t(14 + picture.size());
    const std::string fileHeader = std::string("BM") +
        std::string(reinterpret_cast<const char*>(&fileSize), 4) +  // file size
        std::string(4, '\0') +                                       // reserved
        std::string("\x36\0\0\0", 4);                                // rows start after 14 + 40 bytes
    EXPECT_EQ(ReadText(Path("page.bmp")), fileHeader + picture);
}

TEST_F(PageExportTest, EveryFailedGraphicIsReported)
{
    AddLinkedPage();
    const struct {
        const char* format;
        const char* file;
    } cases[] = {{"JPEG", "missing/page.jpg"}, {"TIFF", "missing/page.tif"}, {"BMP", "missing/page.bmp"}};
    for (const auto& c : cases) {
        UiTestHook::Reset();
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        host.settings.format = c.format;
        // A folder that is not there: the picture cannot be written.
        ExportGraphic(Path(c.file));
        EXPECT_EQ(UiTestHook::MessageBoxCount(), 1) << c.format;
        EXPECT_EQ(UiTestHook::LastMessageBoxStyle() & MB_ICONERROR, UINT(MB_ICONERROR)) << c.format;
        EXPECT_FALSE(fs::exists(Path("missing"))) << c.format;
    }
}

TEST_F(PageExportTest, APictureOfTheScreenResolutionHasThePageSizeAndATooLargeOneIsRefused)
{
    AddLinkedPage();
    CExportOptions options;
    double megabytes = 0;
    ASSERT_TRUE(RenderPagePicture(*view, {"100%", 1.0, ScreenDpi()}, options, megabytes));
    EXPECT_EQ(options.picture.GetSize(), CSize(190, 90));
    EXPECT_EQ(options.pictureWidth, 190);
    ASSERT_TRUE(RenderPagePicture(*view, {"200%", 2.0, ScreenDpi() / 2}, options, megabytes));
    EXPECT_EQ(options.picture.GetSize(), CSize(190, 90));
    EXPECT_EQ(options.pictureWidth, 380);
    EXPECT_EQ(options.pictureHeight, 180);

    AddFilled({0, 0, 30000, 30000}, kRed, "");
    EXPECT_FALSE(RenderPagePicture(*view, {"400%", 4.0, 2 * ScreenDpi()}, options, megabytes));
    EXPECT_NEAR(megabytes, 32.0 * 240000 * 240000 / 8 / 1048576, 1);
    EXPECT_EQ(options.picture.GetSize(), CSize(190, 90));
    EXPECT_EQ(view->GetZoom(), 100);
}

TEST_F(PageExportTest, APdfOfATwoPageDocumentHasBothPagesWithTheirTexts)
{
    AddFilled({20, 20, 120, 80}, kRed, "");
    auto* text = new CTextGen;
    CRect textRect(20, 100, 300, 130);
    text->Init(view, &textRect, TRUE);
    text->SetText("Quarterly roadmap");
    ASSERT_TRUE(view->AddObject(text, FALSE, TRUE));
    text->Deselect(TRUE);
    // A second page of the same document.
    CFrameWnd* second = docTemplate->CreateNewFrame(doc, nullptr);
    ASSERT_NE(second, nullptr);
    docTemplate->InitialUpdateFrame(second, doc);
    POSITION pos = doc->GetFirstViewPosition();
    doc->GetNextView(pos);
    auto* page2 = dynamic_cast<CMyView*>(doc->GetNextView(pos));
    ASSERT_NE(page2, nullptr);
    auto* text2 = new CTextGen;
    text2->Init(page2, &textRect, TRUE);
    text2->SetText("Second worksheet");
    ASSERT_TRUE(page2->AddObject(text2, FALSE, TRUE));
    // The first page in front, as the user exports it.
    main->MDIActivate(frame);
    Pump();

    const std::string pdf = Path("plan.pdf");
    UiTestHook::QueueFileDialogAnswer(pdf);
    view->SendMessage(WM_COMMAND, CMyView::CmdExportPdf);
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(PdfInfoField(pdf, "Pages"), "2");
    const std::string texts = CommandOutput("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(texts.find("Quarterly roadmap"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Second worksheet"), std::string::npos) << texts;

    // Page 1 at the screen's resolution: the red object where the view shows it.
    const std::string raster = Path("page");
    CommandOutput("pdftoppm -r " + std::to_string(ScreenDpi()) + " -f 1 -l 1 -png '" + pdf + "' '" + raster + "'");
    Decoded page;
    ASSERT_TRUE(Decode(raster + "-1.png", page));
    for (POINT at : {POINT{73, 53}, POINT{155, 55}})
        EXPECT_TRUE(Near(page.At(at.x, at.y), UiTestHook::PixelAt(view->m_hWnd, at), 40)) << at.x << "," << at.y;
    EXPECT_TRUE(Near(page.At(70, 50), kRed, 40));
}

} // namespace
