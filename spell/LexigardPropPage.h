// The library's property page "General": the three options as check boxes bound to the
// automation properties "AlwaysSuggest", "IgnoreWordsInUppercase" and "IgnoreWordsWithNumbers"
// of the objects that host it. The library exports no class-object entry: a host makes the page
// through the class factory below, by its ProgID.
#pragma once

#include "platform/ole/OleTypes.h"
#include "platform/ui/PropertySheet.h"

#include <memory>
#include <vector>

class TLexigardPropPage : public CPropertyPage {
public:
    static constexpr const char* ProgId = "Nerith.SPELL.LexigardPropPage.1";

    TLexigardPropPage();
    ~TLexigardPropPage() override;

    // The objects the page edits; each is held with a reference until the next call or the end.
    void SetObjects(const std::vector<IDispatch*>& objects);
    // Shows the first object's values.
    BOOL OnSetActive() override;
    // Sets the boxes' values on every object; FALSE when one of them refuses.
    BOOL OnKillActive() override;

private:
    void ReleaseObjects();

    std::vector<IDispatch*> m_objects;
};

// The page's class factory: a new page for its ProgID, nothing for another.
std::unique_ptr<CPropertyPage> CreatePropertyPage(const char* progId);
