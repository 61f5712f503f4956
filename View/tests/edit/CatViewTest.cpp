// The page's side of the catalogues: the data a page offers for an entry, and objects that
// come back from a catalogue onto the page.
#include "EditViewFixture.h"

#include "View/ObjectsFormat.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"

#include <cstring>

namespace {

struct Offered {
    int calls = 0;
    CString name;
    UINT format = 0;
    std::string maskArt; // one character per icon pixel: '#' covered, '.' left out
};

Offered g_offered;

void Capture(COleDataSource*, UINT format, HGLOBAL, const CString& name, CBitmap*, CBitmap* mask)
{
    ++g_offered.calls;
    g_offered.name = name;
    g_offered.format = format;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(mask);
    g_offered.maskArt.clear();
    for (int x = 0; x < CCatView::IconSize; ++x)
        g_offered.maskArt += dc.GetPixel(x, CCatView::IconSize / 2) == RGB(0, 0, 0) ? '#' : '.';
    dc.SelectObject(old);
}

class CatViewTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        g_offered = {};
        CCatView::SetEntryMaker(Capture);
    }
    void TearDown() override
    {
        CCatView::SetEntryMaker(nullptr);
        EditViewTest::TearDown();
    }

    // A data object over the private block of these objects.
    static void Offer(COleDataSource& source, COleDataObject& data, HGLOBAL block)
    {
        source.CacheGlobalData(static_cast<CLIPFORMAT>(PrivateObjectFormat()), block);
        data.AttachSource(source.MakeClipSource());
    }

    static HGLOBAL BlockOf(const std::string& bytes)
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        return block;
    }
};

TEST_F(CatViewTest, FarApartObjectsGiveOneIconOfTheirWholeExtentNamedAfterTheFirst)
{
    AddBorder(CRect(0, 0, 100, 100));
    AddBorder(CRect(300, 0, 400, 100));
    std::unique_ptr<COleDataSource> source(view->MakeDataSource({Object(0), Object(1)}));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->OfferedFormats().front(), PrivateObjectFormat());
    ASSERT_EQ(g_offered.calls, 1);
    EXPECT_EQ(g_offered.name, NameOf(0));
    EXPECT_EQ(g_offered.format, PrivateObjectFormat());
    EXPECT_EQ(g_offered.maskArt, std::string(8, '#') + std::string(16, '.') + std::string(8, '#'));
}

TEST_F(CatViewTest, DroppedObjectsLandAtThePointInOneUndoStepWithNamesOfTheirOwn)
{
    AddBorder(CRect(100, 100, 200, 160));
    AddBorder(CRect(250, 120, 330, 200));
    COleDataSource source;
    COleDataObject data;
    Offer(source, data, SaveObjectsToGlobal({Object(0), Object(1)}));
    const int undoBefore = view->GetUndoCount();

    ASSERT_TRUE(view->PasteObjects(&data, CPoint(400, 300)));
    ASSERT_EQ(ObjectCount(), 4);
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);
    std::vector<CRect> rects;
    for (int i = 0; i < ObjectCount(); ++i)
        rects.push_back(RectOf(i));
    EXPECT_NE(std::find(rects.begin(), rects.end(), CRect(400, 300, 500, 360)), rects.end());
    EXPECT_NE(std::find(rects.begin(), rects.end(), CRect(550, 320, 630, 400)), rects.end());
    std::vector<CString> names;
    for (int i = 0; i < ObjectCount(); ++i)
        names.push_back(NameOf(i));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end()) << "every object keeps a name of its own";

    view->Undo();
    EXPECT_EQ(ObjectCount(), 2);
}

TEST_F(CatViewTest, ForeignOrDamagedObjectDataLeavesThePageAlone)
{
    AddBorder(CRect(100, 100, 200, 160));
    HGLOBAL sound = SaveObjectsToGlobal({Object(0)});
    std::string bytes(static_cast<const char*>(GlobalLock(sound)), GlobalSize(sound));
    GlobalUnlock(sound);
    GlobalFree(sound);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut short", bytes.substr(0, 12)},
        {"one more object than there is", std::string("\x02\x00", 2) + bytes.substr(2)},
        {"not a page object", std::string("\x01\x00\xFF\xFF\x01\x00\x04\x00" "CDib\x00\x00\x00\x00", 16)},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        COleDataSource source;
        COleDataObject data;
        Offer(source, data, BlockOf(c.bytes));
        EXPECT_FALSE(view->PasteObjects(&data, CPoint(10, 10))) << c.name;
        EXPECT_EQ(ObjectCount(), 1) << c.name;
    }
}

} // namespace
