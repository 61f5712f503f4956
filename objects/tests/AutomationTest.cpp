#include "objects/GroupInfo.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/LongObject.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"
#include "platform/ole/DispatchMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

DISPID IdOf(CCmdTarget& target, const char* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = { const_cast<LPOLESTR>(name) };
    target.GetIDispatch(FALSE)->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

HRESULT Invoke(CCmdTarget& target, DISPID id, WORD flags, std::vector<COleVariant> args, COleVariant* result = nullptr)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    bool put = flags & DISPATCH_PROPERTYPUT;
    DISPPARAMS params { reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u };
    VARIANT out;
    VariantInit(&out);
    HRESULT hr = target.GetIDispatch(FALSE)->Invoke(id, IID_NULL, 0, flags, &params, &out, nullptr, nullptr);
    if (result)
        result->Attach(out);
    else
        VariantClear(&out);
    return hr;
}

HRESULT Put(CCmdTarget& target, const char* name, const COleVariant& value)
{
    return Invoke(target, IdOf(target, name), DISPATCH_PROPERTYPUT, { value });
}

COleVariant Get(CCmdTarget& target, const char* name)
{
    COleVariant result;
    EXPECT_EQ(Invoke(target, IdOf(target, name), DISPATCH_PROPERTYGET, {}, &result), S_OK) << name;
    return result;
}

HRESULT Call(CCmdTarget& target, const char* name, std::vector<COleVariant> args, COleVariant* result = nullptr)
{
    return Invoke(target, IdOf(target, name), DISPATCH_METHOD, std::move(args), result);
}

COleVariant Long(long value) { return COleVariant(value); }
COleVariant Bool(bool value) { return COleVariant(value ? 1L : 0L, VT_BOOL); }

struct LivePage {
    LivePage()
    {
        box.Init(view, CRect(10, 20, 110, 70), FALSE);
        box.Code = "Box1";
        view.objects = { &box };
    }
    CTestPageView view;
    CTestBoxOb box;
};

TEST(ObjectAutomation, EveryMemberByNameAndNumber)
{
    struct Case {
        const char* name;
        DISPID id;
    };
    const Case cases[] = { { "Code", -100 }, { "OnUpdateResize", 0x501 }, { "OnUpdate", 0x502 }, { "Move", 0x503 },
        { "Left", 0x504 }, { "Top", 0x505 }, { "Right", 0x506 }, { "Bottom", 0x507 }, { "Enable", -514 },
        { "Visible", 0x508 }, { "CursorPointer", 0x509 }, { "HelpContextID", 0x50A }, { "ToolTipText", 0x50B },
        { "BackColor", -501 }, { "ForeColor", -513 }, { "Font", -512 }, { "LayerName", 0x50C }, { "Tag", 0x50F },
        { "GroupID", 0x51D }, { "LayerID", 0x51E }, { "RotateAngle", 0x510 }, { "DfltIsLocked", 0x513 },
        { "DfltCanDelete", 0x515 }, { "DfltCanResize", 0x516 }, { "DfltCanRot", 0x518 },
        { "DfltCanInlineEditText", 0x519 }, { "DfltCanEditPoints", 0x51A } };
    CTestBoxOb box;
    for (const Case& c : cases)
        EXPECT_EQ(IdOf(box, c.name), c.id) << c.name;
}

TEST(ObjectAutomation, PutsAndGetsByNumberWithClamping)
{
    struct Case {
        DISPID id;
        COleVariant put;
        COleVariant got;
    };
    const Case cases[] = {
        { 0x504, Long(40), Long(40) },
        { 0x504, Long(40000), Long(32767) },
        { 0x505, Long(-40000), Long(-32768) },
        { 0x506, Long(300), Long(300) },
        { 0x507, Long(-5), Long(-5) },
        { -514, Long(0), Long(0) },
        { 0x508, Long(1), Long(1) },
        { 0x509, Long(32512), Long(32512) },
        { 0x50A, Long(77), Long(77) },
        { 0x50B, COleVariant("tip"), COleVariant("tip") },
        { -501, Long(0x00FF00), Long(0x00FF00) },
        { -501, Long(-1), Long(-1) },
        { -513, Long(0x0000FF), Long(0x0000FF) },
        { 0x50F, COleVariant("note"), COleVariant("note") },
        { 0x50F, COleVariant(2.5), COleVariant(2.5) },
        { 0x51D, Long(3), Long(3) },
        { 0x51E, Long(2), Long(2) },
        { 0x510, COleVariant(30.0), COleVariant(30.0) },
        { 0x510, COleVariant(540.0), COleVariant(180.0) },
        { 0x510, COleVariant(std::numeric_limits<double>::infinity()), COleVariant(0.0) },
        { 0x513, Bool(true), Bool(true) },
        { 0x515, Bool(false), Bool(false) },
        { 0x516, Bool(false), Bool(false) },
        { 0x518, Bool(false), Bool(false) },
        { 0x519, Bool(false), Bool(false) },
        { 0x51A, Bool(false), Bool(false) },
    };
    for (const Case& c : cases) {
        LivePage page;
        EXPECT_EQ(Invoke(page.box, c.id, DISPATCH_PROPERTYPUT, { c.put }), S_OK) << c.id;
        COleVariant got;
        EXPECT_EQ(Invoke(page.box, c.id, DISPATCH_PROPERTYGET, {}, &got), S_OK) << c.id;
        EXPECT_EQ(got, c.got) << c.id;
    }
}

TEST(ObjectAutomation, ChangesEndInTheChangeNotification)
{
    struct Case {
        const char* name;
        COleVariant put;
        int notifications;
    };
    const Case cases[] = { { "Left", Long(5), 1 }, { "BackColor", Long(7), 1 }, { "Font", COleVariant(""), 1 },
        { "RotateAngle", COleVariant(10.0), 1 }, { "ToolTipText", COleVariant("t"), 0 },
        { "HelpContextID", Long(4), 0 }, { "GroupID", Long(4), 0 }, { "DfltIsLocked", Bool(true), 0 } };
    for (const Case& c : cases) {
        LivePage page;
        ASSERT_EQ(Put(page.box, c.name, c.put), S_OK) << c.name;
        EXPECT_EQ(page.view.changed, c.notifications) << c.name;
    }
    LivePage page;
    EXPECT_EQ(Call(page.box, "OnUpdate", {}), S_OK);
    EXPECT_EQ(Call(page.box, "OnUpdateResize", {}), S_OK);
    EXPECT_EQ(page.view.changed, 2);
}

TEST(ObjectAutomation, MoveKeepsTheObjectWithinTheStoredRange)
{
    LivePage page;
    EXPECT_EQ(Call(page.box, "Move", { Long(5), Long(-3) }), S_OK);
    EXPECT_EQ(page.box.GetTracker()->m_rect, CRect(15, 17, 115, 67));
    EXPECT_EQ(Call(page.box, "Move", { Long(100000), Long(-100000) }), S_OK);
    EXPECT_EQ(page.box.GetTracker()->m_rect, CRect(32667, -32768, 32767, -32718));
}

TEST(ObjectAutomation, EnableAndVisibleChangeOnlyWhatDiffers)
{
    LivePage page;
    page.view.editMode = FALSE;
    ASSERT_EQ(Put(page.box, "Enable", Long(1)), S_OK);
    EXPECT_EQ(page.view.changed, 0);
    ASSERT_EQ(Put(page.box, "Enable", Long(0)), S_OK);
    EXPECT_EQ(page.box.Enable.GetRawText(), CString("0"));
    EXPECT_EQ(page.view.changed, 1);

    // On a hidden layer the field changes, but what shows does not.
    page.view.hiddenLayers.insert(0);
    ASSERT_EQ(Put(page.box, "Visible", Long(0)), S_OK);
    EXPECT_EQ(page.box.Visible.GetRawText(), CString("0"));
    EXPECT_EQ(page.view.changed, 1);
    EXPECT_EQ(Get(page.box, "Visible"), Long(0));
}

TEST(ObjectAutomation, AnObjectStoredHiddenReadsBackHidden)
{
    LivePage page;
    page.box.Visible.Set(CObValue::KindLiteral, "0");
    Bytes record = Stored(page.box);
    CTestBoxOb loaded;
    LoadBytes(record, [&](CArchive& ar) { loaded.Serialize(ar); });
    loaded.SetView(page.view);
    page.view.editMode = FALSE;
    EXPECT_EQ(Get(loaded, "Visible"), Long(0));
    page.view.editMode = TRUE;
    EXPECT_EQ(Get(loaded, "Visible"), Long(1));
}

TEST(ObjectAutomation, TagHoldsValuesNotReferences)
{
    CTestBoxOb box;
    EXPECT_EQ(Get(box, "Tag"), COleVariant(""));
    LONG value = 77;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &value;
    ASSERT_EQ(Invoke(box, 0x50F, DISPATCH_PROPERTYPUT, { COleVariant(reference) }), S_OK);
    value = 5;
    EXPECT_EQ(Get(box, "Tag"), Long(77));
    ASSERT_EQ(Put(box, "Tag", COleVariant("kept")), S_OK);
    EXPECT_EQ(box.GetTagText(), CString("kept"));
    std::unique_ptr<CHyperOb> clone(box.Clone());
    EXPECT_EQ(Get(*clone, "Tag"), COleVariant("kept"));
}

TEST(ObjectAutomation, LayerNameIsReadOnlyAndEmptyOffTheList)
{
    class CLayeredView : public CTestPageView {
    public:
        const CLayerFmt* GetLayerList() const override { return &layers; }
        CLayerFmt layers;
    } view;
    view.layers.AddItem(new CLayerItem(3, "Notes"));
    CTestBoxOb box;
    box.SetView(view);
    box.LayerID = 3;
    EXPECT_EQ(Get(box, "LayerName"), COleVariant("Notes"));
    box.LayerID = 4;
    EXPECT_EQ(Get(box, "LayerName"), COleVariant(""));
    EXPECT_NE(Put(box, "LayerName", COleVariant("x")), S_OK);
}

TEST(PageAutomation, MembersByNameWithNotificationAndClamping)
{
    CTestPageView view;
    CHyperViewOb page;
    page.SetView(view);
    EXPECT_EQ(IdOf(page, "Color"), DISPID_BACKCOLOR);
    EXPECT_EQ(IdOf(page, "Code"), -100);
    for (const char* name : { "IsFormOpen", "FormFind", "OpenDoc", "OnUpdateResize", "OnUpdate", "Font", "PrintScale",
             "CursorPointer", "HelpContextID", "ScrollBars", "ScrollWidth", "ScrollHeight", "ToolTipText", "Layer",
             "Tag", "RunClick" })
        EXPECT_NE(IdOf(page, name), DISPID_UNKNOWN) << name;

    ASSERT_EQ(Put(page, "ScrollWidth", Long(70000)), S_OK);
    ASSERT_EQ(Put(page, "ScrollHeight", Long(-3)), S_OK);
    ASSERT_EQ(Put(page, "Color", Long(0x123456)), S_OK);
    EXPECT_EQ(page.GetScrollWidth(), 0xFFFF);
    EXPECT_EQ(page.GetScrollHeight(), 0);
    EXPECT_EQ(page.Color, 0x123456u);
    EXPECT_EQ(view.changed, 3);
    ASSERT_EQ(Put(page, "PrintScale", COleVariant(0.5)), S_OK);
    EXPECT_EQ(page.PrintScale, 0.5);
    COleVariant open;
    EXPECT_EQ(Call(page, "IsFormOpen", { COleVariant("Other") }, &open), S_OK);
    EXPECT_EQ(open, Bool(false));
}

TEST(PageAutomation, LayersShowAndHideByName)
{
    RegisterStringResource(CLayerFmt::StandardNameId, "Standard");
    CTestPageView view;
    CHyperViewOb page;
    page.SetView(view);
    DISPID layer = IdOf(page, "Layer");
    COleVariant shown;
    ASSERT_EQ(Invoke(page, layer, DISPATCH_PROPERTYGET, { COleVariant("standard") }, &shown), S_OK);
    EXPECT_EQ(shown, Bool(true));
    ASSERT_EQ(Invoke(page, layer, DISPATCH_PROPERTYPUT, { COleVariant("Standard"), Bool(false) }), S_OK);
    EXPECT_EQ(page.GetLayerList()->GetLayerItem(0)->m_visible, 0);
    ASSERT_EQ(Invoke(page, layer, DISPATCH_PROPERTYGET, { COleVariant("Missing") }, &shown), S_OK);
    EXPECT_EQ(shown, Bool(false));
}

TEST(FrameAutomation, TitleStylesAndClampedSizes)
{
    CHyperFrameOb frame;
    EXPECT_EQ(IdOf(frame, "Title"), DISPID_CAPTION);
    ASSERT_EQ(Put(frame, "Title", COleVariant("Main")), S_OK);
    ASSERT_EQ(Put(frame, "Width", Long(-5)), S_OK);
    ASSERT_EQ(Put(frame, "Height", Long(100000)), S_OK);
    ASSERT_EQ(Put(frame, "WhatsThisHelp", Long(0x400)), S_OK);
    EXPECT_EQ(frame.Title, CString("Main"));
    EXPECT_EQ(frame.GetWidth(), 0);
    EXPECT_EQ(frame.GetHeight(), 0xFFFF);
    EXPECT_EQ(frame.WhatsThisHelp, 0x400u);
    // A style that is off reads back as its complement, a negative long.
    EXPECT_EQ(Get(frame, "MinimizeBox"), Long(0x20000));
    ASSERT_EQ(Put(frame, "MinimizeBox", Long(~0x20000L)), S_OK);
    EXPECT_EQ(frame.MinimizeBox, ~CHyperFrameOb::MinimizeOn);
    EXPECT_EQ(Get(frame, "MinimizeBox"), Long(~0x20000L));
}

TEST(GroupAutomation, MembersAreReachedThroughTheGroup)
{
    LivePage page;
    CTestBoxOb second;
    second.Init(page.view, CRect(0, 0, 5, 5), FALSE);
    page.view.objects.push_back(&second);
    page.box.GroupID = 8;
    second.GroupID = 8;
    CGroupInfo group;
    group.SetView(page.view);
    group.GroupID = 8;
    COleVariant count;
    ASSERT_EQ(Call(group, "GetNumSubObjects", {}, &count), S_OK);
    EXPECT_EQ(count, Long(2));
    COleVariant member;
    ASSERT_EQ(Call(group, "GetSubObject", { Long(1) }, &member), S_OK);
    ASSERT_EQ(member.vt, VT_DISPATCH);
    EXPECT_EQ(CCmdTarget::FromIDispatch(member.pdispVal), &second);
    ASSERT_EQ(Call(group, "GetSubObject", { Long(2) }, &member), S_OK);
    EXPECT_EQ(member.vt == VT_EMPTY || (member.vt == VT_DISPATCH && !member.pdispVal), true);
    ASSERT_EQ(Put(group, "BackColor", Long(0x0000FF)), S_OK);
    EXPECT_EQ(Get(group, "BackColor"), Long(0x0000FF));
    EXPECT_EQ(second.BackColor, 0x0000FFu);
}

TEST(LongAutomation, ValueIsTheDefaultMember)
{
    LONG held = 12;
    CLongObject value;
    value.SetTarget(&held);
    EXPECT_EQ(IdOf(value, "Standard"), 1281);
    EXPECT_EQ(IdOf(value, "Value"), 1282);
    COleVariant got;
    ASSERT_EQ(Invoke(value, DISPID_VALUE, DISPATCH_PROPERTYGET, {}, &got), S_OK);
    EXPECT_EQ(got, Long(12));
    ASSERT_EQ(Put(value, "Value", Long(40)), S_OK);
    EXPECT_EQ(held, 40);
}

} // namespace
