#include "objects/HyperTracker.h"
#include "objects/LayerFmt.h"
#include "objects/PropBasic.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/SnapPointSet.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

class CLayeredView : public CTestPageView {
public:
    const CLayerFmt* GetLayerList() const override { return &layers; }
    BOOL IsSelectionGrouped() const override { return grouped; }

    CLayerFmt layers;
    BOOL grouped = FALSE;
};

// A page with two layers and a filled-in object on the second.
struct PlainPage {
    PlainPage()
    {
        RegisterStringResource(26625, "<(None)>");
        RegisterStringResource(26631, "<Automatic>");
        view.layers.AddItem(new CLayerItem(0, "Standard"));
        view.layers.AddItem(new CLayerItem(4, "Notes"));
        box.Init(view, CRect(10, 20, 110, 70), FALSE);
        box.Code = "Box1";
        box.SetToolTipText("tip");
        box.HelpContextID = 7;
        box.SetURL("u");
        box.BackColor = RGB(64, 128, 255);
        box.LayerID = 4;
        box.SetTagText("t");
        box.ClickEvent.Set(CObValue::KindScript, "Beep");
    }

    static std::vector<CString> ValueTexts(const CObArray& list)
    {
        std::vector<CString> texts;
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            CString text;
            static_cast<CPropOb*>(list.GetAt(i))->GetValueText(text);
            texts.push_back(text);
        }
        return texts;
    }

    CLayeredView view;
    CTestBoxOb box;
};

TEST(BaseProperties, APlainObjectOffersItsBaseEditorsInOrderWithTheirValues)
{
    PlainPage page;
    CTestBoxOb& box = page.box;
    CPropObArray list;
    box.CollectProperties(list, FALSE);
    EXPECT_EQ(PropertyNameIds(list), BasePropertyIds());
    const std::vector<CString> texts = { "Box1", "10", "110", "20", "70", "tip", "7", "u", "64.128.255",
        "<Automatic>", "<(None)>", "Notes", "0", "t", "<(None)>", "<(None)>" };
    EXPECT_EQ(PlainPage::ValueTexts(list), texts);
}

TEST(BaseProperties, EditingChangesTheObjectAndRestorePutsItBack)
{
    PlainPage page;
    CTestBoxOb& box = page.box;
    const Bytes before = Stored(box);
    CPropObArray list;
    box.CollectProperties(list, FALSE);
    FindProperty<CPropLong>(list, 27136)->m_edited = 30;
    FindProperty<CPropStr>(list, 27142)->m_edited = "Renamed";
    FindProperty<CPropCombo>(list, 27455)->m_edited = 0;
    FindProperty<CPropBasic>(list, 27466)->m_edited.Set(CObValue::KindScript, "Drag");
    list.ApplyAll();
    EXPECT_EQ(box.GetTracker()->m_rect.left, 30);
    EXPECT_EQ(box.Code, CString("Renamed"));
    EXPECT_EQ(box.LayerID, 0);
    EXPECT_EQ(box.DragOverEvent.GetRawText(), CString("Drag"));
    list.RestoreAll();
    EXPECT_EQ(Stored(box), before);
}

TEST(BaseProperties, WhatTheListLeavesOut)
{
    struct Case {
        const char* name;
        std::function<void(PlainPage&)> setUp;
        std::vector<UINT> missing;
    };
    const Case cases[] = {
        { "a grouped selection", [](PlainPage& t) { t.view.grouped = TRUE; },
            { 27136, 27137, 27138, 27139, 27381, 27380, 27390 } },
        { "a view of ungrouped objects", [](PlainPage&) {}, {} },
    };
    for (const Case& c : cases) {
        PlainPage fixture;
        c.setUp(fixture);
        CPropObArray list;
        fixture.box.CollectProperties(list, FALSE);
        std::vector<UINT> expected;
        for (UINT id : BasePropertyIds())
            if (std::find(c.missing.begin(), c.missing.end(), id) == c.missing.end())
                expected.push_back(id);
        EXPECT_EQ(PropertyNameIds(list), expected) << c.name;
    }
}

TEST(BaseProperties, AnOpenOleItemHasNoDragEvents)
{
    class COpenItem : public CTestBoxOb {
    public:
        BOOL IsOleObject() const override { return TRUE; }
    } item;
    item.m_stayInFront = TRUE;
    CPropObArray list;
    item.CollectProperties(list, FALSE);
    std::vector<UINT> expected(BasePropertyIds().begin(), BasePropertyIds().end() - 2);
    EXPECT_EQ(PropertyNameIds(list), expected);
}

TEST(BaseProperties, EventEditorsServedForTheKinds)
{
    PlainPage page;
    CTestBoxOb& box = page.box;
    struct Case {
        UINT id;
        const CObValue* field;
    };
    const Case cases[] = { { 27256, &box.PumpDataEvent }, { 27257, &box.ClickEvent }, { 27258, &box.ClickEvent },
        { 27262, &box.InitializeEvent }, { 27466, &box.DragOverEvent }, { 27468, &box.DragDropEvent } };
    for (const Case& c : cases) {
        std::unique_ptr<CPropOb> editor(box.CreateProperty(c.id, FALSE));
        auto* basic = dynamic_cast<CPropBasic*>(editor.get());
        ASSERT_NE(basic, nullptr) << c.id;
        EXPECT_EQ(basic->m_field, c.field) << c.id;
        EXPECT_EQ(basic->m_controlId, CPropOb::ButtonControl);
    }
    std::unique_ptr<CPropOb> click(box.CreateProperty(27257, FALSE));
    CString text;
    click->GetValueText(text);
    EXPECT_EQ(text, CString("Beep"));
    EXPECT_EQ(box.CreateProperty(27441, FALSE), nullptr);
}

TEST(BaseProperties, TheCodeIsReadOnlyWhileConnectorsUseTheSnapPoints)
{
    class CSnapBox : public CTestBoxOb {
    public:
        CSnapPointSet* GetSnapPoints(BOOL own) override { return GetGroupSnapPoints(own, &points); }
        CSnapPointSet points { this };
    } snap;
    snap.points.SetPositionMask(0x1);
    std::unique_ptr<CPropOb> free(snap.CreateProperty(27142, FALSE));
    EXPECT_EQ(free->m_editable, 1);
    snap.points.GetList().GetAnchor(0)->m_connectionsOut = 1;
    std::unique_ptr<CPropOb> held(snap.CreateProperty(27142, FALSE));
    EXPECT_EQ(held->m_editable, 0);
}

TEST(EventEditor, NumberedEventsAreNamedAfterTheEventWord)
{
    RegisterStringResource(27391, "<Event>");
    RegisterStringResource(27262, "<Event Initialize>");
    CObValue value;
    CPropBasic numbered(27400, &value);
    numbered.m_nameText = "9";
    EXPECT_EQ(numbered.GetName(), CString("<Event>9"));
    CPropBasic named(27262, &value, CPropBasic::PageEventGroup);
    EXPECT_EQ(named.GetName(), CString("<Event Initialize>"));
    EXPECT_EQ(named.GetPage(), 1);
    CPropBasic plain(27262, &value);
    EXPECT_EQ(plain.GetPage(), 0);
    plain.m_page = 3;
    EXPECT_EQ(plain.GetPage(), 3);
}

} // namespace
