#include "objects/ComboChoiceList.h"
#include "objects/HyperBaseOb.h"
#include "objects/HyperObArray.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HyperBaseOb, IsCreatedByItsRuntimeClass)
{
    CObject* created = RUNTIME_CLASS(CHyperBaseOb)->CreateObject();
    auto* object = dynamic_cast<CHyperBaseOb*>(created);
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CHyperVBPSOb)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, "CHyperBaseOb");
    EXPECT_TRUE(object->IsAutomationEnabled());
    EXPECT_EQ(object->GetView(), nullptr);
    EXPECT_STREQ(object->GetCode(), "");
    delete created;
}

TEST(HyperBaseOb, MakeUniqueCodeAppendsTheNumber)
{
    struct Case {
        const char* base;
        int n;
        const char* code;
    };
    const Case cases[] = {
        {"Rect", 3, "Rect3"},
        {"Rect", -1, "Rect"},
        {"Rect", 0, "Rect0"},
        {"Border", 12345, "Border12345"},
        {"", 7, "7"},
    };
    for (const Case& c : cases) {
        CHyperBaseOb object;
        object.Code = "Old";
        EXPECT_EQ(object.MakeUniqueCode(c.base, c.n), c.n);
        EXPECT_STREQ(object.GetCode(), c.code);
    }
}

TEST(HyperBaseOb, TypeNameIsTheTextAfterTheNewline)
{
    RegisterStringResource(60446, "Object\nObject");
    RegisterStringResource(40001, "Frame objects\nBorder");
    RegisterStringResource(40002, "Ole Object");
    struct Case {
        UINT id;
        const char* name;
    };
    const Case cases[] = {
        {40001, "Border"},
        {40002, "Ole Object"},
        {40003, "Object"},
        {60446, "Object"},
    };
    CHyperBaseOb object;
    for (const Case& c : cases)
        EXPECT_STREQ(object.LoadTypeName(c.id), c.name) << c.id;
    EXPECT_STREQ(object.GetTypeName(), "Object");
}

TEST(HyperBaseOb, SetParamKeepsTheDisplayMode)
{
    CHyperBaseOb object;
    EXPECT_EQ(object.GetDisplayMode(), 0);
    EXPECT_EQ(object.SetParam(2), 2);
    EXPECT_EQ(object.GetDisplayMode(), 2);
    CHyperVBPSOb root;
    EXPECT_EQ(root.SetParam(2), 0);
    EXPECT_EQ(root.GetPageColor(), 0xFFFFFFu);
}

TEST(HyperBaseOb, CursorChoicesInOrder)
{
    const char* texts[] = {"0 - <Default>", "1 - <Arrow>",    "2 - <IBeam>", "3 - <Cross>",
                           "4 - <Up-Arrow>", "5 - <No Drop>", "6 - <Help>",  "99 - <Hot Spot>"};
    for (UINT i = 0; i < 8; ++i)
        RegisterStringResource(27424 + i, texts[i]);
    const DWORD values[] = {0, 32512, 32513, 32515, 32516, 32648, 32651, 27913};

    CComboChoiceList choices;
    CHyperBaseOb().FillCursorChoices(choices);
    ASSERT_EQ(choices.GetSize(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_STREQ(choices.GetChoice(i)->text, texts[i]);
        EXPECT_EQ(choices.GetChoice(i)->value, values[i]);
    }
    EXPECT_EQ(choices.GetChoice(8), nullptr);
    EXPECT_EQ(choices.GetChoice(-1), nullptr);
}

TEST(ComboChoiceList, MissingStringAddsNothing)
{
    RegisterStringResource(40010, "Solid");
    CComboChoiceList choices;
    choices.AddById(40010, 1);
    choices.AddById(40011, 2);
    choices.Add("Dashed", 3);
    ASSERT_EQ(choices.GetSize(), 2);
    EXPECT_STREQ(choices.GetChoice(0)->text, "Solid");
    EXPECT_STREQ(choices.GetChoice(1)->text, "Dashed");
    EXPECT_EQ(choices.GetChoice(1)->value, 3u);
}

// Records what the broadcasts and the destructor do to it.
class Probe : public CHyperBaseOb {
public:
    Probe(std::vector<std::string>& log, const char* name) : m_log(log), m_name(name) { }
    ~Probe() override { m_log.push_back("deleted " + m_name); }
    void OnPropertyChanged(UINT id) override { m_log.push_back(m_name + " changed " + std::to_string(id)); }
    void UpdateLayout(int reason, BOOL flag) override
    {
        m_log.push_back(m_name + " layout " + std::to_string(reason) + std::to_string(flag));
    }
    void SaveAsDefault() override { m_log.push_back(m_name + " default"); }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

TEST(HyperObArray, BroadcastsFirstToLastAndSkipsHoles)
{
    std::vector<std::string> log;
    CHyperObArray objects;
    objects.Add(new Probe(log, "a"));
    objects.Add(nullptr);
    objects.Add(new Probe(log, "b"));

    EXPECT_EQ(objects.BroadcastPropertyChanged(27174), 3);
    EXPECT_EQ(objects.BroadcastUpdateLayout(), 3);
    EXPECT_EQ(objects.BroadcastSaveAsDefault(), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"a changed 27174", "b changed 27174", "a layout 20", "b layout 20",
                                             "a default", "b default"}));
}

TEST(HyperObArray, EmptyArrayBroadcastsNothing)
{
    CHyperObArray objects;
    EXPECT_EQ(objects.BroadcastPropertyChanged(1), 0);
    EXPECT_EQ(objects.BroadcastUpdateLayout(), 0);
    EXPECT_EQ(objects.BroadcastSaveAsDefault(), 0);
}

TEST(HyperObArray, OwningArrayDeletesItsObjects)
{
    std::vector<std::string> log;
    {
        CHyperObArray objects;
        objects.Add(new Probe(log, "a"));
        objects.Add(nullptr);
        objects.Add(new Probe(log, "b"));
        objects.DeleteAll();
        EXPECT_EQ(objects.GetSize(), 0);
        EXPECT_EQ(log, (std::vector<std::string>{"deleted a", "deleted b"}));
        objects.Add(new Probe(log, "c"));
    }
    EXPECT_EQ(log.back(), "deleted c");
}

TEST(HyperObArray, SelectionArrayOnlyRefersToObjects)
{
    std::vector<std::string> log;
    CHyperObArray page;
    page.Add(new Probe(log, "a"));
    {
        CHyperObArray selection(FALSE);
        selection.Add(page.GetAt(0));
        EXPECT_EQ(selection.BroadcastSaveAsDefault(), 1);
        selection.DeleteAll();
        EXPECT_EQ(selection.GetSize(), 0);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"a default"}));
    EXPECT_EQ(page.GetSize(), 1);
}

} // namespace
