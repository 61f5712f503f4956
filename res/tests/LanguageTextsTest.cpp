// No text the program shows still reads as a language key: every dialog, menu and string
// resource, put through the shipped English language table as the windows are, shows words.
#include "res/ProgramResources.h"

#include "UiFixture.h"
#include "platform/core/String.h"
#include "platform/sys/parlex/Parlex.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/Resources.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

class LanguageTexts : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterProgramResources();
    }
    void SetUp() override { ASSERT_EQ(Parlex_Init(VANTREL_SHIPPED "/Language/Current.lng", nullptr), PARLEX_LOADED); }
    void TearDown() override { Parlex_Deinit(nullptr); }

    // What a window or a menu shows for the text, by the same lookup the screen uses.
    static std::string Shown(const std::string& text) { return Parlex_ShownText(text); }

    // "<" and a letter, closed by ">" on the same line: a key left in the text.
    static bool HoldsKey(const std::string& text)
    {
        for (size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
            const size_t close = text.find_first_of("<>\n", open + 1);
            if (open + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[open + 1])) &&
                close != std::string::npos && text[close] == '>')
                return true;
        }
        return false;
    }

    void Expect(const std::string& text, const std::string& where)
    {
        if (text.empty())
            return;
        ++checked;
        EXPECT_FALSE(HoldsKey(Shown(text))) << where << " shows \"" << Shown(text) << "\"";
    }

    void ExpectMenu(const std::vector<MenuTemplateItem>& items, const std::string& where)
    {
        for (const MenuTemplateItem& item : items) {
            Expect(item.text, where);
            ExpectMenu(item.children, where);
        }
    }

    int checked = 0;
};

TEST_F(LanguageTexts, NoDialogMenuOrStringShowsAKey)
{
    for (UINT id = 1; id < 0x10000; ++id) {
        const std::string where = std::to_string(id);
        if (const DialogTemplate* dialog = FindDialogResource(id)) {
            Expect(dialog->caption, "dialog " + where);
            for (const DialogItemTemplate& item : dialog->items)
                Expect(item.text, "dialog " + where + " item " + std::to_string(item.id));
        }
        if (const std::vector<MenuTemplateItem>* menu = FindMenuResource(id))
            ExpectMenu(*menu, "menu " + where);
        CString text;
        if (text.LoadString(id))
            Expect(text.GetString(), "string " + where);
    }
    EXPECT_GT(checked, 500) << "the program's resources were walked";
}

TEST_F(LanguageTexts, AKeyWithTextAroundItTakesTheTableEntry)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<Not in dictionary>:", "Not in dictionary:"}, {"<Change to>:", "Change to:"}, {"<Ignore>", "Ignore"},
        {"Plain words", "Plain words"}};
    for (const auto& [key, shown] : cases)
        EXPECT_EQ(Shown(key), shown) << key;
}

} // namespace
