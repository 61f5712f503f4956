#include "spell/CheckerState.h"

#include "spell/LibraryMessage.h"
#include "spell/SuggestionGenerator.h"

#include <cstring>
#include <new>

bool CCheckerState::RequireSession() const
{
    if (session)
        return true;
    ShowLibraryMessage("You must open dictionary first!");
    return false;
}

bool CCheckerState::OpenSession()
{
    session.reset();
    ClearSuggestions();
    try {
        session = std::make_unique<CSpellSession>(
            mainFileName.c_str(), nullptr, customFileName.empty() ? nullptr : customFileName.c_str());
    } catch (const std::bad_alloc&) {
        mainFileName.clear();
        customFileName.clear();
        return false;
    }
    return session->IsOpen();
}

void CCheckerState::CloseSession()
{
    session.reset();
    ClearSuggestions();
}

// Suggestions belong to the dictionary they were computed from.
void CCheckerState::ClearSuggestions()
{
    haveSuggestions = false;
    suggestedWord.clear();
    std::memset(suggestions, 0, sizeof suggestions);
    suggestionCount = 0;
}

const char* CCheckerState::GetSuggestion(const char* word, int index)
{
    if (!haveSuggestions || suggestedWord != word) {
        suggestedWord = word;
        haveSuggestions = true;
        suggestionCount = CSuggestionGenerator(*session).Suggest(word, suggestions, sizeof suggestions);
    }
    if (index < 0 || index >= suggestionCount)
        return nullptr;
    const char* entry = suggestions;
    for (int i = 0; i < index; ++i)
        entry += std::strlen(entry) + 1;
    return entry;
}

CheckerOptions& GetCheckerOptions()
{
    static CheckerOptions options;
    return options;
}
