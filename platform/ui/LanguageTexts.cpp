#include "platform/ui/LanguageTexts.h"

#include "platform/core/String.h"
#include "platform/core/StringTable.h"
#include "platform/sys/parlex/Parlex.h"
#include "platform/ui/UiApi.h"

#include <string>

namespace {

void Translate(HWND window)
{
    std::string key(static_cast<size_t>(GetWindowTextLength(window)) + 1, '\0');
    key.resize(static_cast<size_t>(GetWindowText(window, key.data(), static_cast<int>(key.size()))));
    if (key.empty())
        return;
    const std::string text = Parlex_ShownText(key);
    if (text != key)
        SetWindowText(window, text.c_str());
}

void TranslateTree(HWND window)
{
    Translate(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        TranslateTree(child);
}

} // namespace

std::string Parlex_ShownText(const std::string& key)
{
    if (key.empty())
        return key;
    std::string text(key.size() * 2 + 1, '\0');
    int length = Parlex_GetText(text.data(), static_cast<int>(text.size()), key.c_str(), 0, 0);
    if (length >= static_cast<int>(text.size())) {
        text.assign(static_cast<size_t>(length) + 1, '\0');
        length = Parlex_GetText(text.data(), static_cast<int>(text.size()), key.c_str(), 0, 0);
    }
    if (length <= 0)
        return key;
    text.resize(static_cast<size_t>(length));
    return text;
}

BOOL Parlex_SetAllTexts(HWND window)
{
    if (window == nullptr || !IsWindow(window))
        return FALSE;
    TranslateTree(window);
    return TRUE;
}

BOOL LoadLanguageString(UINT id, CString& text)
{
    if (!LookupStringResource(id, text))
        return FALSE;
    text = Parlex_ShownText(static_cast<LPCTSTR>(text)).c_str();
    return TRUE;
}
