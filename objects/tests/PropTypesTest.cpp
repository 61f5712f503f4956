#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropControls.h"
#include "objects/PropDatetime.h"
#include "objects/PropListValue.h"
#include "objects/PropNumber.h"
#include "objects/PropOle.h"
#include "objects/PropText.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Fields {
    int i = 3;
    LONG l = 4;
    double d = 1.5;
    CString s = "a";
    COLORREF c = RGB(1, 2, 3);
    CFontDescriptor f;
    DWORD combo = 1;
    CLayerFmt layers;
    CLocalFmt locals;
    CString when;
};

void Vary(Fields& o)
{
    o.i = 30;
    o.l = 40;
    o.d = -2.25;
    o.s = "b";
    o.c = static_cast<COLORREF>(-1);
    o.f.FromString("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial");
    o.combo = 2;
    o.layers.AddDefaultLayers();
    o.locals.AddItem(new CLocalItem);
    o.when = "1d";
}

struct EditorType {
    const char* name;
    std::function<CPropOb*(Fields&)> make;
    // Gives the edited value of the editor a value no object starts with.
    std::function<void(CPropOb*)> edit;
    std::function<bool(const Fields&)> holdsEdit;
    std::function<bool(const Fields&, const Fields&)> same;
};

const std::vector<EditorType>& EditorTypes()
{
    static const std::vector<EditorType> types = {
        {"int", [](Fields& o) { return new CPropInt(27174, &o.i, 0, 100); },
         [](CPropOb* p) { static_cast<CPropInt*>(p)->m_edited = 77; }, [](const Fields& o) { return o.i == 77; },
         [](const Fields& a, const Fields& b) { return a.i == b.i; }},
        {"long", [](Fields& o) { return new CPropLong(27175, &o.l); },
         [](CPropOb* p) { static_cast<CPropLong*>(p)->m_edited = -77; }, [](const Fields& o) { return o.l == -77; },
         [](const Fields& a, const Fields& b) { return a.l == b.l; }},
        {"double", [](Fields& o) { return new CPropAngleDbl(27176, &o.d); },
         [](CPropOb* p) { static_cast<CPropDbl*>(p)->m_edited = 0.125; },
         [](const Fields& o) { return o.d == 0.125; }, [](const Fields& a, const Fields& b) { return a.d == b.d; }},
        {"string", [](Fields& o) { return new CPropStr(27177, &o.s); },
         [](CPropOb* p) { static_cast<CPropStr*>(p)->m_edited = "edited"; },
         [](const Fields& o) { return o.s == "edited"; }, [](const Fields& a, const Fields& b) { return a.s == b.s; }},
        {"colour", [](Fields& o) { return new CPropCustColor(27178, &o.c); },
         [](CPropOb* p) { static_cast<CPropColor*>(p)->m_edited = RGB(9, 9, 9); },
         [](const Fields& o) { return o.c == RGB(9, 9, 9); }, [](const Fields& a, const Fields& b) { return a.c == b.c; }},
        {"font", [](Fields& o) { return new CPropFont(27179, &o.f); },
         [](CPropOb* p) { static_cast<CPropFont*>(p)->m_edited.FromString("-20,0,0,0,700,1,1,0,0,1,2,1,34,Edited"); },
         [](const Fields& o) { return CString(o.f.GetLogFont().lfFaceName) == "Edited"; },
         [](const Fields& a, const Fields& b) { return a.f.IsEqual(b.f) != FALSE; }},
        {"combo", [](Fields& o) { return new CLinePropStyle(27180, &o.combo); },
         [](CPropOb* p) { static_cast<CPropCombo*>(p)->m_edited = 4; }, [](const Fields& o) { return o.combo == 4; },
         [](const Fields& a, const Fields& b) { return a.combo == b.combo; }},
        {"layer list", [](Fields& o) { return new CPropLayer(27181, &o.layers); },
         [](CPropOb* p) { static_cast<CPropLayer*>(p)->m_edited.AddItem(new CLayerItem(5, "Edited")); },
         [](const Fields& o) { return o.layers.FindLayerIndex(5) >= 0; },
         [](const Fields& a, const Fields& b) { return a.layers.IsEqual(&b.layers) != FALSE; }},
        {"local list", [](Fields& o) { return new CPropLocal(27182, &o.locals); },
         [](CPropOb* p) {
             auto* item = new CLocalItem;
             item->m_text1 = "Edited";
             static_cast<CPropLocal*>(p)->m_edited.AddItem(item);
         },
         [](const Fields& o) {
             return o.locals.GetSize() > 0 &&
                    static_cast<CLocalItem*>(o.locals.GetItem(o.locals.GetSize() - 1))->m_text1 == "Edited";
         },
         [](const Fields& a, const Fields& b) { return a.locals.IsEqual(&b.locals) != FALSE; }},
        {"date and time", [](Fields& o) { return new CPropCustDatetime(27183, &o.when); },
         [](CPropOb* p) { static_cast<CPropStr*>(p)->m_edited = "2h"; }, [](const Fields& o) { return o.when == "2h"; },
         [](const Fields& a, const Fields& b) { return a.when == b.when; }},
    };
    return types;
}

CPropObArray* EditorsOf(Fields& object)
{
    auto* list = new CPropObArray;
    for (const EditorType& type : EditorTypes())
        list->Add(type.make(object));
    return list;
}

TEST(PropertyTypes, MultiSelectionApplyRestoreAndCompareOverEveryType)
{
    Fields first, second, firstBefore, secondBefore;
    Vary(second);
    Vary(secondBefore);
    const auto& types = EditorTypes();
    CPropListArray lists;
    lists.Add(EditorsOf(first));
    lists.Add(EditorsOf(second));
    std::vector<BOOL> changed;
    for (size_t t = 0; t < types.size(); ++t) {
        CPropOb* a = lists.GetList(0)->GetProp(static_cast<INT_PTR>(t));
        CPropOb* b = lists.GetList(1)->GetProp(static_cast<INT_PTR>(t));
        EXPECT_FALSE(a->IsEqual(b)) << types[t].name;
        types[t].edit(a);
        changed.push_back(t % 2 == 0);
    }
    lists.ApplyAll(changed.data());
    for (size_t t = 0; t < types.size(); ++t) {
        EXPECT_TRUE(types[t].holdsEdit(first)) << types[t].name;
        if (changed[t])
            EXPECT_TRUE(types[t].holdsEdit(second)) << types[t].name;
        else
            EXPECT_TRUE(types[t].same(second, secondBefore)) << types[t].name << " was not flagged";
    }

    lists.RestoreAll();
    for (const EditorType& type : types) {
        EXPECT_TRUE(type.same(first, firstBefore)) << type.name;
        EXPECT_TRUE(type.same(second, secondBefore)) << type.name;
    }
}

TEST(PropertyTypes, CopyValueAndReloadOverEveryType)
{
    Fields first, second;
    Vary(second);
    CPropObArray* a = EditorsOf(first);
    CPropObArray* b = EditorsOf(second);
    const auto& types = EditorTypes();
    for (size_t t = 0; t < types.size(); ++t) {
        CPropOb* editor = a->GetProp(static_cast<INT_PTR>(t));
        CPropOb* peer = b->GetProp(static_cast<INT_PTR>(t));
        editor->CopyValueFrom(peer);
        EXPECT_TRUE(editor->IsEqual(peer)) << types[t].name;
        EXPECT_TRUE(editor->Reload()) << types[t].name << ": the field still holds the first value";
        EXPECT_FALSE(editor->IsEqual(peer)) << types[t].name;
        EXPECT_FALSE(editor->Reload()) << types[t].name;
    }
    delete a;
    delete b;
}

TEST(PropertyTypes, EditorsBuiltWithoutANameTakeNoValue)
{
    int field = 5;
    CPropInt editor(0, &field, 0, 10);
    EXPECT_EQ(editor.m_edited, 0);
    EXPECT_EQ(editor.m_saved, 0);
}

class PropertyTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(26625, "<(None)>");
        RegisterStringResource(26631, "<Automatic>");
        RegisterStringResource(26639, "<List>");
        RegisterStringResource(26647, "<%d Item(s)>");
        RegisterStringResource(27169, "<Solid>");
        RegisterStringResource(27170, "<Dash>");
        RegisterStringResource(27171, "<Dot>");
        RegisterStringResource(27172, "<Dash-dot>");
        RegisterStringResource(27173, "<Dash-dot-dot>");
        RegisterStringResource(27032, "<(Object Code) \"%s\" already in use or reserved.>");
    }
};

TEST_F(PropertyTexts, ValueTexts)
{
    int i = -7;
    LONG l = 123456;
    double d = 0.5;
    COLORREF automatic = static_cast<COLORREF>(-1), blue = RGB(64, 128, 255);
    CFontDescriptor empty, arial;
    arial.FromString("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial");
    CString noFile, file = "C:\\Pictures\\Sea.BMP", relative = "D:Notes.TXT";
    DWORD dot = 2, unknown = 9;
    CLayerFmt layers;
    CLocalFmt locals;
    locals.AddItem(new CLocalItem);
    locals.AddItem(new CLocalItem);
    struct Case {
        CPropOb* editor;
        const char* text;
    } cases[] = {
        {new CPropInt(1, &i, -10, 10), "-7"},
        {new CPropLong(1, &l), "123456"},
        {new CPropDbl(1, &d), "0.5"},
        {new CPropColor(1, &automatic), "<Automatic>"},
        {new CPropColor(1, &blue), "64.128.255"},
        {new CPropFont(1, &empty), "<(None)>"},
        {new CPropFont(1, &arial), "Arial"},
        {new CPropFile(1, &noFile), "<(None)>"},
        {new CPropFile(1, &file), "sea.bmp"},
        {new CPropFile(1, &relative), "notes.txt"},
        {new CLinePropStyle(1, &dot), "<Dot>"},
        {new CLinePropStyle(1, &unknown), ""},
        {new CPropLayer(1, &layers), "<List>"},
        {new CPropLocal(1, &locals), "<2 Item(s)>"},
    };
    for (const Case& c : cases) {
        CString text = "stale";
        EXPECT_TRUE(c.editor->GetValueText(text));
        EXPECT_EQ(text, CString(c.text)) << c.text;
        delete c.editor;
    }
}

class FakeExchange : public CPropExchange {
public:
    struct Failed { };
    BOOL IsSaving() const override { return saving; }
    void ShowMessage(const CString& text, UINT) override { messages.push_back(text); }
    [[noreturn]] void Fail() override { throw Failed{}; }

    BOOL saving = TRUE;
    std::vector<CString> messages;
};

// Validates the text while saving; false when the exchange failed.
bool Passes(CPropOb& editor, CString& text)
{
    FakeExchange exchange;
    try {
        editor.Validate(&exchange, text);
    } catch (FakeExchange::Failed&) {
        return false;
    }
    return true;
}

TEST_F(PropertyTexts, CodeValidation)
{
    CTestPageView view;
    CTestBoxOb owner, other;
    owner.Code = "Mine";
    other.Code = "Taken";
    view.objects = {&owner, &other};
    view.otherCodes = {"Page1", "Group7"};
    owner.SetView(view);
    CString field = "Mine";
    CPropCodeStr editor(1, &field, &owner);
    struct Case {
        const char* typed;
        bool passes;
        const char* after;
    } cases[] = {
        {"Mine", true, "Mine"},
        {"my code!", true, "mycode"},
        {"12_a", true, "_a"},
        {"taken", false, "taken"},
        {"PAGE1", false, "PAGE1"},
        {"group7", false, "group7"},
        {"", false, ""},
        {"!! 1", false, ""},
        {"a2345678901234567890123456789012345678901", false, "a2345678901234567890123456789012345678901"},
        {"a23456789 0123456789012345678901234567890", true, "a234567890123456789012345678901234567890"},
    };
    for (const Case& c : cases) {
        CString text = c.typed;
        EXPECT_EQ(Passes(editor, text), c.passes) << c.typed;
        EXPECT_EQ(text, CString(c.after)) << c.typed;
    }

    FakeExchange exchange;
    CString text = "taken";
    EXPECT_THROW(editor.Validate(&exchange, text), FakeExchange::Failed);
    ASSERT_EQ(exchange.messages.size(), 1u);
    EXPECT_EQ(exchange.messages[0], CString("<(Object Code) \"Taken\" already in use or reserved.>"));

    exchange.saving = FALSE;
    text = "taken";
    EXPECT_NO_THROW(editor.Validate(&exchange, text));
    owner.SetView(nullptr);
}

TEST_F(PropertyTexts, DateAndTimeValidation)
{
    CString field;
    CPropDatetime editor(1, &field);
    struct Case {
        const char* typed;
        bool passes;
    } cases[] = {
        {"", true},
        {"+1d 2h", true},
        {"3m4s", true},
        {"1d2h3m4s", true},
        {"1d2h3m4s5s", true}, // reading stops after the fourth unit
        {"3d+1h", false},
        {"12.03.2024 10:30:00", true},
        {"12.03.2024", true},
        {"31.12.1999 23:59", true},
        {"32.01.2024", false},
        {"31.02.2024", false},
        {"12.03.05", false},
        {"soon", false},
        {"5", false},
        {"1x", false},
    };
    for (const Case& c : cases) {
        CString text = c.typed;
        EXPECT_EQ(Passes(editor, text), c.passes) << c.typed;
    }
}

class FakeCombo : public CPropChoiceBox {
public:
    void ResetContent() override { items.clear(); }
    int AddString(LPCTSTR text) override
    {
        items.push_back({text, 0});
        return static_cast<int>(items.size()) - 1;
    }
    void SetItemData(int index, DWORD_PTR data) override { items[static_cast<size_t>(index)].second = data; }
    DWORD_PTR GetItemData(int index) const override { return items[static_cast<size_t>(index)].second; }
    int GetCount() const override { return static_cast<int>(items.size()); }
    void SetCurSel(int index) override { selected = index; }
    int SelectStringExact(LPCTSTR text) override
    {
        selected = -1;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].first == text)
                selected = static_cast<int>(i);
        return selected;
    }
    void SetEditText(LPCTSTR text) override { editText = text; }

    std::vector<std::pair<CString, DWORD_PTR>> items = {{"stale", 9}};
    int selected = 5;
    CString editText;
};

TEST_F(PropertyTexts, FillingCombos)
{
    struct Case {
        DWORD value;
        int selected;
    } cases[] = {{0, 0}, {3, 3}, {4, 4}, {7, -1}};
    for (const Case& c : cases) {
        DWORD style = c.value;
        CLinePropStyle editor(1, &style);
        FakeCombo combo;
        editor.FillCombo(&combo);
        ASSERT_EQ(combo.GetCount(), 5);
        EXPECT_EQ(combo.items[1].first, CString("<Dash>"));
        EXPECT_EQ(combo.GetItemData(4), 4u);
        EXPECT_EQ(combo.selected, c.selected) << c.value;
    }

    CString text = "http://b";
    CPropUrlEditCombo urls(1, &text);
    urls.AddChoice("http://a", 0);
    urls.AddChoiceById(27169, 0);
    urls.AddChoiceById(40000, 0); // no such string
    urls.AddChoice("http://b", 0);
    FakeCombo combo;
    urls.FillCombo(&combo);
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.selected, 2);
    EXPECT_TRUE(combo.editText.IsEmpty());
    urls.m_edited = "http://c";
    urls.FillCombo(&combo);
    EXPECT_EQ(combo.selected, -1);
    EXPECT_EQ(combo.editText, CString("http://c"));
}

class CountingDialog : public CPropDialog {
public:
    void OnPropertyListChanged(CPropOb*) override { ++told; }
    int told = 0;
};

TEST_F(PropertyTexts, LinkedEditorsKeepEachOtherConsistent)
{
    int width = 3;
    DWORD style = 0;
    CLinePropWidth widthEditor(1, &width);
    CLinePropStyle styleEditor(2, &style);
    LinkLineEditors(&widthEditor, &styleEditor);
    CountingDialog dialog;
    widthEditor.SetOwnerDialog(&dialog);
    styleEditor.SetOwnerDialog(&dialog);

    styleEditor.m_edited = 1;
    styleEditor.OnValueChanged();
    EXPECT_EQ(widthEditor.m_edited, 1);
    EXPECT_EQ(dialog.told, 1);
    styleEditor.OnValueChanged();
    EXPECT_EQ(dialog.told, 1) << "nothing to change, nothing told";

    styleEditor.m_edited = 2;
    widthEditor.m_edited = 2;
    widthEditor.OnValueChanged();
    EXPECT_EQ(styleEditor.m_edited, 0u);
    EXPECT_EQ(dialog.told, 2);
    EXPECT_EQ(width, 3) << "only edited values change";

    CString when;
    DWORD active = 0;
    CPropCustDatetime alarm(3, &when);
    CPropAlarmActive alarmSwitch(4, &active);
    alarm.m_linkedSwitch = &alarmSwitch;
    alarm.SetOwnerDialog(&dialog);
    alarm.m_edited = "1h";
    alarm.OnValueChanged();
    EXPECT_EQ(alarmSwitch.m_edited, 1u);
    alarm.m_edited = "";
    alarm.OnValueChanged();
    EXPECT_EQ(alarmSwitch.m_edited, 0u);
    EXPECT_EQ(dialog.told, 4);
    EXPECT_TRUE(alarm.SkipRefreshAfterEdit());
}

TEST_F(PropertyTexts, ShadowOffsetsShowTheirDirection)
{
    struct Case {
        LONG x;
        LONG y;
        DWORD direction;
    };
    const Case cases[] = { { 0, 0, 0 }, { -6, -6, 1 }, { 6, -6, 2 }, { -6, 6, 3 }, { 6, 6, 4 }, { 6, 5, 99 } };
    LONG x = 0, y = 0;
    DWORD direction = 0;
    CPropShadowLong xEditor(1, &x), yEditor(2, &y);
    CPropShadowCombo directionEditor(3, &direction);
    xEditor.m_partnerY = &yEditor;
    yEditor.m_partnerX = &xEditor;
    xEditor.m_direction = yEditor.m_direction = &directionEditor;
    CountingDialog dialog;
    xEditor.SetOwnerDialog(&dialog);
    for (const Case& c : cases) {
        // Whichever offset changes last, the pair decides.
        for (CPropShadowLong* changed : { &xEditor, &yEditor }) {
            xEditor.m_edited = c.x;
            yEditor.m_edited = c.y;
            directionEditor.m_edited = 7;
            changed->OnValueChanged();
            EXPECT_EQ(directionEditor.m_edited, c.direction) << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(dialog.told, 6);
    EXPECT_EQ(direction, 0u) << "only edited values change";
}

TEST_F(PropertyTexts, TheEmbeddedObjectEntryHoldsNoValue)
{
    RegisterStringResource(27022, "<WARN: No Cancel or Apply>");
    CCmdTarget* item = nullptr;
    CPropOle entry(&item);
    CPropOle other(&item);
    CString text;
    EXPECT_TRUE(entry.GetValueText(text));
    EXPECT_EQ(text, CString("<WARN: No Cancel or Apply>"));
    EXPECT_FALSE(entry.IsEqual(&other));
    EXPECT_EQ(entry.m_kind, 15u);
    EXPECT_EQ(entry.m_controlId, CPropOb::ButtonControl);
}

TEST_F(PropertyTexts, DirectValueAccessGoesToTheField)
{
    int i = 1;
    double d = 1;
    CString s = "x";
    COLORREF c = 0;
    CFontDescriptor f;
    CPropInt intEditor(1, &i, 0, 9);
    CPropDbl doubleEditor(1, &d);
    CPropStr textEditor(1, &s);
    CPropColor colorEditor(1, &c);
    CPropFont fontEditor(1, &f);
    EXPECT_TRUE(intEditor.SetIntValue(6));
    EXPECT_TRUE(doubleEditor.SetDoubleValue(2.5));
    EXPECT_TRUE(textEditor.SetStringValue("y"));
    EXPECT_TRUE(colorEditor.SetLongValue(-1));
    EXPECT_TRUE(fontEditor.SetStringValue("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial"));
    EXPECT_FALSE(fontEditor.SetStringValue("nonsense"));
    EXPECT_EQ(intEditor.m_edited, 1) << "the edited copy is left alone";
    int iv = 0;
    double dv = 0;
    long lv = 0;
    CString sv;
    EXPECT_TRUE(intEditor.GetIntValue(&iv));
    EXPECT_TRUE(doubleEditor.GetDoubleValue(&dv));
    EXPECT_TRUE(colorEditor.GetLongValue(&lv));
    EXPECT_TRUE(textEditor.GetStringValue(sv));
    EXPECT_EQ(iv, 6);
    EXPECT_EQ(dv, 2.5);
    EXPECT_EQ(lv, -1);
    EXPECT_EQ(sv, CString("y"));
    EXPECT_TRUE(fontEditor.GetStringValue(sv));
    EXPECT_EQ(sv, CString("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial"));
}

} // namespace
