#include "PageTestKit.h"

#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/ViewSettings.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/Time.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct FieldCase {
    const char* name;
    std::function<bool(const CHyperOb&)> isDefault;
    std::function<void(CHyperOb&)> change;
    bool copied;
};

bool IsNone(const CObValue& value)
{
    return value.GetKind() == CObValue::KindNone;
}

bool IsLiteral(const CObValue& value, const char* text)
{
    return value.GetKind() == CObValue::KindLiteral && value.GetRawText() == text;
}

const FieldCase fieldCases[] = {
    { "Code", [](const CHyperOb& o) { return o.Code.IsEmpty(); }, [](CHyperOb& o) { o.Code = "Box7"; },
        true },
    { "PumpDataEvent", [](const CHyperOb& o) { return IsNone(o.PumpDataEvent); },
        [](CHyperOb& o) { o.PumpDataEvent.Set(CObValue::KindScript, "Pump"); }, true },
    { "ClickEvent", [](const CHyperOb& o) { return IsNone(o.ClickEvent); },
        [](CHyperOb& o) { o.ClickEvent.Set(CObValue::KindScript, "Click"); }, true },
    { "InitializeEvent", [](const CHyperOb& o) { return IsNone(o.InitializeEvent); },
        [](CHyperOb& o) { o.InitializeEvent.Set(CObValue::KindScript, "Init"); }, true },
    { "DragOverEvent",
        [](const CHyperOb& o) { return IsNone(o.DragOverEvent) && o.DragOverEvent.GetExtra2() == "*"; },
        [](CHyperOb& o) { o.DragOverEvent.Set(CObValue::KindScript, "Over"); }, true },
    { "DragDropEvent",
        [](const CHyperOb& o) { return IsNone(o.DragDropEvent) && o.DragDropEvent.GetExtra2() == "*"; },
        [](CHyperOb& o) { o.DragDropEvent.Set(CObValue::KindScript, "Drop"); }, true },
    { "Enable", [](const CHyperOb& o) { return IsLiteral(o.Enable, "1"); },
        [](CHyperOb& o) { o.Enable.Set(CObValue::KindLiteral, "0"); }, true },
    { "Visible", [](const CHyperOb& o) { return IsLiteral(o.Visible, "1"); },
        [](CHyperOb& o) { o.Visible.Set(CObValue::KindLiteral, "0"); }, true },
    { "CursorPointer", [](const CHyperOb& o) { return o.CursorPointer == 0; },
        [](CHyperOb& o) { o.CursorPointer = 27913; }, true },
    { "ToolTipText", [](const CHyperOb& o) { return o.GetToolTipText().IsEmpty(); },
        [](CHyperOb& o) { o.SetToolTipText("tip"); }, true },
    { "URL", [](const CHyperOb& o) { return o.GetURL().IsEmpty(); }, [](CHyperOb& o) { o.SetURL("http://a"); },
        true },
    { "AlarmTime", [](const CHyperOb& o) { return o.GetAlarmTime().IsEmpty(); },
        [](CHyperOb& o) { o.SetAlarmTime("12:00"); }, true },
    { "AlarmSound", [](const CHyperOb& o) { return o.GetAlarmSound().IsEmpty(); },
        [](CHyperOb& o) { o.SetAlarmSound("a.wav"); }, true },
    { "CreationDate",
        [](const CHyperOb& o) {
            return o.CreationDate.Text().GetLength() == 19 && o.CreationDate.Text() != "01.02.2003 04:05:06";
        },
        [](CHyperOb& o) { o.CreationDate = "01.02.2003 04:05:06"; }, true },
    { "AlarmActive", [](const CHyperOb& o) { return o.AlarmActive == 0; },
        [](CHyperOb& o) { o.AlarmActive = 1; }, true },
    { "AuxInt", [](const CHyperOb& o) { return o.AuxInt == 0; }, [](CHyperOb& o) { o.AuxInt = 9; }, true },
    { "HelpContextID", [](const CHyperOb& o) { return o.HelpContextID == 0; },
        [](CHyperOb& o) { o.HelpContextID = 77; }, true },
    { "BackColor", [](const CHyperOb& o) { return o.BackColor == static_cast<COLORREF>(-1); },
        [](CHyperOb& o) { o.BackColor = RGB(1, 2, 3); }, true },
    { "ForeColor", [](const CHyperOb& o) { return o.ForeColor == static_cast<COLORREF>(-1); },
        [](CHyperOb& o) { o.ForeColor = RGB(4, 5, 6); }, true },
    { "Font", [](const CHyperOb& o) { return o.Font.IsEmpty() && o.Font.GetLogFont().lfFaceName[0] == 0; },
        [](CHyperOb& o) {
            o.Font.GetLogFont().lfHeight = 12;
            SetFaceName(o.Font.GetLogFont(), "Serif");
        },
        true },
    { "GroupID", [](const CHyperOb& o) { return o.GroupID == -1; }, [](CHyperOb& o) { o.GroupID = 3; },
        true },
    { "group record", [](const CHyperOb& o) { return o.GetOwnGroupInfo() == nullptr; },
        [](CHyperOb& o) {
            auto* group = new CGroupInfo;
            group->GroupID = 3;
            group->m_rect.SetRect(1, 2, 3, 4);
            o.SetOwnGroupInfo(group);
        },
        true },
    { "group aux", [](const CHyperOb& o) { return o.m_groupAux == 0; }, [](CHyperOb& o) { o.m_groupAux = 2; },
        true },
    { "LayerID", [](const CHyperOb& o) { return o.LayerID == 0; }, [](CHyperOb& o) { o.LayerID = 21000; },
        true },
    { "Tag text", [](const CHyperOb& o) { return o.GetTagText().IsEmpty(); }, [](CHyperOb& o) { o.SetTagText("t"); },
        true },
    { "rectangle", [](const CHyperOb& o) { CRect r; return *o.GetRect(&r, nullptr) == CRect(); },
        [](CHyperOb& o) { o.Init(nullptr, CRect(5, 6, 70, 80), FALSE); }, true },
    { "RotateAngle", [](const CHyperOb& o) { return o.GetRotateAngle() == 0.0; },
        [](CHyperOb& o) { o.SetRotateAngle(30.0); }, true },
    { "DfltIsLocked", [](const CHyperOb& o) { return !o.DfltIsLocked; },
        [](CHyperOb& o) { o.DfltIsLocked = TRUE; }, true },
    { "DfltCanDelete", [](const CHyperOb& o) { return o.DfltCanDelete; },
        [](CHyperOb& o) { o.DfltCanDelete = FALSE; }, true },
    { "DfltCanResize", [](const CHyperOb& o) { return o.DfltCanResize; },
        [](CHyperOb& o) { o.DfltCanResize = FALSE; }, true },
    { "DfltCanRot", [](const CHyperOb& o) { return o.DfltCanRot; }, [](CHyperOb& o) { o.DfltCanRot = FALSE; },
        true },
    { "DfltCanInlineEditText", [](const CHyperOb& o) { return o.DfltCanInlineEditText; },
        [](CHyperOb& o) { o.DfltCanInlineEditText = FALSE; }, true },
    { "DfltCanEditPoints", [](const CHyperOb& o) { return o.DfltCanEditPoints; },
        [](CHyperOb& o) { o.DfltCanEditPoints = FALSE; }, true },
    { "EditPending", [](const CHyperOb& o) { return !o.IsEditPending(); },
        [](CHyperOb& o) { o.SetEditPending(TRUE); }, false },
    { "Editing", [](const CHyperOb& o) { return !o.IsEditing(); }, [](CHyperOb& o) { o.SetEditing(TRUE); },
        false },
    { "stay-in-front", [](const CHyperOb& o) { return !o.m_stayInFront; },
        [](CHyperOb& o) { o.m_stayInFront = TRUE; }, false },
    { "keeps-direction", [](const CHyperOb& o) { return !o.m_keepsDirection; },
        [](CHyperOb& o) { o.m_keepsDirection = TRUE; }, false },
    { "text rectangle", [](const CHyperOb& o) { return o.m_textRect1.IsRectNull(); },
        [](CHyperOb& o) { o.m_textRect1.SetRect(1, 1, 9, 9); }, false },
    { "display mode", [](const CHyperOb& o) { return o.GetDisplayMode() == 0; },
        [](CHyperOb& o) { o.SetParam(1); }, false },
    { "hot spots", [](const CHyperOb& o) { return const_cast<CHyperOb&>(o).GetHotSpots().IsEmpty(); },
        [](CHyperOb& o) { o.GetHotSpots().Add(new CHotSpotOb(&o)); }, false },
};

TEST(PageObject, EveryFieldHasItsDefaultAndIsCopiedOrNot)
{
    for (const FieldCase& c : fieldCases) {
        CTestBoxOb fresh;
        EXPECT_TRUE(c.isDefault(fresh)) << c.name << " default";
        CTestBoxOb source;
        c.change(source);
        ASSERT_FALSE(c.isDefault(source)) << c.name << " change";
        CTestBoxOb copy;
        copy.CopyFrom(&source);
        EXPECT_EQ(!c.isDefault(copy), c.copied) << c.name << " copy";
        std::unique_ptr<CHyperOb> clone(source.Clone());
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(!c.isDefault(*clone), c.copied) << c.name << " clone";
    }
}

TEST(PageObject, CopyingAnObjectWithoutTextsEmptiesTheTextsOfTheCopy)
{
    CTestBoxOb plain;
    CTestBoxOb copy;
    copy.SetToolTipText("tip");
    copy.SetURL("http://a");
    copy.SetAlarmTime("12:00");
    copy.SetAlarmSound("a.wav");
    copy.SetTagText("t");
    copy.CopyFrom(&plain);
    for (const CString& text :
         {copy.GetToolTipText(), copy.GetURL(), copy.GetAlarmTime(), copy.GetAlarmSound(), copy.GetTagText()})
        EXPECT_TRUE(text.IsEmpty()) << text.GetString();
}

TEST(PageObject, CloneIsOfTheSameKindWithItsOwnGroupRecord)
{
    CTestBoxOb source;
    source.Code = "Box1";
    source.DfltIsLocked = TRUE;
    source.GroupID = 4;
    auto* group = new CGroupInfo;
    group->GroupID = 4;
    source.SetOwnGroupInfo(group);
    std::unique_ptr<CHyperOb> clone(source.Clone());
    EXPECT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CTestBoxOb)));
    EXPECT_TRUE(clone->IsLocked());
    EXPECT_EQ(clone->GroupID, 4);
    EXPECT_EQ(clone->Code, "Box1");
    ASSERT_NE(clone->GetOwnGroupInfo(), nullptr);
    EXPECT_NE(clone->GetOwnGroupInfo(), group);
    EXPECT_EQ(clone->GetOwnGroupInfo()->GroupID, 4);
    EXPECT_EQ(clone->GetTracker()->m_object, clone.get());
}

TEST(PageObject, CreationDateIsTheConstructionTime)
{
    CString before = CTime::GetCurrentTime().Format("%d.%m.%Y %H:%M");
    CHyperOb object;
    CString after = CTime::GetCurrentTime().Format("%d.%m.%Y %H:%M");
    const CString created = object.CreationDate.Text();
    CString minute = created.Left(16);
    EXPECT_TRUE(minute == before || minute == after) << created.GetString();
    EXPECT_EQ(created[2], '.');
    EXPECT_EQ(created[13], ':');
}

struct PermissionCase {
    const char* name;
    std::function<void(CTestPageView&, CTestBoxOb&)> setUp;
    BOOL locked, canDelete, canResize, canRotate, canInlineEdit;
};

TEST(PageObject, PermissionsDecideWhatTheViewMayDo)
{
    const PermissionCase cases[] = {
        { "fresh", [](CTestPageView&, CTestBoxOb&) {}, FALSE, TRUE, TRUE, TRUE, TRUE },
        { "locked flag", [](CTestPageView&, CTestBoxOb& o) { o.DfltIsLocked = TRUE; }, TRUE, TRUE, TRUE, TRUE,
            TRUE },
        { "locked layer",
            [](CTestPageView& v, CTestBoxOb& o) {
                o.LayerID = 5;
                v.lockedLayers.insert(5);
            },
            TRUE, TRUE, TRUE, TRUE, TRUE },
        { "hidden layer",
            [](CTestPageView& v, CTestBoxOb& o) {
                o.LayerID = 6;
                v.hiddenLayers.insert(6);
            },
            TRUE, TRUE, TRUE, TRUE, TRUE },
        { "invisible in run mode",
            [](CTestPageView& v, CTestBoxOb& o) {
                v.editMode = FALSE;
                o.Visible.Set(CObValue::KindLiteral, "0");
            },
            TRUE, TRUE, TRUE, TRUE, TRUE },
        { "invisible in edit mode",
            [](CTestPageView&, CTestBoxOb& o) { o.Visible.Set(CObValue::KindLiteral, "0"); }, FALSE, TRUE,
            TRUE, TRUE, TRUE },
        { "no delete", [](CTestPageView&, CTestBoxOb& o) { o.DfltCanDelete = FALSE; }, FALSE, FALSE, TRUE,
            TRUE, TRUE },
        { "no resize flag", [](CTestPageView&, CTestBoxOb& o) { o.DfltCanResize = FALSE; }, FALSE, TRUE,
            FALSE, TRUE, TRUE },
        { "view forbids resizing", [](CTestPageView& v, CTestBoxOb&) { v.noResize = TRUE; }, FALSE, TRUE,
            FALSE, TRUE, TRUE },
        { "no rotation", [](CTestPageView&, CTestBoxOb& o) { o.DfltCanRot = FALSE; }, FALSE, TRUE, TRUE,
            FALSE, TRUE },
        { "no inline edit", [](CTestPageView&, CTestBoxOb& o) { o.DfltCanInlineEditText = FALSE; }, FALSE,
            TRUE, TRUE, TRUE, FALSE },
    };
    for (const PermissionCase& c : cases) {
        CTestPageView view;
        CTestBoxOb object;
        object.SetView(view);
        c.setUp(view, object);
        EXPECT_EQ(object.IsLocked(), c.locked) << c.name;
        EXPECT_EQ(object.IsUnlocked(), !c.locked) << c.name;
        EXPECT_EQ(object.CanDelete(), c.canDelete) << c.name;
        EXPECT_EQ(object.CanResize(), c.canResize) << c.name;
        EXPECT_EQ(object.CanRotate(), c.canRotate) << c.name;
        EXPECT_EQ(object.CanInlineEditText(), c.canInlineEdit) << c.name;
    }
}

TEST(PageObject, TheBaseNeitherRotatesNorEditsPoints)
{
    CHyperOb object;
    EXPECT_FALSE(object.CanRotate());
    EXPECT_FALSE(object.CanEditPoints());
    object.SetRotateAngle(30.0);
    EXPECT_FALSE(object.IsRotated());
}

TEST(PageObject, AutomaticColoursComeFromThePageAndTheSystem)
{
    CTestPageView view;
    CTestBoxOb object;
    object.SetView(view);
    COLORREF color = 0;
    EXPECT_TRUE(object.IsTransparent());
    EXPECT_TRUE(object.GetBackColor(&color));
    EXPECT_EQ(color, GetSysColor(COLOR_BTNFACE));
    view.pageColor = RGB(9, 8, 7);
    object.GetBackColor(&color);
    EXPECT_EQ(color, RGB(9, 8, 7));
    EXPECT_TRUE(object.GetForeColor(&color));
    EXPECT_EQ(color, GetSysColor(COLOR_BTNTEXT));
    object.BackColor = RGB(0, 0, 0);
    object.ForeColor = RGB(1, 1, 1);
    EXPECT_FALSE(object.IsTransparent());
    object.GetBackColor(&color);
    EXPECT_EQ(color, RGB(0, 0, 0));
    object.GetForeColor(&color);
    EXPECT_EQ(color, RGB(1, 1, 1));
}

TEST(PageObject, AnEmptyFaceTakesThePageFontThenTheProgramFont)
{
    CTestPageView view;
    CTestBoxOb object;
    object.SetView(view);
    LOGFONT saved = GetViewSettings().m_defaultFont;
    SetFaceName(GetViewSettings().m_defaultFont, "Program");
    LOGFONT font {};
    EXPECT_TRUE(object.GetFont(&font, TRUE));
    EXPECT_STREQ(font.lfFaceName, "Program");
    SetFaceName(view.pageFont, "Page");
    object.GetFont(&font, TRUE);
    EXPECT_STREQ(font.lfFaceName, "Page");
    object.GetFont(&font, FALSE);
    EXPECT_STREQ(font.lfFaceName, "");
    SetFaceName(object.Font.GetLogFont(), "Own");
    object.GetFont(&font, TRUE);
    EXPECT_STREQ(font.lfFaceName, "Own");
    GetViewSettings().m_defaultFont = saved;
}

TEST(PageObject, AnEmptyFaceKeepsTheObjectsOwnSize)
{
    CTestPageView view;
    CTestBoxOb object;
    object.SetView(view);
    SetFaceName(view.pageFont, "Page");
    view.pageFont.lfHeight = -16;
    LOGFONT font{};
    object.GetFont(&font, TRUE);
    EXPECT_EQ(font.lfHeight, -16) << "no size of its own: the page's";
    object.Font.GetLogFont().lfHeight = -48;
    object.GetFont(&font, TRUE);
    EXPECT_STREQ(font.lfFaceName, "Page");
    EXPECT_EQ(font.lfHeight, -48);
}

TEST(PageObject, UniqueCodesSkipNamesTakenInTheView)
{
    CTestPageView view;
    CTestBoxOb a, b, c;
    a.Code = "Box1";
    b.Code = "Box2";
    view.objects = { &a, &b, &c };
    c.SetView(view);
    EXPECT_EQ(c.MakeUniqueCode("Box", 1), 3);
    EXPECT_EQ(c.Code, "Box3");
    EXPECT_EQ(c.MakeUniqueCode("Box", 1), 1) << "a unique code is kept";
    EXPECT_EQ(c.Code, "Box3");
    c.Code = "Box1";
    c.MakeUniqueCode("Solo", -1);
    EXPECT_EQ(c.Code, "Solo");
}

TEST(PageObject, StoreFileNamesFollowTheClassName)
{
    const std::pair<const char*, const char*> cases[] = {
        { "CRectOb", "Rect.Ob" },
        { "CConnectGen", "Connect.Gen" },
        { "CPolyLineGen", "PolyLine.Gen" },
        { "CHyperOb", "Hyper.Ob" },
        { "CBitmapShadowOb", "BitmapShadowOb" },
        { "CArcGen", "Arc.Gen" },
        { "CHyperOleGen", "HyperOle.Gen" },
        { "HyperThing", "HyperThing" },
        { "CTextNote", "TextNote" },
        { "CDIB", "DIB" },
        { "Cab", "ab" },
        { "", "" },
    };
    for (const auto& [className, fileName] : cases)
        EXPECT_EQ(MakeStoreFileName(className), fileName) << className;
    EXPECT_EQ(CTestBoxOb().GetStoreFileName(), "TestBox.Ob");
}

// A defaults folder of its own for each test.
class DefaultsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vantrel-defaults-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        m_savedFolder = GetViewSettings().m_objectFileFolder;
        GetViewSettings().m_objectFileFolder = (m_folder + "/objects").c_str();
    }
    void TearDown() override
    {
        GetViewSettings().m_objectFileFolder = m_savedFolder;
        std::filesystem::remove_all(m_folder);
    }
    std::string FilePath() const { return m_folder + "/objects/TestBox.Ob"; }
    std::string ReadFile() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteFile(const std::string& bytes) const { std::ofstream(FilePath(), std::ios::binary) << bytes; }
    static void Customise(CTestBoxOb& object)
    {
        object.Init(nullptr, CRect(40, 50, 100, 90), FALSE);
        object.SetToolTipText("stored tip");
        object.HelpContextID = 42;
        object.Visible.Set(CObValue::KindLiteral, "0");
    }
    static void ExpectBuiltIn(const CTestBoxOb& object)
    {
        EXPECT_TRUE(object.GetToolTipText().IsEmpty());
        EXPECT_EQ(object.HelpContextID, 0);
        EXPECT_TRUE(IsLiteral(object.Visible, "1"));
    }

    std::string m_folder;
    CString m_savedFolder;
};

TEST_F(DefaultsFile, SavedDefaultsReachEveryNewObjectOfTheClass)
{
    CTestBoxOb model;
    Customise(model);
    EXPECT_FALSE(model.SerializeToFile(-2));
    model.SaveAsDefault();
    EXPECT_EQ(model.GetTracker()->m_rect, CRect(40, 50, 100, 90)) << "the saved object keeps its place";
    EXPECT_TRUE(model.SerializeToFile(-2));

    CTestBoxOb stored;
    ASSERT_TRUE(stored.SerializeToFile(1));
    EXPECT_EQ(stored.GetTracker()->m_rect, CRect(0, 0, 60, 40)) << "stored at the origin";

    CTestPageView view;
    CTestBoxOb fresh;
    fresh.Init(view, CRect(5, 5, 25, 35), TRUE);
    EXPECT_EQ(fresh.GetToolTipText(), "stored tip");
    EXPECT_EQ(fresh.HelpContextID, 42);
    EXPECT_TRUE(IsLiteral(fresh.Visible, "0"));
    EXPECT_EQ(fresh.GetTracker()->m_rect, CRect(5, 5, 25, 35));
    EXPECT_EQ(fresh.GetView(), static_cast<CHyperRunView*>(view));

    EXPECT_TRUE(fresh.SerializeToFile(-1));
    EXPECT_FALSE(fresh.SerializeToFile(-2));
}

TEST_F(DefaultsFile, AMissingFileLeavesTheBuiltInDefaults)
{
    CTestBoxOb fresh;
    fresh.Init(nullptr, nullptr, TRUE);
    ExpectBuiltIn(fresh);
    EXPECT_EQ(fresh.GetTracker()->m_rect, CRect(0, 0, 50, 50));
    EXPECT_FALSE(fresh.SerializeToFile(1));
}

TEST_F(DefaultsFile, ABadFileLeavesTheBuiltInDefaults)
{
    CTestBoxOb model;
    Customise(model);
    model.SaveAsDefault();
    std::string good = ReadFile();
    ASSERT_GT(good.size(), 40u);
    const std::string bad[] = {
        good.substr(0, good.size() / 2),
        good.substr(0, good.size() - 1),
        std::string(),
        std::string(good.size(), '\xFF'),
    };
    for (const std::string& bytes : bad) {
        WriteFile(bytes);
        CTestBoxOb fresh;
        fresh.Init(nullptr, CRect(1, 2, 3, 4), TRUE);
        ExpectBuiltIn(fresh);
        EXPECT_EQ(fresh.GetTracker()->m_rect, CRect(1, 2, 3, 4));
    }
}

TEST_F(DefaultsFile, DefaultsNeverMakeAGroupMember)
{
    CTestBoxOb model;
    Customise(model);
    model.GroupID = 8;
    auto* group = new CGroupInfo;
    group->GroupID = 8;
    model.SetOwnGroupInfo(group);
    model.SaveAsDefault();

    CTestBoxOb fresh;
    fresh.Init(nullptr, nullptr, TRUE);
    EXPECT_EQ(fresh.GetToolTipText(), "stored tip");
    EXPECT_EQ(fresh.GroupID, -1);
    EXPECT_EQ(fresh.GetOwnGroupInfo(), nullptr);
}

TEST_F(DefaultsFile, DefaultColoursOfTheViewComeFirst)
{
    CTestPageView view;
    view.useDefaultColors = TRUE;
    view.defaultBack = RGB(10, 20, 30);
    view.defaultFore = RGB(40, 50, 60);
    CTestBoxOb fresh;
    fresh.Init(view, nullptr, TRUE);
    EXPECT_EQ(fresh.BackColor, RGB(10, 20, 30));
    EXPECT_EQ(fresh.ForeColor, RGB(40, 50, 60));
}

// Storing fails half-way through the record.
class CFailingBoxOb : public CTestBoxOb {
public:
    void SerializeRecord(CArchive& archive) override
    {
        CTestBoxOb::SerializeRecord(archive);
        AfxThrowArchiveException(CArchiveException::genericException);
    }
};

TEST_F(DefaultsFile, AFailedSaveKeepsTheRectangleAndTheOldFile)
{
    CTestBoxOb model;
    Customise(model);
    model.SaveAsDefault();
    std::string before = ReadFile();

    CFailingBoxOb failing;
    failing.Init(nullptr, CRect(30, 30, 60, 60), FALSE);
    bool thrown = false;
    try {
        failing.SaveAsDefault();
    } catch (CArchiveException* e) {
        e->Delete();
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(failing.GetTracker()->m_rect, CRect(30, 30, 60, 60));
    EXPECT_EQ(ReadFile(), before);
}

TEST_F(DefaultsFile, AFolderThatCannotBeMadeFailsCleanly)
{
    GetViewSettings().m_objectFileFolder = (m_folder + "/missing/deeper").c_str();
    CTestBoxOb model;
    model.Init(nullptr, CRect(7, 7, 17, 17), FALSE);
    EXPECT_FALSE(model.SerializeToFile(0));
    model.SaveAsDefault();
    EXPECT_EQ(model.GetTracker()->m_rect, CRect(7, 7, 17, 17));
}

} // namespace
