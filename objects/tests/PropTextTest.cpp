// The texts of property editors are keys of the string table, or names stored from them; the
// user reads them through the language lookup.
#include "objects/HyperOb.h"
#include "objects/LayerFmt.h"
#include "objects/PropCombo.h"
#include "objects/PropOb.h"
#include "objects/ShellServices.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Marks every text that went through the lookup.
class MarkingShell : public CShellServices {
public:
    CString GetLanguageText(const CString& key) const override { return "T(" + key + ")"; }
};

class LayeredPage : public CTestPageView {
public:
    const CLayerFmt* GetLayerList() const override { return &layers; }
    CLayerFmt layers;
};

class PropertyTextLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(CLayerFmt::StandardNameId, "<Standard>");
        RegisterStringResource(CLayerFmt::NoticeNameId, "<Standard Noticelayer>");
        RegisterStringResource(kLayerName, "<Layer>");
        SetShellServices(&shell);
    }
    void TearDown() override { SetShellServices(nullptr); }

    static constexpr UINT kLayerName = 27455;
    MarkingShell shell;
};

TEST_F(PropertyTextLookup, TheLayerChoicesAndTheLayerNameAreLookedUp)
{
    LayeredPage page;
    page.layers.AddDefaultLayers();
    CHyperOb object;
    CRect rect(0, 0, 10, 10);
    object.Init(page, &rect, FALSE);
    object.LayerID = page.layers.GetLayerItem(0)->GetId();
    std::unique_ptr<CPropOb> layer(object.CreateProperty(kLayerName, TRUE));
    auto* combo = dynamic_cast<CPropCombo*>(layer.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(layer->GetName(), CString("T(<Layer>)"));
    ASSERT_EQ(combo->m_choices.GetSize(), 2);
    EXPECT_EQ(combo->m_choices.GetChoice(0)->text, CString("T(<Standard>)"));
    EXPECT_EQ(combo->m_choices.GetChoice(1)->text, CString("T(<Standard Noticelayer>)"));
    CString value;
    layer->GetValueText(value);
    EXPECT_EQ(value, CString("T(<Standard>)"));
}

TEST_F(PropertyTextLookup, CaptionsAndChoicesByIdAreLookedUpButOwnNamesAreNot)
{
    RegisterStringResource(26654, "<File...>");
    DWORD field = 0;
    CPropCombo editor(kLayerName, &field);
    editor.m_captionId = 26654;
    editor.AddChoiceById(CLayerFmt::StandardNameId, 0);
    EXPECT_EQ(editor.GetButtonCaption(), CString("T(<File...>)"));
    EXPECT_EQ(editor.m_choices.GetChoice(0)->text, CString("T(<Standard>)"));
    editor.m_nameText = "own";
    EXPECT_EQ(editor.GetName(), CString("own"));
}

} // namespace
