#include "objects/PropOb.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The smallest editor: one int field.
class IntEditor : public CPropOb {
public:
    IntEditor(UINT nameId, int* field) : CPropOb(nameId), edited(*field), saved(*field), target(field) { }
    BOOL IsEqual(const CPropOb* other) const override { return edited == static_cast<const IntEditor*>(other)->edited; }
    void Apply() override { *target = edited; }
    void ApplyFrom(const CPropOb* peer) override { *target = static_cast<const IntEditor*>(peer)->edited; }
    void Restore() override { *target = saved; }

    int edited;
    int saved;
    int* target;
};

struct Object {
    int fields[3];
};

CPropObArray* EditorsOf(Object& object)
{
    auto* list = new CPropObArray;
    for (int i = 0; i < 3; ++i)
        list->Add(new IntEditor(27174 + static_cast<UINT>(i), &object.fields[i]));
    return list;
}

int& Edited(CPropListArray& lists, int list, int index)
{
    return static_cast<IntEditor*>(lists.GetList(list)->GetProp(index))->edited;
}

TEST(PropertyList, MultiSelectionAppliesFlaggedPropertiesFromTheFirstList)
{
    Object a{{1, 2, 3}}, b{{10, 20, 30}}, c{{100, 200, 300}};
    CPropListArray lists;
    lists.Add(EditorsOf(a));
    lists.Add(EditorsOf(b));
    lists.Add(EditorsOf(c));
    Edited(lists, 0, 1) = 7;
    Edited(lists, 1, 0) = 55; // edits of later lists are never applied
    const BOOL changed[] = {FALSE, TRUE, FALSE};
    lists.ApplyAll(changed);
    EXPECT_EQ((std::array{a.fields[0], a.fields[1], a.fields[2]}), (std::array{1, 7, 3}));
    EXPECT_EQ((std::array{b.fields[0], b.fields[1], b.fields[2]}), (std::array{10, 7, 30}));
    EXPECT_EQ((std::array{c.fields[0], c.fields[1], c.fields[2]}), (std::array{100, 7, 300}));

    lists.RestoreAll();
    EXPECT_EQ(a.fields[1], 2);
    EXPECT_EQ(b.fields[1], 20);
    EXPECT_EQ(c.fields[1], 200);
}

TEST(PropertyList, AShorterListIsWalkedOnlyToItsOwnLength)
{
    Object a{{1, 2, 3}}, b{{10, 20, 30}};
    CPropListArray lists;
    lists.Add(EditorsOf(a));
    auto* shorter = new CPropObArray;
    shorter->Add(new IntEditor(27174, &b.fields[0]));
    lists.Add(shorter);
    Edited(lists, 0, 0) = 4;
    Edited(lists, 0, 2) = 6;
    const BOOL changed[] = {TRUE, TRUE, TRUE};
    lists.ApplyAll(changed);
    EXPECT_EQ(b.fields[0], 4);
    EXPECT_EQ(b.fields[2], 30);
}

TEST(PropertyList, RestoreWritesTheValueFromWhenTheEditorWasBuilt)
{
    int field = 5;
    IntEditor editor(27174, &field);
    editor.edited = 9;
    editor.Apply();
    field = 11;
    editor.Restore();
    EXPECT_EQ(field, 5);
}

TEST(PropertyList, NamesAndBaseAnswers)
{
    RegisterStringResource(27174, "<Line width\nLine Width>");
    RegisterStringResource(26654, "<File...>");
    int field = 0;
    struct Case {
        UINT nameId;
        const char* nameText;
        const char* expected;
    } cases[] = {
        {27174, "", "<Line width\nLine Width>"},
        {27174, "Own", "Own"},
        {0, "", ""},
        {0, "Own", "Own"},
        {0xFFFFFFFF, "Own", ""},
        {0xFFFFFFFE, "Own", ""},
    };
    for (const Case& c : cases) {
        IntEditor editor(c.nameId, &field);
        editor.m_nameText = c.nameText;
        EXPECT_EQ(CString(editor.GetName()), CString(c.expected)) << c.nameId << " " << c.nameText;
    }

    IntEditor editor(27174, &field);
    EXPECT_EQ(editor.m_editable, 1);
    EXPECT_EQ(editor.m_kind, 0u);
    EXPECT_TRUE(editor.GetButtonCaption().IsEmpty());
    editor.m_captionId = 26654;
    EXPECT_EQ(editor.GetButtonCaption(), CString("<File...>"));
    CString text = "x";
    long number = 3;
    EXPECT_FALSE(editor.GetValueText(text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(editor.GetLongValue(&number));
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(editor.SetIntValue(4));
    EXPECT_FALSE(editor.Reload());
}

} // namespace
