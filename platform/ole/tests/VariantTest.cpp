#include "platform/ole/DispatchMap.h"
#include "platform/ole/OleException.h"
#include "platform/ole/OleVariant.h"
#include "platform/ole/SafeArray.h"
#include "platform/ole/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

COleVariant Text(const char* text) { return COleVariant(text); }

COleVariant Currency(LONGLONG scaled)
{
    COleVariant v;
    v.vt = VT_CY;
    v.cyVal.int64 = scaled;
    return v;
}

TEST(Variant, ChangeTypeConvertsBetweenTheAutomationTypes)
{
    struct Case {
        COleVariant from;
        VARTYPE to;
        COleVariant expected;
    };
    const Case cases[] = {
        {Text("123"), VT_I4, COleVariant(123L)},
        {Text("  -7 "), VT_I2, COleVariant(short(-7))},
        {Text("2.5"), VT_I4, COleVariant(2L)}, // halves go to the even neighbour
        {Text("3.5"), VT_I4, COleVariant(4L)},
        {Text("1e3"), VT_R8, COleVariant(1000.0)},
        {Text("false"), VT_BOOL, COleVariant(0L, VT_BOOL)},
        {Text("TRUE"), VT_BOOL, COleVariant(1L, VT_BOOL)},
        {COleVariant(255L), VT_UI1, COleVariant(BYTE(255))},
        {COleVariant(-1L), VT_BOOL, COleVariant(1L, VT_BOOL)},
        {COleVariant(1L, VT_BOOL), VT_I4, COleVariant(-1L)},
        {COleVariant(1L, VT_BOOL), VT_BSTR, Text("-1")},
        {COleVariant(0.1), VT_BSTR, Text("0.1")},
        {COleVariant(1e20), VT_BSTR, Text("1E+20")},
        {COleVariant(float(0.5)), VT_BSTR, Text("0.5")},
        {COleVariant(-42L), VT_BSTR, Text("-42")},
        {COleVariant(1.25), VT_CY, Currency(12500)},
        {Currency(-5), VT_BSTR, Text("-0.0005")},
        {COleVariant(), VT_BSTR, Text("")},
        {COleVariant(), VT_I4, COleVariant(0L)},
        {COleVariant(45000.5), VT_DATE, [] { COleVariant d(45000.5); d.vt = VT_DATE; return d; }()},
    };
    for (const Case& c : cases) {
        COleVariant out;
        EXPECT_EQ(VariantChangeType(&out, &c.from, 0, c.to), S_OK) << c.to;
        EXPECT_EQ(out, c.expected) << c.to;
    }
}

TEST(Variant, ChangeTypeRefusesWhatDoesNotFit)
{
    struct Case {
        COleVariant from;
        VARTYPE to;
        HRESULT error;
    };
    COleVariant null;
    null.vt = VT_NULL;
    const Case cases[] = {
        {Text("12abc"), VT_I4, DISP_E_TYPEMISMATCH},
        {Text(""), VT_R8, DISP_E_TYPEMISMATCH},
        {Text("yes"), VT_BOOL, DISP_E_TYPEMISMATCH},
        {COleVariant(40000L), VT_I2, DISP_E_OVERFLOW},
        {COleVariant(-1L), VT_UI1, DISP_E_OVERFLOW},
        {COleVariant(3e9), VT_I4, DISP_E_OVERFLOW},
        {COleVariant(NAN), VT_I4, DISP_E_OVERFLOW},
        {COleVariant(1e300), VT_R4, DISP_E_OVERFLOW},
        {Text("1e999"), VT_R8, DISP_E_OVERFLOW},
        {null, VT_I4, DISP_E_TYPEMISMATCH},
        {COleVariant(5L), VT_DISPATCH, DISP_E_TYPEMISMATCH},
        {COleVariant(5L, VT_ERROR), VT_I4, DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        COleVariant out(9L);
        EXPECT_EQ(VariantChangeType(&out, &c.from, 0, c.to), c.error) << c.to;
        EXPECT_EQ(out, COleVariant(9L)) << "a failed conversion leaves the destination alone";
    }
}

TEST(Variant, ReferencesAreReadThrough)
{
    double value = 2.75;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_R8;
    reference.pdblVal = &value;
    COleVariant out;
    ASSERT_EQ(VariantChangeType(&out, &reference, 0, VT_BSTR), S_OK);
    EXPECT_EQ(out, Text("2.75"));
    ASSERT_EQ(VariantCopyInd(&out, &reference), S_OK);
    EXPECT_EQ(out, COleVariant(2.75));
    reference.pdblVal = nullptr;
    EXPECT_EQ(VariantCopyInd(&out, &reference), E_INVALIDARG);
}

class Counter : public CCmdTarget {
    DECLARE_DISPATCH_MAP()
public:
    Counter() { EnableAutomation(); }
    LONG m_value = 17;
};

BEGIN_DISPATCH_MAP(Counter, CCmdTarget)
    DISP_PROPERTY(Counter, "Value", m_value, VT_I4)
    DISP_DEFVALUE(Counter, "Value")
END_DISPATCH_MAP()

TEST(Variant, AnObjectConvertsThroughItsDefaultValue)
{
    Counter counter;
    COleVariant object(counter.GetIDispatch(FALSE));
    COleVariant out;
    ASSERT_EQ(VariantChangeType(&out, &object, 0, VT_BSTR), S_OK);
    EXPECT_EQ(out, Text("17"));
    EXPECT_EQ(VariantChangeType(&out, &object, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
    object.Clear();
    EXPECT_EQ(counter.GetRefCount(), 1u);
}

TEST(Variant, OleVariantChangeTypeThrowsTheCode)
{
    COleVariant v(Text("not a number"));
    try {
        v.ChangeType(VT_I4);
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(e->m_sc, DISP_E_TYPEMISMATCH);
        e->Delete();
    }
    EXPECT_EQ(v, Text("not a number"));
}

TEST(Variant, BstrsKeepEmbeddedZerosAndTheirLength)
{
    BSTR text = SysAllocStringByteLen("a\0b", 3);
    EXPECT_EQ(SysStringByteLen(text), 3u);
    EXPECT_EQ(text[3], '\0');
    EXPECT_TRUE(SysReAllocString(&text, "longer text"));
    EXPECT_EQ(SysStringLen(text), 11u);
    SysFreeString(text);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocStringByteLen(nullptr, 0x80000000u), nullptr);
}

TEST(Variant, PlainStringsInPlaceOfBstrsAreReadNotFreed)
{
    char plain[] = "not allocated";
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = plain;
    EXPECT_EQ(SysStringLen(plain), 13u);
    COleVariant copy(v);
    EXPECT_EQ(copy, Text("not allocated"));
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_STREQ(plain, "not allocated");
}

TEST(SafeArray, ByteVectorRoundTripsThroughAccessData)
{
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 4);
    ASSERT_NE(bytes, nullptr);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(bytes, &data), S_OK);
    std::memcpy(data, "\x01\x02\x03\x04", 4);
    EXPECT_EQ(SafeArrayDestroy(bytes), DISP_E_ARRAYISLOCKED);
    ASSERT_EQ(SafeArrayUnaccessData(bytes), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(bytes), E_UNEXPECTED);

    COleVariant held;
    held.vt = VT_ARRAY | VT_UI1;
    held.parray = bytes;
    COleVariant copy(held);
    LONG upper = 0;
    ASSERT_EQ(SafeArrayGetUBound(copy.parray, 1, &upper), S_OK);
    EXPECT_EQ(upper, 3);
    BYTE element = 0;
    LONG index = 2;
    ASSERT_EQ(SafeArrayGetElement(copy.parray, &index, &element), S_OK);
    EXPECT_EQ(element, 3);
}

TEST(SafeArray, IndexesOutsideTheBoundsAreRefused)
{
    SAFEARRAY* numbers = SafeArrayCreateVector(VT_I4, 1, 2);
    ASSERT_NE(numbers, nullptr);
    LONG value = 5;
    for (LONG index : {0L, 3L, -2147483647L - 1}) {
        LONG i = index;
        EXPECT_EQ(SafeArrayPutElement(numbers, &i, &value), DISP_E_BADINDEX) << index;
        EXPECT_EQ(SafeArrayGetElement(numbers, &i, &value), DISP_E_BADINDEX) << index;
    }
    LONG last = 2;
    EXPECT_EQ(SafeArrayPutElement(numbers, &last, &value), S_OK);
    EXPECT_EQ(SafeArrayGetDim(numbers), 1u);
    EXPECT_EQ(SafeArrayDestroy(numbers), S_OK);
}

TEST(SafeArray, ForgedOrStretchedRecordsAreRefused)
{
    SAFEARRAY forged{1, 0, 1, 0, nullptr, {{1000, 0}}};
    LONG index = 0;
    BYTE value = 0;
    void* data = nullptr;
    EXPECT_EQ(SafeArrayGetElement(&forged, &index, &value), E_INVALIDARG);
    EXPECT_EQ(SafeArrayAccessData(&forged, &data), E_INVALIDARG);
    EXPECT_EQ(SafeArrayDestroy(&forged), E_INVALIDARG);

    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 2);
    bytes->rgsabound[0].cElements = 1000000; // claims more than it holds
    bytes->cbElements = 64;
    index = 999;
    EXPECT_EQ(SafeArrayGetElement(bytes, &index, &value), DISP_E_BADINDEX);
    LONG upper = 0;
    SafeArrayGetUBound(bytes, 1, &upper);
    EXPECT_EQ(upper, 1);
    COleVariant held;
    held.vt = VT_ARRAY | VT_UI1;
    held.parray = bytes;
    COleVariant copy(held); // copies the two real elements
    EXPECT_EQ(copy.parray->rgsabound[0].cElements, 2u);
    held.Clear();
    EXPECT_EQ(SafeArrayDestroy(bytes), E_INVALIDARG) << "already destroyed";
}

TEST(SafeArray, SizesThatCannotBeAllocatedGiveNull)
{
    EXPECT_EQ(SafeArrayCreateVector(VT_R8, 0, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_VARIANT, 0, 0x10000000u), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    EXPECT_EQ(SafeArrayCreate(VT_I4, 2, bounds), nullptr);
}

TEST(SafeArray, StringElementsAreCopiedInAndFreedWithTheArray)
{
    SAFEARRAY* names = SafeArrayCreateVector(VT_BSTR, 0, 2);
    ASSERT_NE(names, nullptr);
    BSTR name = SysAllocString("Rect1");
    LONG index = 1;
    ASSERT_EQ(SafeArrayPutElement(names, &index, name), S_OK);
    SysFreeString(name);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(names, &copy), S_OK);
    ASSERT_EQ(SafeArrayDestroy(names), S_OK);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(copy, &index, &out), S_OK);
    EXPECT_STREQ(out, "Rect1");
    SysFreeString(out);
    EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
}

} // namespace
