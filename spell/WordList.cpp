#include "spell/WordList.h"

#include "spell/CharacterServices.h"
#include "spell/TextBuffer.h"

#include <iterator>
#include <new>

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
    // A word that cannot be allocated is simply not remembered.
    try {
        renewKeys();
        Entry entry { word, CharacterServices::FoldCase(word), m_clock + 1 };
        if (m_count >= m_capacity) {
            forget(std::prev(m_entries.end()));
            m_entries.pop_back();
            --m_count;
        }
        m_entries.push_front(std::move(entry));
        try {
            m_byKey.emplace(m_entries.front().key, m_entries.begin());
        } catch (const std::bad_alloc&) {
            m_entries.pop_front();
            throw;
        }
        ++m_clock;
        ++m_count;
    } catch (const std::bad_alloc&) {
    }
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
    m_byKey.clear();
    for (Position it = m_entries.begin(); it != m_entries.end(); ++it) {
        it->key = CharacterServices::FoldCase(it->word.c_str());
        m_byKey.emplace(it->key, it);
    }
    m_generation = CharacterServices::TablesGeneration();
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
    try {
        Pair pair { word, replacement };
        if (m_count >= m_capacity) {
            m_entries.pop_back();
            --m_count;
        }
        m_entries.push_front(std::move(pair));
        ++m_count;
    } catch (const std::bad_alloc&) {
    }
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
