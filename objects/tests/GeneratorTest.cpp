#include "objects/DropHelpContextProp.h"
#include "objects/GenFrameOb.h"
#include "objects/GenViewOb.h"
#include "objects/PropNumber.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

TEST(Generators, TheHelpContextEditorIsDropped)
{
    int field = 0;
    EXPECT_EQ(DropHelpContextProp(HelpContextPropId, new CPropInt(HelpContextPropId, &field, 0, 9)), nullptr);
    std::unique_ptr<CPropOb> kept(new CPropInt(27174, &field, 0, 9));
    EXPECT_EQ(DropHelpContextProp(27174, kept.get()), kept.get());
}

TEST(Generators, AGeneratedPageHasALargerExtentAndFewerEditors)
{
    CTestPageView view;
    CGenViewOb page;
    page.SetView(view);
    EXPECT_EQ(page.GetScrollWidth(), 1000);
    EXPECT_EQ(page.GetScrollHeight(), 1000);
    CPropObArray list;
    page.CollectProperties(list, FALSE);
    EXPECT_EQ(PropertyNameIds(list),
        (std::vector<UINT> { 26685, 27283, 27284, 27152, 27158, 27380, 27454, 27433, 27466, 27468, 27470 }));
    page.SetView(nullptr);
}

TEST(Generators, AStoredGeneratorIsLoadedAsItsGenerator)
{
    CGenViewOb page;
    page.SetScrollWidth(321);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar.WriteObject(&page); });
    CObject* loaded = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) { loaded = ar.ReadObject(nullptr); });
    std::unique_ptr<CObject> owner(loaded);
    auto* generated = dynamic_cast<CGenViewOb*>(loaded);
    ASSERT_NE(generated, nullptr);
    EXPECT_EQ(generated->GetScrollWidth(), 321);
}

TEST(Generators, NewDocumentsAreNumberedForTheWholeRun)
{
    RegisterStringResource(26633, "Form");
    CGenFrameOb first;
    first.NumberNewDocument();
    int n = 0;
    ASSERT_EQ(std::sscanf(first.Title, "Document %d", &n), 1);
    {
        CGenFrameOb second;
        second.NumberNewDocument();
        EXPECT_EQ(second.Title, CString("Document ") + std::to_string(n + 1).c_str());
    }
    // A closed document, a clone and a loaded frame leave the count alone.
    std::unique_ptr<CHyperFrameOb> clone(first.Clone());
    EXPECT_EQ(clone->Title, first.Title);
    Bytes bytes = Stored(first);
    CGenFrameOb loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    CGenFrameOb third;
    EXPECT_EQ(third.Title, CString("Form"));
    third.NumberNewDocument();
    EXPECT_EQ(third.Title, CString("Document ") + std::to_string(n + 2).c_str());
}

TEST(Generators, AGeneratedFrameOffersOnlyItsTitle)
{
    CGenFrameOb frame;
    CPropObArray list;
    frame.CollectProperties(list, FALSE);
    EXPECT_EQ(PropertyNameIds(list), (std::vector<UINT> { 27144 }));
}

} // namespace
