#include "objects/ConnectorEnds.h"
#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Ends that follow their object by putting the first end on the top-left corner and the
// second on the bottom-right corner of the owner.
class CFollowingEnds : public CConnectorEnds {
public:
    BOOL FollowObject(LPCTSTR code, CSnapPointSet* points) override
    {
        BOOL moved = FALSE;
        for (int i = 0; i < 2; ++i) {
            CRect rect;
            m_owner->GetRect(&rect, nullptr);
            POINT& corner = i == 0 ? rect.TopLeft() : rect.BottomRight();
            int id = m_ends[i].snapId;
            if (m_ends[i].code != code || !points->GetPointPosition(&corner, &id, nullptr, FALSE))
                continue;
            m_owner->SetRect(rect);
            moved = TRUE;
        }
        return moved;
    }
};

class CTestLineOb : public CTestBoxOb {
    DECLARE_DYNCREATE(CTestLineOb)
public:
    CConnectorEnds* GetEndPoints() override { return &m_ends; }
    BOOL IsConnector() const override { return TRUE; }
    void UpdateLayout(int recalc, BOOL hint) override
    {
        ++layouts;
        CTestBoxOb::UpdateLayout(recalc, hint);
    }

    CFollowingEnds m_ends;
    int layouts = 0;
};
IMPLEMENT_DYNCREATE(CTestLineOb, CTestBoxOb)

class CTestSnapOb : public CTestBoxOb {
    DECLARE_DYNCREATE(CTestSnapOb)
public:
    CSnapPointSet* GetSnapPoints(BOOL own) override { return GetGroupSnapPoints(own, &m_points); }

    CSnapPointSet m_points { this };
};
IMPLEMENT_DYNCREATE(CTestSnapOb, CTestBoxOb)

// A plain object's record ends with the angle, the reserved count, the tag text "t" and two
// reserved bytes; the end-point part and the snap points stand just before that.
constexpr size_t PlainTail = 8 + 1 + 2 + 2;

void Fill(CHyperOb& object, CHyperRunView* view = nullptr)
{
    object.Init(view, CRect(0, 0, 40, 20), FALSE);
    object.Code = "Obj";
    object.CreationDate = "d";
    object.SetTagText("t");
}

Bytes WithLinks(const Bytes& plain, const Bytes& links)
{
    auto split = plain.end() - static_cast<std::ptrdiff_t>(PlainTail);
    return Concat({ Bytes(plain.begin(), split), links, Bytes(split, plain.end()) });
}

Bytes RecordVersion(Bytes record, BYTE version)
{
    record[0] = version;
    return record;
}

TEST(ObjectLinks, EndPointsAreStoredByteForByteInTheRecord)
{
    CTestBoxOb plain;
    Fill(plain);
    CTestLineOb line;
    Fill(line);
    line.m_ends.m_words[0] = 2;
    line.m_ends.m_ends[0] = { "Box", 3 };
    Bytes ends = Concat({ Dword(2), { 1 }, Word(2), Word(3), ShortString("Box"), Word(0xFFFF), ShortString("") });
    Bytes record = WithLinks(Stored(plain), ends);
    EXPECT_EQ(Stored(line), record);

    CTestLineOb loaded;
    EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); }), record.size());
    EXPECT_EQ(loaded.m_ends.m_words[0], 2u);
    EXPECT_EQ(loaded.m_ends.m_ends[0].code, CString("Box"));
    EXPECT_EQ(loaded.m_ends.m_ends[0].snapId, 3);
    EXPECT_TRUE(loaded.m_ends.m_ends[1].code.IsEmpty());
    EXPECT_EQ(loaded.m_ends.m_ends[1].snapId, -1);

    line.m_ends.m_ends[0] = {};
    EXPECT_EQ(Stored(line), WithLinks(Stored(plain), Concat({ Dword(2), { 1 }, Word(0) })));
}

TEST(ObjectLinks, SnapPointsAreStoredByteForByteInTheRecord)
{
    CTestBoxOb plain;
    Fill(plain);
    CTestSnapOb snap;
    Fill(snap);
    snap.m_points.SetPositionMask(0x11);
    Bytes record = WithLinks(Stored(plain), Stored(snap.m_points.GetList()));
    EXPECT_EQ(Stored(snap), record);

    CTestSnapOb loaded;
    EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); }), record.size());
    EXPECT_TRUE(loaded.m_points.GetList().IsEqual(&snap.m_points.GetList()));
    EXPECT_EQ(loaded.m_points.GetList().m_nextId, 2);
}

TEST(ObjectLinks, OlderRecordsDropTheirStaleLinks)
{
    struct Case {
        BYTE version;
        bool endsKept;
        int groupSnapFlag;
    };
    const Case cases[] = { { 8, true, 1 }, { 7, false, 0 }, { 5, false, 0 } };
    CTestLineOb line;
    Fill(line);
    line.m_ends.m_ends[1] = { "Box", 0 };
    CTestSnapOb snap;
    Fill(snap);
    snap.GroupID = 2;
    snap.SetOwnGroupInfo(new CGroupInfo);
    snap.m_points.SetPositionMask(0x1);
    const Bytes lineRecord = Stored(line);
    const Bytes snapRecord = Stored(snap);
    for (const Case& c : cases) {
        // Versions 5 to 7 hold the same fields up to the angle; only the tag says which.
        CTestLineOb loadedLine;
        LoadBytes(RecordVersion(lineRecord, c.version), [&](CArchive& ar) { loadedLine.Serialize(ar); });
        EXPECT_EQ(!loadedLine.m_ends.m_ends[1].code.IsEmpty(), c.endsKept) << int(c.version);
        CTestSnapOb loadedSnap;
        LoadBytes(RecordVersion(snapRecord, c.version), [&](CArchive& ar) { loadedSnap.Serialize(ar); });
        ASSERT_NE(loadedSnap.GetOwnGroupInfo(), nullptr);
        EXPECT_EQ(loadedSnap.GetOwnGroupInfo()->m_hasSnapPoints, c.groupSnapFlag) << int(c.version);
        EXPECT_EQ(loadedSnap.m_points.GetCount(), 1);
    }
}

TEST(ObjectLinks, BadEndPointPartsFailWithTheArchiveError)
{
    CTestLineOb line;
    Fill(line);
    line.m_ends.m_ends[0] = { "Box", 3 };
    Bytes record = Stored(line);
    const size_t countAt = record.size() - PlainTail - (2 + 2 + 4 + 2 + 1);
    Bytes tooMany = record;
    tooMany[countAt] = 3;
    CTestLineOb loaded;
    EXPECT_TRUE(LoadThrowsArchiveException(tooMany, [&](CArchive& ar) { loaded.Serialize(ar); }));
    Bytes cut(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(countAt + 3));
    EXPECT_TRUE(LoadThrowsArchiveException(cut, [&](CArchive& ar) { loaded.Serialize(ar); }));
}

struct ConnectedPage {
    ConnectedPage()
    {
        Fill(box, view);
        box.Code = "Box";
        box.m_points.SetPositionMask(0x5); // top-left id 0, bottom-right id 1
        box.m_points.GetList().GetAnchor(0)->m_connectionsIn = 1;
        Fill(line, view);
        line.Code = "Line";
        line.m_ends.m_ends[0] = { "Box", 1 };
        view.objects = { &line, &box };
    }
    CTestPageView view;
    CTestSnapOb box;
    CTestLineOb line;
};

TEST(ObjectLinks, MovingAnObjectMovesTheEndsAttachedToIt)
{
    ConnectedPage page;
    page.box.SetRect(CRect(100, 50, 140, 70));
    page.box.UpdateLayout(TRUE, FALSE);
    CRect line;
    page.line.GetRect(&line, nullptr);
    EXPECT_EQ(line.TopLeft(), CPoint(140, 70));

    // Without connections counted on its points the object asks no connector.
    page.box.m_points.GetList().GetAnchor(0)->m_connectionsIn = 0;
    page.box.SetRect(CRect(0, 0, 10, 10));
    page.box.UpdateLayout(TRUE, FALSE);
    page.line.GetRect(&line, nullptr);
    EXPECT_EQ(line.TopLeft(), CPoint(140, 70));
}

TEST(ObjectLinks, AConnectorRefreshesItsEndsOntoTheSnapPoints)
{
    ConnectedPage page;
    page.box.GetTracker()->m_rect = CRect(60, 60, 100, 80);
    page.line.RefreshConnections();
    CRect line;
    page.line.GetRect(&line, nullptr);
    EXPECT_EQ(line.TopLeft(), CPoint(100, 80));
}

TEST(ObjectLinks, AChangedObjectHasTheConnectorsOnItRecompute)
{
    ConnectedPage page;
    page.box.NotifyChanged();
    EXPECT_EQ(page.line.layouts, 1);

    // A connector that is not grouped leaves its neighbours alone; so does a grouped object.
    CTestLineOb other;
    Fill(other, page.view);
    page.view.objects.push_back(&other);
    page.line.NotifyChanged();
    page.box.GroupID = 3;
    page.box.NotifyChanged();
    EXPECT_EQ(page.line.layouts, 1);
    EXPECT_EQ(other.layouts, 0);

    // Grouped connectors lying on each other recompute once, not back and forth.
    page.line.GroupID = 4;
    other.GroupID = 4;
    page.line.NotifyChanged();
    EXPECT_EQ(other.layouts, 1);
    EXPECT_EQ(page.line.layouts, 1);
}

TEST(ObjectLinks, InConnectionModeAnOverlapGoesToTheView)
{
    ConnectedPage page;
    page.view.connectionMode = TRUE;
    CTestBoxOb under;
    Fill(under, page.view);
    page.view.objects.push_back(&under);
    page.box.NotifyChanged();
    EXPECT_EQ(page.view.overlaps, (std::vector<CHyperBaseOb*> { &page.box }));
    EXPECT_EQ(page.line.layouts, 0);

    under.LayerID = 1;
    page.view.overlaps.clear();
    page.box.NotifyChanged();
    EXPECT_TRUE(page.view.overlaps.empty());
    EXPECT_EQ(page.line.layouts, 1);
}

TEST(ObjectLinks, AGroupMemberFindsTheRecordAnotherMemberHolds)
{
    ConnectedPage page;
    page.box.GroupID = 5;
    page.box.SetOwnGroupInfo(new CGroupInfo);
    page.box.GetOwnGroupInfo()->m_rect.SetRect(0, 0, 99, 99);
    page.line.GroupID = 5;
    EXPECT_EQ(page.line.GetGroupInfo(), page.box.GetOwnGroupInfo());
    CRect rect;
    page.line.GetGroupRect(&rect, 0);
    EXPECT_EQ(rect, CRect(0, 0, 99, 99));
    page.line.GroupID = 6;
    EXPECT_EQ(page.line.GetGroupInfo(), nullptr);

    // The group's snap points answer for a member, with that member as their owner.
    EXPECT_EQ(page.box.GetSnapPoints(FALSE), page.box.GetOwnGroupInfo()->GetSnapPoints());
    EXPECT_EQ(page.box.GetSnapPoints(FALSE)->GetOwner(), &page.box);
    EXPECT_EQ(page.box.GetSnapPoints(TRUE), &page.box.m_points);
}

TEST(ObjectLinks, WhoMayTakeConnections)
{
    CTestBoxOb loose;
    loose.GroupID = 1;
    EXPECT_TRUE(loose.CanConnect());
    ConnectedPage page;
    EXPECT_TRUE(page.box.CanConnect());
    page.box.GroupID = 1;
    EXPECT_FALSE(page.box.CanConnect());
    page.box.GroupID = -1;
    page.view.allowsConnections = FALSE;
    EXPECT_FALSE(page.box.CanConnect());
}

TEST(ObjectLinks, ResettingConnectionsFreesEndsAndCounts)
{
    ConnectedPage page;
    page.line.ResetConnections();
    page.box.ResetConnections();
    EXPECT_FALSE(page.line.m_ends.IsConnected());
    EXPECT_FALSE(page.box.m_points.HasConnections());
}

TEST(ObjectLinks, AViewGivesItsObjectsLinksBackToThem)
{
    CTestPageView view;
    CTestLineOb line;
    CTestSnapOb snap;
    line.SetView(view);
    snap.SetView(view);
    EXPECT_EQ(line.m_ends.m_owner, &line);
    EXPECT_EQ(snap.m_points.GetOwner(), &snap);
}

} // namespace
