#include "objects/GenGroupInfo.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/PropListValue.h"
#include "objects/PropOb.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A kind without a background colour.
class CNoBackOb : public CTestBoxOb {
public:
    BOOL GetBackColor(COLORREF*) const override { return FALSE; }
};

struct Page {
    Page()
    {
        group.SetView(view);
        group.GroupID = 4;
    }
    CHyperOb* Add(CHyperOb* object, int groupId, const CRect& rect = CRect(0, 0, 10, 10))
    {
        owned.emplace_back(object);
        object->Init(view, &rect, FALSE);
        object->GroupID = groupId;
        view.objects.push_back(object);
        return object;
    }
    CTestPageView view;
    CGroupInfo group;
    std::vector<std::unique_ptr<CHyperOb>> owned;
};

Bytes GroupBody()
{
    return Concat({Dword(1), Dword(2), Dword(3), Dword(4), ShortString("G"), Dword(1)});
}

TEST(Groups, RecordStoresByteForByteWithAndWithoutSnapPoints)
{
    CGroupInfo group;
    group.GroupID = 9;
    group.m_rect.SetRect(1, 2, 3, 4);
    group.Code = "G";
    group.Symbol = 1;
    group.GetSnapPoints()->SetPositionMask(0x1);
    Bytes list = StoreBytes([&](CArchive& ar) { group.GetSnapPointList()->Serialize(ar); });
    Bytes withPoints = Concat({Dword(0xBACDCD01), Dword(9), GroupBody(), {1}, list});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { group.Serialize(ar); }), withPoints);

    CGroupInfo loaded;
    EXPECT_EQ(LoadBytes(withPoints, [&](CArchive& ar) { loaded.Serialize(ar); }), withPoints.size());
    EXPECT_EQ(loaded.GroupID, 9);
    EXPECT_EQ(loaded.m_rect, CRect(1, 2, 3, 4));
    EXPECT_EQ(loaded.Code, CString("G"));
    EXPECT_EQ(loaded.Symbol, 1);
    ASSERT_NE(loaded.GetSnapPointList(), nullptr);
    EXPECT_TRUE(loaded.GetSnapPointList()->IsEqual(group.GetSnapPointList()));

    group.m_hasSnapPoints = 0;
    Bytes without = Concat({Dword(0xBACDCD01), Dword(9), GroupBody(), {0}});
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { group.Serialize(ar); }), without);

    // Older layouts have no GroupID; it stays -1.
    const Bytes older[] = {Concat({Dword(0xBACDCD00), GroupBody(), {0}}), Concat({GroupBody(), {0}})};
    for (const Bytes& bytes : older) {
        CGroupInfo old;
        EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { old.Serialize(ar); }), bytes.size());
        EXPECT_EQ(old.GroupID, -1);
        EXPECT_EQ(old.Code, CString("G"));
        EXPECT_EQ(old.GetSnapPoints(), nullptr);
    }
    Bytes flagAbove1 = Concat({Dword(0xBACDCD00), GroupBody(), {0x80}, list});
    CGroupInfo wide;
    EXPECT_EQ(LoadBytes(flagAbove1, [&](CArchive& ar) { wide.Serialize(ar); }), flagAbove1.size());
    EXPECT_EQ(wide.m_hasSnapPoints, 0x80) << "the flag byte widens without sign";
}

TEST(Groups, TruncatedRecordsThrowTheArchiveException)
{
    CGroupInfo group;
    group.Code = "Group";
    group.GetSnapPoints()->SetPositionMask(0x3);
    Bytes record = StoreBytes([&](CArchive& ar) { group.Serialize(ar); });
    for (size_t length = 0; length < record.size(); ++length) {
        Bytes truncated(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_TRUE(LoadThrowsArchiveException(truncated, [](CArchive& ar) { CGroupInfo().Serialize(ar); }))
            << length;
    }
}

TEST(Groups, ColoursAreTheValueAllMembersAgreeOn)
{
    struct Case {
        std::vector<COLORREF> backs; // -2: a member without a background
        long expected;
    } cases[] = {
        {{5, 5, static_cast<COLORREF>(-2)}, 5},
        {{5, 7}, -1},
        {{}, -1},
        {{static_cast<COLORREF>(-2)}, -1},
    };
    for (const Case& c : cases) {
        Page page;
        for (COLORREF back : c.backs) {
            CHyperOb* member = page.Add(back == static_cast<COLORREF>(-2) ? new CNoBackOb : new CTestBoxOb, 4);
            member->BackColor = back;
        }
        page.Add(new CTestBoxOb, 5)->BackColor = 99; // not a member
        EXPECT_EQ(page.group.GetBackColor(), c.expected) << c.backs.size();
    }
}

TEST(Groups, WritesReachEveryMember)
{
    Page page;
    CHyperOb* first = page.Add(new CTestBoxOb, 4, CRect(0, 0, 10, 10));
    CHyperOb* second = page.Add(new CTestBoxOb, 4, CRect(20, 0, 30, 10));
    CHyperOb* other = page.Add(new CTestBoxOb, 1, CRect(40, 0, 50, 10));
    page.group.SetLayerID(3);
    EXPECT_EQ(first->LayerID, 3);
    EXPECT_EQ(second->LayerID, 3);
    EXPECT_EQ(other->LayerID, 0);
    EXPECT_EQ(page.group.GetLayerID(), 3);
    page.group.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(page.group.GetBackColor(), static_cast<long>(RGB(1, 2, 3)));
    page.group.SetVisible(0);
    EXPECT_EQ(page.group.GetVisible(), 0);
    page.view.editMode = FALSE;
    EXPECT_FALSE(second->IsVisible());
    page.view.editMode = TRUE;
    page.group.SetFont("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial");
    EXPECT_EQ(page.group.GetFont(), CString("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial"));

    page.group.Move(5, -2);
    CRect rect;
    second->GetRect(&rect, nullptr);
    EXPECT_EQ(rect, CRect(25, -2, 35, 8));
    other->GetRect(&rect, nullptr);
    EXPECT_EQ(rect, CRect(40, 0, 50, 10));

    EXPECT_EQ(page.group.GetNumSubObjects(), 2);
    DWORD references = second->GetRefCount();
    EXPECT_EQ(page.group.GetSubObject(1), second);
    EXPECT_EQ(second->GetRefCount(), references + 1);
    second->ExternalRelease();
    EXPECT_EQ(page.group.GetSubObject(-1), nullptr);
    EXPECT_EQ(page.group.GetSubObject(2), nullptr);
}

TEST(Groups, AnEmptyGroupReadsMinusOneAndIgnoresMoves)
{
    Page page;
    page.Add(new CTestBoxOb, 1);
    EXPECT_EQ(page.group.GetEnable(), -1);
    EXPECT_EQ(page.group.GetVisible(), -1);
    EXPECT_EQ(page.group.GetLayerID(), -1);
    EXPECT_EQ(page.group.GetPenWidth(), -1);
    EXPECT_TRUE(page.group.GetFont().IsEmpty());
    EXPECT_EQ(page.group.GetNumSubObjects(), 0);
    EXPECT_EQ(page.group.GetSubObject(0), nullptr);
    page.group.Move(3, 3);
    EXPECT_EQ(page.view.moved, 0);
}

TEST(Groups, EditorsOfTheGroup)
{
    Page page;
    page.group.GetSnapPoints()->SetPositionMask(0x3);
    CPropObArray list;
    page.group.CollectProperties(list, TRUE);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.GetProp(0)->GetNameId(), CGroupInfo::CodeNameId);
    EXPECT_EQ(list.GetProp(0)->m_editable, 1);
    EXPECT_EQ(list.GetProp(1)->m_kind, 4u);
    EXPECT_EQ(list.GetProp(2)->m_kind, CPropAnchor::Kind);
    EXPECT_EQ(list.GetProp(2)->m_captionId, 27440);

    page.group.GetSnapPointList()->GetAnchor(1)->m_connectionsIn = 1;
    page.group.Symbol = 1;
    CPropObArray attached;
    page.group.CollectProperties(attached, FALSE);
    EXPECT_EQ(attached.GetProp(0)->m_editable, 0) << "a connector names the group by its Code";
    EXPECT_EQ(attached.GetProp(1)->m_editable, 0);

    page.group.m_hasSnapPoints = 0;
    CPropObArray plain;
    page.group.CollectProperties(plain, FALSE);
    EXPECT_EQ(plain.GetSize(), 2);
    EXPECT_EQ(plain.GetProp(0)->m_editable, 1);
}

TEST(Groups, CopyTakesTheSnapPointsWhenBothHaveThem)
{
    CGroupInfo source, copy;
    source.GroupID = 2;
    source.Code = "S";
    source.DfltCanDelete = 0;
    source.GetSnapPoints()->SetPositionMask(0x5);
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.GroupID, 2);
    EXPECT_EQ(copy.Code, CString("S"));
    EXPECT_FALSE(copy.CanDelete());
    EXPECT_TRUE(copy.GetSnapPointList()->IsEqual(source.GetSnapPointList()));
    EXPECT_EQ(copy.GetSnapPointList()->m_nextId, 2);
}

} // namespace

namespace {

TEST(Groups, GeneratedGroupsKeepSnapPointsWithTexts)
{
    CGenGroupInfo group;
    group.GetSnapPoints()->SetPositionMask(0x100);
    auto* point = dynamic_cast<CAnchorItemEx*>(group.GetSnapPointList()->GetAnchor(0));
    ASSERT_NE(point, nullptr);
    point->m_text = "Tip";
    EXPECT_EQ(group.m_snapPoints.GetCount(), 0) << "the plain set stays unused";

    CPropObArray list;
    group.CollectProperties(list, FALSE);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.GetProp(2)->GetNameId(), CGroupInfo::AnchorsNameId);
    EXPECT_EQ(list.GetProp(2)->m_kind, CPropAnchorEx::Kind);
    EXPECT_EQ(list.GetProp(2)->m_captionId, 27453);

    Bytes record = Stored(group);
    CGenGroupInfo loaded;
    EXPECT_EQ(LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); }), record.size());
    EXPECT_EQ(static_cast<CAnchorItemEx*>(loaded.GetSnapPointList()->GetAnchor(0))->m_text, CString("Tip"));

    CGenGroupInfo copy;
    copy.CopyFrom(&group);
    EXPECT_TRUE(copy.GetSnapPointList()->IsEqual(group.GetSnapPointList()));
    group.m_hasSnapPoints = 0;
    EXPECT_EQ(group.GetSnapPoints(), nullptr);
}

} // namespace
