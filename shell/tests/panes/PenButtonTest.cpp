// The pen preview button: its default pen, copying, the record it writes and reads, its size
// and what it draws.
#include "shell/ControlButtons.h"

#include "UiFixture.h"
#include "platform/core/tests/ArchiveBytes.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/toolkit/XTPPaintManager.h"

#include <memory>

namespace {

struct PenRelease {
    void operator()(CControlButtonPen* pen) const { pen->InternalRelease(); }
};
using PenPtr = std::unique_ptr<CControlButtonPen, PenRelease>;

PenPtr MakePen(UINT id = 28001, DWORD_PTR parameter = 5) { return PenPtr(CControlButtonPen::CreateControl(id, parameter)); }

class PenButtonTest : public UiTest {};

TEST_F(PenButtonTest, ANewPenIsTheDefaultBlackPen)
{
    PenPtr pen = MakePen();
    EXPECT_EQ(pen->GetID(), 28001u);
    EXPECT_EQ(pen->GetParameter(), 5u);
    const LONG* values = pen->GetValues();
    EXPECT_EQ(std::vector<LONG>(values, values + 5), (std::vector<LONG>{0, 53, 53, 0, 13}));
    EXPECT_TRUE(pen->GetFlag());
    EXPECT_EQ(std::string(pen->GetName()), "Black");
    CRuntimeClass* byName = CRuntimeClass::FromName("CControlButtonPen");
    ASSERT_NE(byName, nullptr) << "made by name when bar state is read";
    auto* made = static_cast<CControlButtonPen*>(byName->CreateObject());
    EXPECT_EQ(std::string(made->GetName()), "Black");
    made->InternalRelease();
}

TEST_F(PenButtonTest, CopyTakesThePenWithTheButton)
{
    PenPtr from = MakePen();
    from->SetValues({1, 2, 3, 4, 5});
    from->SetFlag(FALSE);
    from->SetName("Red marker");
    from->SetCaption("Marker");
    PenPtr to = MakePen(1, 0);
    to->Copy(from.get());
    EXPECT_EQ(std::vector<LONG>(to->GetValues(), to->GetValues() + 5), (std::vector<LONG>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(to->GetFlag());
    EXPECT_EQ(std::string(to->GetName()), "Red marker");
    EXPECT_EQ(std::string(to->GetCaption()), "Marker");
    EXPECT_EQ(to->GetID(), 28001u);
}

// Five values, the flag as a 32-bit value, then the name as a counted string.
const Bytes kRedPen = {
    0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, // 1, 2, 3
    0x04, 0x00, 0x00, 0x00, 0xFB, 0xFF, 0xFF, 0xFF,                         // 4, -5
    0x01, 0x00, 0x00, 0x00,                                                 // flag
    0x03, 'R', 'e', 'd',                                                    // name
};

TEST_F(PenButtonTest, TheRecordIsByteExact)
{
    PenPtr pen = MakePen();
    pen->SetValues({1, 2, 3, 4, -5});
    pen->SetName("Red");
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { pen->Serialize(ar); }), kRedPen);

    Bytes stored = kRedPen;
    stored[20] = 7; // any non-zero flag reads as set
    PenPtr read = MakePen();
    read->SetFlag(FALSE);
    LoadBytes(stored, [&](CArchive& ar) { read->Serialize(ar); });
    EXPECT_EQ(std::vector<LONG>(read->GetValues(), read->GetValues() + 5), (std::vector<LONG>{1, 2, 3, 4, -5}));
    EXPECT_TRUE(read->GetFlag());
    EXPECT_EQ(std::string(read->GetName()), "Red");
}

TEST_F(PenButtonTest, AShortRecordFailsAndLeavesThePenAsItWas)
{
    for (size_t cut : {size_t{0}, size_t{7}, size_t{20}, size_t{24}, kRedPen.size() - 1}) {
        PenPtr pen = MakePen();
        const Bytes part(kRedPen.begin(), kRedPen.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_NE(ArchiveCause([&] { LoadBytes(part, [&](CArchive& ar) { pen->Serialize(ar); }); }), -1) << cut;
        EXPECT_EQ(pen->GetValues()[1], 53) << cut;
        EXPECT_EQ(std::string(pen->GetName()), "Black") << cut;
    }
}

TEST_F(PenButtonTest, DrawsTheNameCentredOnTheBarFace)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(140, 20, 1, 32, nullptr));
    CBitmap* old = dc.SelectObject(&bitmap);
    PenPtr pen = MakePen();
    struct Case {
        const char* name;
        bool wide;
    };
    for (const Case c : {Case{"Black", false}, Case{"A pen whose name is longer than the button", true}}) {
        pen->SetName(c.name);
        const CSize size = pen->GetSize(&dc);
        EXPECT_EQ(size.cx == 120, !c.wide) << c.name;
        EXPECT_EQ(size.cy, dc.GetTextExtent(c.name).cy);
    }
    pen->SetName("Black");
    pen->SetRect(CRect(0, 0, 140, 20));
    pen->Draw(&dc);
    const COLORREF face = XTPPaintManager()->Colors().barFace, ink = ::GetSysColor(COLOR_BTNTEXT);
    int left = 140, right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 140; ++x)
            if (dc.GetPixel(x, y) == ink) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(left, right) << "the name is drawn";
    EXPECT_NEAR((left + right) / 2, 70, 3) << "centred";
    EXPECT_EQ(dc.GetPixel(1, 1), face);
    EXPECT_EQ(dc.GetPixel(138, 18), face);
    dc.SelectObject(old);
}

} // namespace
