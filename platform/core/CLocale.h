// Numbers and dates are formatted and parsed in the C locale, whatever locale the process
// (or Qt) has switched to.
#pragma once

#include <locale.h>

locale_t TheCLocale();

// Puts the calling thread into the C locale for the scope's lifetime.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(TheCLocale())) { }
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};
