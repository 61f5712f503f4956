#include "spell/WordList.h"

#include "spell/CharacterServices.h"
#include "spell/TextBuffer.h"

#include <iterator>

namespace {

int effectiveCapacity(int requested)
{
    return requested <= 0 ? 10 : requested;
}

} // namespace

CWordList::CWordList(int capacity)
    : m_capacity(effectiveCapacity(capacity))
{
}

void CWordList::Add(const char* word)
{
    if (word == nullptr)
        return;
    renewKeys();
    if (m_count >= m_capacity) {
        forget(std::prev(m_entries.end()));
        m_entries.pop_back();
        --m_count;
    }
    m_entries.push_front(Entry { word, CharacterServices::FoldCase(word), ++m_clock });
    m_byKey.emplace(m_entries.front().key, m_entries.begin());
    ++m_count;
}

bool CWordList::Find(const char* word, WordMatch match, char* buffer, int size)
{
    if (word == nullptr)
        return false;
    renewKeys();
    auto [first, last] = m_byKey.equal_range(CharacterServices::FoldCase(word));
    Position found = m_entries.end();
    for (auto it = first; it != last; ++it) {
        Position candidate = it->second;
        if ((match == WordMatch::NoCase || candidate->word == word)
            && (found == m_entries.end() || candidate->used > found->used))
            found = candidate;
    }
    if (found == m_entries.end())
        return false;
    found->used = ++m_clock;
    m_entries.splice(m_entries.begin(), m_entries, found);
    CopyToBuffer(buffer, size, found->word.c_str());
    return true;
}

// Keys follow the character tables in force; a newly opened dictionary may fold differently.
void CWordList::renewKeys()
{
    if (m_generation == CharacterServices::TablesGeneration())
        return;
    m_generation = CharacterServices::TablesGeneration();
    m_byKey.clear();
    for (Position it = m_entries.begin(); it != m_entries.end(); ++it) {
        it->key = CharacterServices::FoldCase(it->word.c_str());
        m_byKey.emplace(it->key, it);
    }
}

void CWordList::forget(Position position)
{
    auto [first, last] = m_byKey.equal_range(position->key);
    for (auto it = first; it != last; ++it) {
        if (it->second == position) {
            m_byKey.erase(it);
            return;
        }
    }
}

CChangeAllList::CChangeAllList(int capacity)
    : m_capacity(effectiveCapacity(capacity))
{
}

void CChangeAllList::Add(const char* word, const char* replacement)
{
    if (word == nullptr || replacement == nullptr)
        return;
    if (m_count >= m_capacity) {
        m_entries.pop_back();
        --m_count;
    }
    m_entries.push_front(Pair { word, replacement });
    ++m_count;
}

const char* CChangeAllList::Find(const char* word)
{
    if (word == nullptr)
        return nullptr;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->word != word)
            continue;
        m_entries.splice(m_entries.begin(), m_entries, it);
        return m_entries.front().replacement.c_str();
    }
    return nullptr;
}
