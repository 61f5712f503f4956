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

// A plain copy carries the entry too, so a catalogue can paste what the page copied.
TEST_F(CatViewTest, CopyingTheSelectionOffersACatalogueEntry)
{
    AddBorder(CRect(0, 0, 100, 100));
    ASSERT_TRUE(view->m_editMode);
    view->AddToSelection(Object(0));
    view->CopySelection();
    ASSERT_EQ(g_offered.calls, 1);
    EXPECT_EQ(g_offered.name, NameOf(0));
}

} // namespace
