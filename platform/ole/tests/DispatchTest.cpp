#include "platform/ole/DispatchMap.h"
#include "platform/ole/OleVariant.h"
#include "platform/ole/Variant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A scriptable shape with every kind of dispatch entry.
class Shape : public CCmdTarget {
    DECLARE_DISPATCH_MAP()
public:
    Shape() { EnableAutomation(); }

    LONG m_count = 0;
    CString m_name;
    BOOL m_locked = FALSE;
    LONG m_color = 0;
    int m_colorNotes = 0;
    double m_angle = 0;
    COleVariant m_tag;
    CString m_layers;
    LONG m_x = 0;
    LONG m_y = 0;
    COLORREF m_fore = 0;

    void OnColorChanged() { ++m_colorNotes; }
    double GetAngle() { return m_angle; }
    void SetAngle(double angle) { m_angle = angle; }
    VARIANT GetTag() { return COleVariant(m_tag).Detach(); }
    void SetTag(const VARIANT& tag) { VariantCopyInd(&m_tag, &tag); }
    BSTR GetLayerName() { return AllocSysString("Background"); }
    BOOL GetLayer(LPCTSTR name) { return m_layers.Find(name) >= 0; }
    void SetLayer(LPCTSTR name, BOOL on)
    {
        if (on)
            m_layers += CString(name) + ";";
    }
    void Move(long dx, long dy)
    {
        m_x += static_cast<LONG>(dx);
        m_y += static_cast<LONG>(dy);
    }
    CString Describe(LPCTSTR prefix, short times) const
    {
        CString text;
        for (short i = 0; i < times; ++i)
            text += prefix;
        return text;
    }
};

BEGIN_DISPATCH_MAP(Shape, CCmdTarget)
    DISP_PROPERTY(Shape, "Count", m_count, VT_I4)
    DISP_PROPERTY_ID(Shape, "Code", -100, m_name, VT_BSTR)
    DISP_PROPERTY_ID(Shape, "DfltIsLocked", 0x513, m_locked, VT_BOOL)
    DISP_PROPERTY_NOTIFY_ID(Shape, "BackColor", DISPID_BACKCOLOR, m_color, OnColorChanged, VT_I4)
    DISP_PROPERTY_ID(Shape, "ForeColor", DISPID_FORECOLOR, m_fore, VT_I4)
    DISP_PROPERTY_EX_ID(Shape, "RotateAngle", 0x510, GetAngle, SetAngle, VT_R8)
    DISP_PROPERTY_EX_ID(Shape, "Tag", 0x50F, GetTag, SetTag, VT_VARIANT)
    DISP_PROPERTY_EX_ID(Shape, "LayerName", 0x50C, GetLayerName, SetNotSupported, VT_BSTR)
    DISP_PROPERTY_PARAM(Shape, "Layer", GetLayer, SetLayer, VT_BOOL, VTS_BSTR)
    DISP_FUNCTION_ID(Shape, "Move", 0x503, Move, VT_EMPTY, VTS_I4 VTS_I4)
    DISP_FUNCTION(Shape, "Describe", Describe, VT_BSTR, VTS_BSTR VTS_I2)
    DISP_DEFVALUE(Shape, "Count")
END_DISPATCH_MAP()

class RoundShape : public Shape {
    DECLARE_DISPATCH_MAP()
public:
    SHORT m_radius = 0;
};

BEGIN_DISPATCH_MAP(RoundShape, Shape)
    DISP_PROPERTY(RoundShape, "Radius", m_radius, VT_I2)
END_DISPATCH_MAP()

DISPID IdOf(IDispatch* dispatch, const char* name)
{
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

HRESULT InvokeArgs(IDispatch* dispatch, DISPID id, WORD flags, std::vector<COleVariant> naturalArgs,
                   COleVariant* result = nullptr, UINT* argErr = nullptr)
{
    std::vector<VARIANT> reversed(naturalArgs.rbegin(), naturalArgs.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    bool put = flags & DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    VARIANT out;
    VariantInit(&out);
    HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, flags, &params, &out, nullptr, argErr);
    if (result)
        result->Attach(out);
    else
        VariantClear(&out);
    return hr;
}

HRESULT Put(IDispatch* dispatch, const char* name, const COleVariant& value)
{
    return InvokeArgs(dispatch, IdOf(dispatch, name), DISPATCH_PROPERTYPUT, {value});
}

COleVariant Get(IDispatch* dispatch, const char* name)
{
    COleVariant result;
    EXPECT_EQ(InvokeArgs(dispatch, IdOf(dispatch, name), DISPATCH_PROPERTYGET, {}, &result), S_OK) << name;
    return result;
}

COleVariant Text(const char* text) { return COleVariant(text); }

TEST(DispatchMap, NamesFindFixedAndPositionalIdsWithoutRegardToCase)
{
    struct Case {
        const char* name;
        DISPID id;
    };
    constexpr Case cases[] = {
        {"count", MAKELONG(1, 0)},  {"CODE", -100},          {"DfltIsLocked", 0x513},
        {"backcolor", DISPID_BACKCOLOR}, {"RotateAngle", 0x510}, {"tag", 0x50F},
        {"Layer", MAKELONG(9, 0)},  {"move", 0x503},         {"Describe", MAKELONG(11, 0)},
    };
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    for (const Case& c : cases)
        EXPECT_EQ(IdOf(dispatch, c.name), c.id) << c.name;
}

TEST(DispatchMap, DerivedMapFindsItsOwnAndTheBaseEntries)
{
    RoundShape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    EXPECT_EQ(IdOf(dispatch, "Radius"), MAKELONG(1, 0));
    EXPECT_EQ(IdOf(dispatch, "Count"), MAKELONG(1, 1));
    EXPECT_EQ(IdOf(dispatch, "Move"), 0x503);
    ASSERT_EQ(Put(dispatch, "Radius", Text("12")), S_OK);
    ASSERT_EQ(Put(dispatch, "Count", COleVariant(7L)), S_OK);
    EXPECT_EQ(shape.m_radius, 12);
    EXPECT_EQ(Get(dispatch, "Count"), COleVariant(7L));
    COleVariant value;
    EXPECT_EQ(InvokeArgs(dispatch, DISPID_VALUE, DISPATCH_PROPERTYGET, {}, &value), S_OK);
    EXPECT_EQ(value, COleVariant(7L));
}

TEST(DispatchMap, PropertiesTakeCoercedValuesAndReadBackInTheirOwnType)
{
    struct Case {
        const char* name;
        COleVariant put;
        COleVariant got;
    };
    const Case cases[] = {
        {"Count", Text(" 42 "), COleVariant(42L)},
        {"Count", COleVariant(2.5), COleVariant(2L)},
        {"Code", COleVariant(7L), Text("7")},
        {"Code", COleVariant(1.5), Text("1.5")},
        {"DfltIsLocked", Text("True"), COleVariant(1L, VT_BOOL)},
        {"DfltIsLocked", COleVariant(short(0)), COleVariant(0L, VT_BOOL)},
        {"BackColor", COleVariant(255.4), COleVariant(255L)},
        {"RotateAngle", COleVariant(short(45)), COleVariant(45.0)},
        {"RotateAngle", Text("-12.25"), COleVariant(-12.25)},
        {"Tag", Text("note"), Text("note")},
        {"Tag", COleVariant(3.0), COleVariant(3.0)},
    };
    for (const Case& c : cases) {
        Shape shape;
        IDispatch* dispatch = shape.GetIDispatch(FALSE);
        EXPECT_EQ(Put(dispatch, c.name, c.put), S_OK) << c.name;
        EXPECT_EQ(Get(dispatch, c.name), c.got) << c.name;
    }
}

TEST(DispatchMap, BooleanMembersHoldTrueAsOne)
{
    Shape shape;
    ASSERT_EQ(Put(shape.GetIDispatch(FALSE), "DfltIsLocked", COleVariant(-5L)), S_OK);
    EXPECT_EQ(shape.m_locked, TRUE);
}

TEST(DispatchMap, UnsignedFieldsKeepTheirBitsAsLongs)
{
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    shape.m_fore = 0xFFFFFFFF;
    EXPECT_EQ(Get(dispatch, "ForeColor"), COleVariant(-1L));
    ASSERT_EQ(Put(dispatch, "ForeColor", COleVariant(-2147483647L - 1)), S_OK);
    EXPECT_EQ(shape.m_fore, 0x80000000u);
}

TEST(DispatchMap, NotifyRunsOnlyAfterASuccessfulPut)
{
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    EXPECT_EQ(Put(dispatch, "BackColor", COleVariant(0xFF00L)), S_OK);
    EXPECT_EQ(Put(dispatch, "BackColor", Text("red")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(shape.m_color, 0xFF00);
    EXPECT_EQ(shape.m_colorNotes, 1);
}

TEST(DispatchMap, TagStoresTheValueBehindAReference)
{
    Shape shape;
    LONG value = 77;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &value;
    ASSERT_EQ(Put(shape.GetIDispatch(FALSE), "Tag", COleVariant(reference)), S_OK);
    value = 1;
    EXPECT_EQ(shape.m_tag, COleVariant(77L));
}

TEST(DispatchMap, MethodsAndParameterisedPropertiesConvertEachArgument)
{
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    EXPECT_EQ(InvokeArgs(dispatch, 0x503, DISPATCH_METHOD, {Text("5"), COleVariant(short(-3))}), S_OK);
    EXPECT_EQ(shape.m_x, 5);
    EXPECT_EQ(shape.m_y, -3);

    COleVariant text;
    EXPECT_EQ(InvokeArgs(dispatch, IdOf(dispatch, "Describe"), DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                         {Text("ab"), Text("3")}, &text),
              S_OK);
    EXPECT_EQ(text, Text("ababab"));

    DISPID layer = IdOf(dispatch, "Layer");
    EXPECT_EQ(InvokeArgs(dispatch, layer, DISPATCH_PROPERTYPUT, {Text("Ink"), COleVariant(1L)}), S_OK);
    COleVariant on;
    EXPECT_EQ(InvokeArgs(dispatch, layer, DISPATCH_PROPERTYGET, {Text("Ink")}, &on), S_OK);
    EXPECT_EQ(on, COleVariant(1L, VT_BOOL));
    EXPECT_EQ(InvokeArgs(dispatch, layer, DISPATCH_PROPERTYGET, {Text("Notes")}, &on), S_OK);
    EXPECT_EQ(on, COleVariant(0L, VT_BOOL));
}

TEST(DispatchMap, ErrorsNameTheProblem)
{
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);

    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>("Colour")};
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_EQ(InvokeArgs(dispatch, 0x7777, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);

    UINT argErr = 99;
    EXPECT_EQ(InvokeArgs(dispatch, 0x503, DISPATCH_METHOD, {COleVariant(1L)}), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(InvokeArgs(dispatch, 0x503, DISPATCH_METHOD, {COleVariant(1L), COleVariant(1L), COleVariant(1L)}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeArgs(dispatch, 0x503, DISPATCH_METHOD, {COleVariant(1L), Text("far")}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u); // the last argument sits first in rgvarg
    EXPECT_EQ(InvokeArgs(dispatch, 0x503, DISPATCH_METHOD, {Text("far"), COleVariant(1L)}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    EXPECT_EQ(Put(dispatch, "Count", COleVariant(3e10)), DISP_E_OVERFLOW);
    EXPECT_EQ(Put(dispatch, "Move", COleVariant(1L)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(shape.m_x, 0);
    EXPECT_EQ(shape.m_count, 0);
}

TEST(DispatchMap, WritingAReadOnlyPropertyRaisesAnException)
{
    Shape shape;
    IDispatch* dispatch = shape.GetIDispatch(FALSE);
    DISPID putId = DISPID_PROPERTYPUT;
    VARIANT value = COleVariant("Top").Detach();
    DISPPARAMS params{&value, &putId, 1, 1};
    EXCEPINFO info{};
    EXPECT_EQ(dispatch->Invoke(0x50C, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr),
              DISP_E_EXCEPTION);
    ASSERT_NE(info.bstrDescription, nullptr);
    EXPECT_STREQ(info.bstrDescription, "The property is read only.");
    SysFreeString(info.bstrDescription);
    VariantClear(&value);
    EXPECT_EQ(Get(dispatch, "LayerName"), Text("Background"));
}

TEST(DispatchMap, InterfaceCountsReferencesOnItsTarget)
{
    bool gone = false;
    struct Watched : Shape {
        explicit Watched(bool& flag) : m_gone(flag) { }
        ~Watched() override { m_gone = true; }
        bool& m_gone;
    };
    auto* shape = new Watched(gone);
    IDispatch* dispatch = shape->GetIDispatch(TRUE);
    EXPECT_EQ(shape->GetRefCount(), 2u);
    EXPECT_EQ(CCmdTarget::FromIDispatch(dispatch), shape);
    void* unknown = nullptr;
    ASSERT_EQ(dispatch->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<void*>(dispatch));
    EXPECT_EQ(dispatch->QueryInterface(IID_NULL, &unknown), E_NOINTERFACE);
    dispatch->Release();
    dispatch->Release();
    shape->ExternalRelease();
    EXPECT_TRUE(gone);
}

TEST(DispatchMap, NoInterfaceWithoutAutomation)
{
    CCmdTarget plain;
    EXPECT_EQ(plain.GetIDispatch(FALSE), nullptr);
    EXPECT_EQ(CCmdTarget::FromIDispatch(nullptr), nullptr);
}

// The page view builds its table at run time: named object slots inside the view.
class Page : public CCmdTarget {
public:
    Page()
    {
        EnableAutomation();
        m_entries[0] = {"Rect1", DISPID_UNKNOWN, VTS_NONE, VT_DISPATCH, nullptr, nullptr,
                        static_cast<size_t>(reinterpret_cast<BYTE*>(&m_slots[0]) - reinterpret_cast<BYTE*>(this)),
                        afxDispProperty};
        m_entries[1] = {nullptr, DISPID_UNKNOWN, nullptr, VT_VOID, nullptr, nullptr, AFX_DISP_NO_OFFSET, 0};
        m_map = {&CCmdTarget::GetThisDispatchMap, m_entries};
    }
    const AFX_DISPMAP* GetDispatchMap() const override { return &m_map; }

    AFX_DISPMAP_ENTRY m_entries[2];
    AFX_DISPMAP m_map;
    IDispatch* m_slots[1] = {};
};

TEST(DispatchMap, RunTimeTableReadsInterfaceSlots)
{
    Page page;
    Shape shape;
    page.m_slots[0] = shape.GetIDispatch(FALSE);
    COleVariant got = Get(page.GetIDispatch(FALSE), "rect1");
    ASSERT_EQ(got.vt, VT_DISPATCH);
    EXPECT_EQ(CCmdTarget::FromIDispatch(got.pdispVal), &shape);
    EXPECT_EQ(shape.GetRefCount(), 2u);
    got.Clear();
    EXPECT_EQ(shape.GetRefCount(), 1u);
    EXPECT_EQ(Put(page.GetIDispatch(FALSE), "Rect1", COleVariant(1L)), DISP_E_MEMBERNOTFOUND);
}

} // namespace
