#include "spell/WordList.h"

#include "spell/TextBuffer.h"

namespace {

int effectiveCapacity(int requested) { return requested <= 0 ? 10 : requested; }

template <typename Entries>
void makeRoom(Entries& entries, int& count, int capacity)
{
    if (count >= capacity) {
        entries.pop_back();
        --count;
    }
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
    makeRoom(m_entries, m_count, m_capacity);
    m_entries.emplace_front(word);
    ++m_count;
}

bool CWordList::Find(const char* word, WordComparator compare, char* buffer, int size)
{
    if (word == nullptr)
        return false;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (compare(it->c_str(), word) != 0)
            continue;
        m_entries.splice(m_entries.begin(), m_entries, it);
        CopyToBuffer(buffer, size, m_entries.front().c_str());
        return true;
    }
    return false;
}

CChangeAllList::CChangeAllList(int capacity)
    : m_capacity(effectiveCapacity(capacity))
{
}

void CChangeAllList::Add(const char* word, const char* replacement)
{
    if (word == nullptr || replacement == nullptr)
        return;
    makeRoom(m_entries, m_count, m_capacity);
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
