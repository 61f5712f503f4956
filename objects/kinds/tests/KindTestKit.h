// What the kinds' tests share: pixel probes and the check that cut-off records fail.
#pragma once

#include "objects/tests/ArchiveBytes.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ole/OleVariant.h"
#include "platform/ole/Variant.h"
#include "platform/ui/CmdTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <vector>

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

struct Probe {
    int x, y;
    COLORREF color;
};

inline void ExpectPixels(const Canvas& canvas, const std::vector<Probe>& probes, const char* name)
{
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << name << " at " << p.x << "," << p.y;
}

// The bounding box of the pixels of one colour (or, with `other`, of every other colour),
// read in one pass; empty when there are none.
inline CRect ColorBounds(Canvas& canvas, int width, int height, COLORREF color, bool other = false)
{
    CDC& dc = canvas.dc;
    int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    CRect bounds(width, height, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((dc.GetPixel(x, y) == color) != other)
                bounds.SetRect(std::min<int>(bounds.left, x), std::min<int>(bounds.top, y),
                               std::max<int>(bounds.right, x + 1), std::max<int>(bounds.bottom, y + 1));
    dc.RestoreDC(saved);
    return bounds.IsRectEmpty() ? CRect() : bounds;
}

// Every cut of the stored record, by the given numbers of bytes from its end, fails to load
// with the archive error.
template <typename Kind>
void ExpectCutRecordsFail(Kind& stored, std::initializer_list<size_t> cuts)
{
    Bytes bytes = Stored(stored);
    for (size_t cut : cuts) {
        Bytes shorter(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(cut));
        Kind loaded;
        EXPECT_TRUE(LoadThrowsArchiveException(shorter, [&](CArchive& ar) { loaded.Serialize(ar); })) << cut;
    }
}

// Reads and writes an automation property by name, the way a script does.
inline HRESULT PutProperty(CCmdTarget& target, const char* name, const COleVariant& value)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    IDispatch* dispatch = target.GetIDispatch(FALSE);
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id)))
        return DISP_E_UNKNOWNNAME;
    VARIANT arg = value;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params {&arg, &putId, 1, 1};
    return dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

inline COleVariant GetProperty(CCmdTarget& target, const char* name, DISPID* idOut = nullptr)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    IDispatch* dispatch = target.GetIDispatch(FALSE);
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << name;
    if (idOut)
        *idOut = id;
    DISPPARAMS params {nullptr, nullptr, 0, 0};
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, &out, nullptr, nullptr), S_OK) << name;
    COleVariant result;
    result.Attach(out);
    return result;
}
