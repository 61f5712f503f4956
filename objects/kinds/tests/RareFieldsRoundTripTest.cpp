// A page whose objects have every seldom-used field set: its stored bytes stay what the
// editor has always written, and reading them back gives the same bytes again.
#include "objects/GroupInfo.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/tests/LinePageKit.h"
#include "objects/tests/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

const std::string goldenPath = std::string(VANTREL_TEST_DATA) + "/rare-fields-page.bin";

void SetEveryRareField(CHyperOb& object, const char* code)
{
    object.Code = code;
    object.PumpDataEvent.Set(CObValue::KindScript, "pump()");
    object.PumpDataEvent.SetExtras("a", "b");
    object.ClickEvent.Set(CObValue::KindScript, "click()");
    object.InitializeEvent.Set(CObValue::Choice(27204), "init");
    object.DragOverEvent.Set(CObValue::KindScript, "over()");
    object.DragDropEvent.Set(CObValue::KindLiteral, "2.5");
    object.Enable.Set(CObValue::KindLiteral, "0");
    object.Visible.Set(CObValue::KindScript, "visible()");
    object.CursorPointer = 3;
    object.SetToolTipText("a tip");
    object.SetURL("http://example.invalid/page");
    object.SetAlarmTime("12:30");
    object.CreationDate = "01.02.2003 04:05:06";
    object.SetAlarmSound("bell.wav");
    object.AlarmActive = 1;
    object.AuxInt = 77;
    object.HelpContextID = 4242;
    object.LayerID = 2;
    object.SetTagText("tagged");
    object.BackColor = RGB(10, 20, 30);
    object.ForeColor = RGB(200, 100, 0);
}

CBorderGen* AddGenBox(LinePage& page, CRect rect)
{
    auto made = std::make_unique<CBorderGen>();
    made->Init(page.view, nullptr, TRUE);
    made->SetRect(rect);
    return page.AddObject(std::move(made));
}

// A connector joins the box's right middle (100, 50) to the target's left middle (200, 90).
struct RarePage {
    LinePage page;
    CBorderGen* box = nullptr;
    CBorderGen* target = nullptr;
    CBorderOb* plain = nullptr;
    CConnectOb* connector = nullptr;

    RarePage()
    {
        box = AddGenBox(page, CRect(60, 30, 100, 70));
        SetEveryRareField(*box, "Box");
        target = AddGenBox(page, CRect(200, 70, 240, 110));
        target->Code = "Target";
        target->CreationDate = "01.02.2003 04:05:06";

        plain = page.AddBox("Plain", CRect(300, 70, 340, 110));
        SetEveryRareField(*plain, "Plain");
        plain->GroupID = 5;
        plain->SetOwnGroupInfo(plain->CreateGroupInfo());
        plain->SetRotateAngle(30.0);
        plain->GetSnapPoints(TRUE)->SetPositionMask(0x1FF);

        auto joined = std::make_unique<CConnectGen>();
        joined->Init(page.view, nullptr, TRUE);
        joined->SetRect(CRect(100, 50, 200, 90));
        EXPECT_TRUE(joined->OnInsert());
        connector = page.AddObject(std::move(joined));
        connector->CreationDate = "01.02.2003 04:05:06";
    }

    Bytes Stored() const
    {
        return StoreBytes([&](CArchive& ar) {
            box->Serialize(ar);
            target->Serialize(ar);
            plain->Serialize(ar);
            connector->Serialize(ar);
        });
    }
};

Bytes ReadGolden()
{
    std::ifstream in(goldenPath, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(RareFieldsRoundTrip, StoresTheBytesTheEditorHasAlwaysWritten)
{
    RarePage rare;
    ASSERT_EQ(rare.connector->m_ends.m_ends[0].code, CString("Box"));
    ASSERT_TRUE(rare.box->GetSnapPoints(FALSE)->HasConnections());
    const Bytes golden = ReadGolden();
    ASSERT_FALSE(golden.empty()) << goldenPath;
    EXPECT_EQ(rare.Stored(), golden);
}

TEST(RareFieldsRoundTrip, ReadsBackToTheSameBytes)
{
    RarePage rare;
    const Bytes stored = rare.Stored();
    auto box = std::make_unique<CBorderGen>();
    auto target = std::make_unique<CBorderGen>();
    auto plain = std::make_unique<CBorderOb>();
    auto connector = std::make_unique<CConnectGen>();
    EXPECT_EQ(LoadBytes(stored,
                        [&](CArchive& ar) {
                            box->Serialize(ar);
                            target->Serialize(ar);
                            plain->Serialize(ar);
                            connector->Serialize(ar);
                        }),
              stored.size());
    EXPECT_EQ(box->Visible.GetRawText(), CString("visible()"));
    EXPECT_EQ(box->PumpDataEvent.GetExtra2(), CString("b"));
    EXPECT_EQ(plain->GetURL(), CString("http://example.invalid/page"));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) {
                  box->Serialize(ar);
                  target->Serialize(ar);
                  plain->Serialize(ar);
                  connector->Serialize(ar);
              }),
              stored);
}

} // namespace
