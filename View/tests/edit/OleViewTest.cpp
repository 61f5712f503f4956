// The container layer of the page: text and pictures of other programs pasted and dropped,
// embedded objects inserted, opened, scaled and copied between documents, and the snap
// feedback of a single line dragged over the page.
#include "EditCommandFixture.h"

#include "View/HyperOleViewScale.h"
#include "View/ObjectsFormat.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/LineGen.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/TestHook.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstring>
#include <fstream>

namespace {

std::vector<std::string>& OpenedPaths()
{
    static std::vector<std::string> paths;
    return paths;
}

bool RecordOpen(const char* path)
{
    OpenedPaths().push_back(path);
    return true;
}

class OleViewTest : public EditCommandTest {
protected:
    void SetUp() override
    {
        EditCommandTest::SetUp();
        OpenedPaths().clear();
        previousOpener = OleTestHook::SetDesktopOpener(RecordOpen);
        QGuiApplication::clipboard()->clear();
    }

    void TearDown() override
    {
        OleTestHook::SetDesktopOpener(previousOpener);
        OleTestHook::Reset();
        UiTestHook::Reset();
        EditCommandTest::TearDown();
    }

    // Content as another program offers it.
    static void OfferForeign(const QString& text, const QImage& image)
    {
        auto* mime = new QMimeData;
        if (!text.isEmpty())
            mime->setText(text);
        if (!image.isNull())
            mime->setImageData(image);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    // Embeds a file through Insert Object; the new object or NULL.
    CHyperOleOb* InsertFile(const std::string& name, const std::string& content)
    {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        UiTestHook::QueueFileDialogAnswer(path);
        view->SendMessage(WM_COMMAND, CHyperOleView::CmdInsertObject);
        return ObjectCount() ? dynamic_cast<CHyperOleOb*>(Object(0)) : nullptr;
    }

    CPoint Screen(POINT client) const
    {
        CPoint point = client;
        view->ClientToScreen(&point);
        return point;
    }

    static CString TextOf(CHyperOb* object)
    {
        CString text;
        object->GetText(text);
        return text;
    }

    OleTestHook::DesktopOpener previousOpener = nullptr;
};

TEST_F(OleViewTest, TextAndPicturesOfOtherProgramsArePastedAsObjects)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    struct Case {
        const char* name;
        QString text;
        QImage image;
        std::vector<std::string> classes;
    };
    const Case cases[] = {
        {"text", "Hello there", QImage(), {"CTextGen"}},
        {"picture", "", picture, {"CBitmapGen"}},
        {"both", "Caption", picture, {"CTextGen", "CBitmapGen"}},
    };
    for (const Case& c : cases) {
        view->GetObjects().DeleteAll();
        view->SetCurrentIndex(-1);
        view->GetSelection().RemoveAll();
        OfferForeign(c.text, c.image);
        ASSERT_TRUE(Run(CHyperView::CmdPaste)) << c.name;
        ASSERT_EQ(ObjectCount(), static_cast<int>(c.classes.size())) << c.name;
        for (int i = 0; i < ObjectCount(); ++i) {
            CHyperOb* object = Object(i);
            const std::string className = object->GetRuntimeClass()->m_lpszClassName;
            EXPECT_NE(std::find(c.classes.begin(), c.classes.end(), className), c.classes.end()) << c.name;
            if (auto* bitmap = dynamic_cast<CBitmapOb*>(object))
                EXPECT_EQ(bitmap->GetPicture().GetDimensions(), CSize(20, 10)) << c.name;
            else
                EXPECT_EQ(TextOf(object), CString(c.text.toUtf8().constData())) << c.name;
        }
    }
    view->Undo();
    EXPECT_EQ(ObjectCount(), 0) << "one paste is one undo step";
}

TEST_F(OleViewTest, DroppedTextLinksTheObjectUnderItOrBecomesATextObject)
{
    Add("A", CRect(100, 100, 200, 160));
    const char text[] = "https://example.org/page";
    struct Case {
        POINT at;
        int objects;
        const char* link;
    };
    const Case cases[] = {{{150, 130}, 1, text}, {{400, 300}, 2, ""}};
    for (const Case& c : cases) {
        Named("A")->SetURL(CString());
        auto* source = new COleDataSource;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        std::memcpy(GlobalLock(block), text, sizeof text);
        GlobalUnlock(block);
        source->CacheGlobalData(CF_TEXT, block);
        OleTestHook::DragEnter(source, Screen(c.at), 0);
        OleTestHook::Drop(Screen(c.at), 0);
        source->InternalRelease();
        Pump();
        EXPECT_EQ(ObjectCount(), c.objects);
        EXPECT_EQ(Named("A")->GetURL(), CString(c.link));
    }
    EXPECT_EQ(TextOf(Object(0)), CString(text));
}

TEST_F(OleViewTest, AnUnreadablePictureIsReportedAndAddsNothing)
{
    const std::vector<BYTE> truncated = {40, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0, 1, 0, 24, 0};
    auto* source = new COleDataSource;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, truncated.size());
    std::memcpy(GlobalLock(block), truncated.data(), truncated.size());
    GlobalUnlock(block);
    source->CacheGlobalData(CF_DIB, block);
    source->SetClipboard();
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    const int boxes = UiTestHook::MessageBoxCount();
    view->SendMessage(WM_COMMAND, CHyperView::CmdPaste);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(OleViewTest, InsertObjectEmbedsTheChosenFileAndADoubleClickOpensIt)
{
    CHyperOleOb* object = InsertFile("notes.txt", "some notes");
    ASSERT_NE(object, nullptr);
    ASSERT_NE(object->GetOleItem(), nullptr);
    EXPECT_EQ(object->GetOleItem()->GetFileName(), "notes.txt");
    EXPECT_EQ(object->GetOleItem()->GetDocument(), doc);
    EXPECT_EQ(object->TypeName.FindOneOf(". "), -1);
    CRect rect = RectOf(0);
    EXPECT_GT(rect.Width(), 1);
    EXPECT_EQ(view->GetCurrentObject(), object);
    EXPECT_EQ(view->GetUndoCount(), 1);

    for (UINT keys : {0u, static_cast<UINT>(MK_CONTROL)}) {
        OpenedPaths().clear();
        view->SendMessage(WM_LBUTTONDBLCLK, keys, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
        ASSERT_EQ(OpenedPaths().size(), 1u) << keys;
        EXPECT_NE(OpenedPaths()[0].find("notes.txt"), std::string::npos);
    }
}

TEST_F(OleViewTest, CancelledInsertObjectAddsNothing)
{
    UiTestHook::QueueFileDialogAnswer("");
    view->SendMessage(WM_COMMAND, CHyperOleView::CmdInsertObject);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(OleViewTest, TheTypeTextIsTheServerNameUpToItsFirstDotOrBlank)
{
    struct Case {
        const char* userType;
        const char* typeText;
    };
    const Case cases[] = {{"Paint Shop", "Paint"},     {"Word.Document", "Word"}, {"Package", "Package"},
                          {"Quick-Note 2", "QuickNote"}, {".hidden", ""},         {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(CHyperOleView::TypeTextFrom(c.userType), CString(c.typeText)) << c.userType;
}

TEST_F(OleViewTest, ScalingTakesTheNaturalSizeTimesThePercentage)
{
    QImage picture(96, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const std::string path = folder + "/picture.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    UiTestHook::QueueFileDialogAnswer(path);
    view->SendMessage(WM_COMMAND, CHyperOleView::CmdInsertObject);
    ASSERT_EQ(ObjectCount(), 1);
    auto* object = dynamic_cast<CHyperOleOb*>(Object(0));
    ASSERT_NE(object, nullptr);
    const CSize natural = RectOf(0).Size();
    ASSERT_GT(natural.cx, natural.cy);
    const CPoint corner = RectOf(0).TopLeft();
    struct Case {
        int percent;
        CSize size;
    };
    const Case cases[] = {{200, CSize(natural.cx * 2, natural.cy * 2)},
                          {50, CSize(natural.cx / 2, natural.cy / 2)},
                          {100, natural}};
    for (const Case& c : cases) {
        object->SetRect(CRect(corner, CSize(17, 83)));
        COleScaleDialog dialog(object->GetOleItem(), CHyperOleView::MinScale, CHyperOleView::MaxScale);
        EXPECT_TRUE(dialog.OnApplyScale(object->GetOleItem(), c.percent, FALSE));
        EXPECT_EQ(RectOf(0).Size(), c.size) << c.percent;
        EXPECT_EQ(RectOf(0).TopLeft(), corner) << c.percent;
    }
}

TEST_F(OleViewTest, AnEmbeddedObjectTravelsToAnotherDocumentWithItsFile)
{
    CHyperOleOb* object = InsertFile("data.bin", std::string("\x01\x02\x00\x03", 4));
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    EXPECT_TRUE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormat(CF_EMBEDDEDPACKAGE_NAME)))
        << "other containers take the embedded file itself";

    CMyView* other = OpenSecondView();
    other->SendMessage(WM_COMMAND, CHyperView::CmdPaste);
    ASSERT_EQ(other->GetObjects().GetSize(), 1);
    auto* pasted = dynamic_cast<CHyperOleOb*>(other->GetObjectAtIndex(0));
    ASSERT_NE(pasted, nullptr);
    ASSERT_NE(pasted->GetOleItem(), nullptr);
    EXPECT_EQ(pasted->GetOleItem()->GetFileData(), object->GetOleItem()->GetFileData());
    EXPECT_EQ(pasted->TypeName, object->TypeName);
}

TEST_F(OleViewTest, ObjectPropertiesIsOfferedOnlyForOneSelectedEmbeddedObject)
{
    EXPECT_FALSE(Enabled(CHyperOleView::CmdObjectProperties));
    Add("A", CRect(300, 300, 340, 340));
    Select({"A"});
    EXPECT_FALSE(Enabled(CHyperOleView::CmdObjectProperties)) << "a border is no embedded object";
    ASSERT_NE(InsertFile("notes.txt", "x"), nullptr);
    EXPECT_TRUE(Enabled(CHyperOleView::CmdObjectProperties));
    view->GetSelection().Add(Object(0));
    view->GetSelection().Add(Named("A"));
    EXPECT_FALSE(Enabled(CHyperOleView::CmdObjectProperties)) << "not with two selected";
}

// A single line or connector dragged over a snap point marks it; several objects do not.
TEST_F(OleViewTest, OneDraggedLineShowsTheSnapFeedback)
{
    Add("A", CRect(100, 100, 200, 160));
    CSnapPointSet* points = Named("A")->GetSnapPoints(FALSE);
    ASSERT_NE(points, nullptr);
    ASSERT_GT(points->GetCount(), 0);
    CPoint snap;
    int id = 0;
    COLORREF color = 0;
    ASSERT_TRUE(points->GetPointPosition(&snap, &id, &color, TRUE));

    CLineGen line;
    line.Init(view, CRect(0, 0, 40, 30), TRUE);
    CLineGen second;
    second.Init(view, CRect(50, 0, 90, 30), TRUE);
    struct Case {
        std::vector<const CHyperOb*> objects;
        BOOL shown;
    };
    const Case cases[] = {{{&line}, TRUE}, {{&line, &second}, FALSE}};
    for (const Case& c : cases) {
        auto* source = new COleDataSource;
        source->CacheGlobalData(static_cast<CLIPFORMAT>(CHyperView::GetPrivateFormat()), SaveObjectsToGlobal(c.objects));
        OleTestHook::DragEnter(source, Screen({400, 400}), 0);
        EXPECT_EQ(view->m_singleEndDrag, c.shown);
        OleTestHook::DragOver(Screen(snap), 0);
        EXPECT_EQ(view->m_snapMarkerShown, c.shown);
        OleTestHook::DragLeave();
        EXPECT_FALSE(view->m_snapMarkerShown);
        EXPECT_FALSE(view->m_singleEndDrag);
        source->InternalRelease();
    }
}

TEST_F(OleViewTest, AltClickOnTheSelectionDragsItToAnotherView)
{
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    CMyView* other = OpenSecondView();
    CPoint target(300, 200);
    other->ClientToScreen(&target);
    OleTestHook::QueueDrop(target, MK_CONTROL);
    UiTestHook::KeyDown(VK_MENU);
    Post(WM_LBUTTONDOWN, {120, 120}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {120, 120});
    UiTestHook::KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(ObjectCount(), 1) << "Ctrl copies";
    EXPECT_EQ(other->GetObjects().GetSize(), 1);
}

} // namespace
