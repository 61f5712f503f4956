// The Rectangle-tool box in its stored form: the object record without a snap-point list,
// then the border fields; its four snap points come from the box, never from the file.
#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/tests/BorderGenBytes.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/kinds/tests/LinePageKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void FillLikeTheRecord(CBorderGen& box)
{
    box.Code = "Box1";
    box.SetRect(CRect(10, 20, 110, 80));
    box.PumpDataEvent.Set(0, "p");
    box.ClickEvent.Set(0, "c");
    box.SetToolTipText("tip");
    box.CreationDate = "2024";
    box.SetURL("u");
    box.Enable.Set(0, "1");
    box.Visible.Set(0, "1");
    box.InitializeEvent.Set(0, "i");
    box.LayerID = 0;
    box.SetTagText("note");
    box.BackColor = RGB(0, 255, 0);
    box.ForeColor = RGB(128, 0, 0);
    box.PenWidth = 2;
    box.PenStyle = 0;
    box.HatchStyle = 99;
    box.ShadowStyle = 2;
    box.BorderStyle = CBorderOb::Style3D;
    box.HiliteColor = RGB(192, 192, 192);
}

void ExpectLikeTheRecord(CBorderGen& box)
{
    CRect rect;
    EXPECT_EQ(box.Code, CString("Box1"));
    EXPECT_EQ(*box.GetRect(&rect, nullptr), CRect(10, 20, 110, 80));
    EXPECT_EQ(box.GetToolTipText(), CString("tip"));
    EXPECT_EQ(box.GetURL(), CString("u"));
    EXPECT_EQ(box.GetTagText(), CString("note"));
    EXPECT_EQ(box.BackColor, RGB(0, 255, 0));
    EXPECT_EQ(box.HatchStyle, 99);
    EXPECT_EQ(box.ShadowStyle, 2);
    EXPECT_EQ(box.BorderStyle, CBorderOb::Style3D);
    EXPECT_EQ(box.HiliteColor, RGB(192, 192, 192));
}

// The ids and positions of the box's snap points.
std::vector<std::pair<int, int>> Points(CBorderGen& box)
{
    std::vector<std::pair<int, int>> points;
    const CAnchorFmt& list = box.GetSnapPoints(FALSE)->GetList();
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        points.emplace_back(list.GetAnchor(i)->m_id, list.GetAnchor(i)->m_position);
    return points;
}

const std::vector<std::pair<int, int>> sideMiddles {{0, 4}, {1, 5}, {2, 6}, {3, 7}};

CBorderGen* AddBox(LinePage& page, const char* code, CRect rect)
{
    auto made = std::make_unique<CBorderGen>();
    made->Init(page.view, nullptr, TRUE);
    made->SetRect(rect);
    made->Code = code;
    return page.AddObject(std::move(made));
}

// A connector on the page whose ends attach where the rectangle's corners are; NULL when
// they attach nowhere.
CConnectOb* Join(LinePage& page, CRect rect)
{
    auto connector = std::make_unique<CConnectGen>();
    connector->Init(page.view, nullptr, TRUE);
    connector->SetRect(rect);
    if (!connector->OnInsert())
        return nullptr;
    return page.AddObject(std::move(connector));
}

TEST(BorderGenRecord, IsTheObjectRecordWithoutSnapPointsThenTheBorderFields)
{
    CTestPageView view;
    CBorderGen box;
    box.Init(view, nullptr, TRUE);
    FillLikeTheRecord(box);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { box.Serialize(ar); }), BorderGenRecord("Box1"));
}

TEST(BorderGenRecord, ReadsBackWithItsFillTextsAndTheFourSidePoints)
{
    const Bytes record = BorderGenRecord("Box1");
    CBorderGen box;
    EXPECT_EQ(LoadBytes(Concat({record, Dword(0x11223344)}), [&](CArchive& ar) { box.Serialize(ar); }),
              record.size());
    ExpectLikeTheRecord(box);
    EXPECT_EQ(Points(box), sideMiddles);
}

TEST(BorderGenRecord, ARecordWithTheEarlierSnapPointListStillReads)
{
    const Bytes record = Concat({BorderGenHead("Box1"), EarlierSnapList(), BorderGenTail()});
    CBorderGen box;
    EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { box.Serialize(ar); }), record.size());
    ExpectLikeTheRecord(box);
    EXPECT_EQ(Points(box), sideMiddles);
}

TEST(BorderGenRecord, EveryTruncationFailsWithTheArchiveError)
{
    const Bytes record = BorderGenRecord("Box1");
    // A record that ends where the border fields' tag would begin is the older layout without them.
    const size_t borderFields = record.size() - 8 * 4;
    for (size_t size = 0; size < record.size(); ++size) {
        if (size >= borderFields && size < borderFields + 4)
            continue;
        CBorderGen box;
        EXPECT_TRUE(LoadThrowsArchiveException(Bytes(record.begin(), record.begin() + static_cast<long>(size)),
                                               [&](CArchive& ar) { box.Serialize(ar); }))
            << size;
    }
}

TEST(BorderGenRecord, DefaultsKeepTheFixedIdsAndOfferNoSnapPointEditor)
{
    CTestPageView view;
    CBorderGen box;
    box.Init(view, nullptr, TRUE);
    box.ApplyDefaults();
    EXPECT_EQ(Points(box), sideMiddles);
    EXPECT_EQ(box.CreateProperty(CBorderOb::AnchorSnapsId, FALSE), nullptr);
    EXPECT_EQ(box.GetStoredSnapPoints(TRUE), nullptr);
}

// Box A's right middle is at (100, 50), box B's left middle at (200, 90).
TEST(BorderGenRecord, ConnectionsHoldAfterBothBoxesAreStoredAndReadAgain)
{
    LinePage page;
    auto box = [&](const char* code, CRect rect) { return AddBox(page, code, rect); };
    CBorderGen* a = box("A", CRect(60, 30, 100, 70));
    CBorderGen* b = box("B", CRect(200, 70, 240, 110));
    CConnectOb* joined = Join(page, CRect(100, 50, 200, 90));
    ASSERT_TRUE(joined);

    // Each box is replaced by the one its record gives back, as a reopened page has them.
    auto reread = [&](CBorderGen* old) {
        const Bytes record = StoreBytes([&](CArchive& ar) { old->Serialize(ar); });
        auto fresh = std::make_unique<CBorderGen>();
        LoadBytes(record, [&](CArchive& ar) { fresh->Serialize(ar); });
        fresh->SetView(page.view);
        page.Remove(old);
        return page.AddObject(std::move(fresh));
    };
    reread(a);
    b = reread(b);
    EXPECT_TRUE(b->GetSnapPoints(FALSE)->HasConnections());
    b->SetRect(CRect(200, 170, 240, 210));
    b->UpdateLayout(TRUE, FALSE);
    EXPECT_EQ(joined->m_ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(joined->GetPoint(joined->GetNumberOfPoints() - 1), CPoint(200, 190));
}

// The boxes read one shared set of points until one of them changes its own.
TEST(BorderGenRecord, AConnectionCountsOnItsBoxAlone)
{
    LinePage page;
    auto box = [&](const char* code, CRect rect) { return AddBox(page, code, rect); };
    auto uses = [](CBorderGen* box) {
        std::vector<int> counts;
        for (int id = 0; id < 4; ++id)
            counts.push_back(SnapPoint(box, id)->m_connectionsIn + SnapPoint(box, id)->m_connectionsOut);
        return counts;
    };
    CBorderGen* a = box("A", CRect(60, 30, 100, 70));
    CBorderGen* b = box("B", CRect(200, 70, 240, 110));
    CBorderGen* idle = box("C", CRect(300, 70, 340, 110));
    CConnectOb* joined = Join(page, CRect(100, 50, 200, 90));
    ASSERT_TRUE(joined);

    const std::vector<int> none {0, 0, 0, 0};
    EXPECT_EQ(uses(a), (std::vector<int> {0, 1, 0, 0}));
    EXPECT_EQ(uses(b), (std::vector<int> {0, 0, 0, 1}));
    EXPECT_EQ(Points(*idle), sideMiddles);
    EXPECT_EQ(uses(idle), none);
    CBorderGen fresh;
    EXPECT_EQ(uses(&fresh), none);

    joined->m_ends.Disconnect(0);
    EXPECT_EQ(uses(a), none);
    EXPECT_EQ(uses(b), (std::vector<int> {0, 0, 0, 1}));
    b->ApplyDefaults();
    EXPECT_EQ(Points(*b), sideMiddles);
    EXPECT_EQ(uses(b), none);
}

} // namespace
