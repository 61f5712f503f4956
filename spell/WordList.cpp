#include "spell/WordList.h"

#include "spell/CharacterServices.h"
#include "spell/TextBuffer.h"

#include <algorithm>
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
    size_t buckets = 1;
    while (buckets < static_cast<size_t>(m_capacity) * 2)
        buckets *= 2;
    m_buckets.assign(buckets, -1);
    m_slots.resize(static_cast<size_t>(m_capacity));
    for (int slot = m_capacity - 1; slot >= 0; --slot)
        m_free.push_back(slot);
    m_generation = CharacterServices::TablesGeneration();
}

void CWordList::Add(const char* word)
{
    if (word == nullptr)
        return;
    renewHashes();
    if (m_count >= m_capacity) {
        int oldest = m_oldest;
        unchain(oldest);
        unlink(oldest);
        m_free.push_back(oldest);
        --m_count;
    }
    int slot = m_free.back();
    // A word that cannot be allocated is simply not remembered.
    try {
        m_slots[static_cast<size_t>(slot)].word.assign(word);
    } catch (const std::bad_alloc&) {
        return;
    }
    m_free.pop_back();
    Slot& entry = m_slots[static_cast<size_t>(slot)];
    entry.hash = CharacterServices::FoldedHash(CharacterServices::NoCaseOrder(), word);
    entry.chain = bucket(entry.hash);
    bucket(entry.hash) = slot;
    link(slot);
    ++m_count;
}

bool CWordList::Find(const char* word, WordMatch match, char* buffer, int size)
{
    if (word == nullptr || m_count == 0)
        return false;
    renewHashes();
    const BYTE* order = CharacterServices::NoCaseOrder();
    uint64_t hash = CharacterServices::FoldedHash(order, word);
    int found = -1;
    for (int slot = bucket(hash); slot >= 0; slot = m_slots[static_cast<size_t>(slot)].chain) {
        const Slot& entry = m_slots[static_cast<size_t>(slot)];
        if (entry.hash != hash || CharacterServices::CompareWords(order, entry.word.c_str(), word) != 0
            || (match == WordMatch::Exact && entry.word != word))
            continue;
        if (found < 0 || isNewer(slot, found))
            found = slot;
    }
    if (found < 0)
        return false;
    toFront(found);
    CopyToBuffer(buffer, size, m_slots[static_cast<size_t>(found)].word.c_str());
    return true;
}

// Hashes follow the character tables in force; a newly opened dictionary may fold differently.
void CWordList::renewHashes()
{
    unsigned generation = CharacterServices::TablesGeneration();
    if (m_generation == generation)
        return;
    const BYTE* order = CharacterServices::NoCaseOrder();
    std::fill(m_buckets.begin(), m_buckets.end(), -1);
    for (int slot = m_oldest; slot >= 0; slot = m_slots[static_cast<size_t>(slot)].newer) {
        Slot& entry = m_slots[static_cast<size_t>(slot)];
        entry.hash = CharacterServices::FoldedHash(order, entry.word.c_str());
        entry.chain = bucket(entry.hash);
        bucket(entry.hash) = slot;
    }
    m_generation = generation;
}

// Whether slot a was used more recently than slot b.
bool CWordList::isNewer(int a, int b) const
{
    for (int slot = m_newest; slot >= 0; slot = m_slots[static_cast<size_t>(slot)].older) {
        if (slot == a)
            return true;
        if (slot == b)
            return false;
    }
    return false;
}

void CWordList::link(int slot)
{
    Slot& entry = m_slots[static_cast<size_t>(slot)];
    entry.newer = -1;
    entry.older = m_newest;
    if (m_newest >= 0)
        m_slots[static_cast<size_t>(m_newest)].newer = slot;
    m_newest = slot;
    if (m_oldest < 0)
        m_oldest = slot;
}

void CWordList::unlink(int slot)
{
    Slot& entry = m_slots[static_cast<size_t>(slot)];
    (entry.newer >= 0 ? m_slots[static_cast<size_t>(entry.newer)].older : m_newest) = entry.older;
    (entry.older >= 0 ? m_slots[static_cast<size_t>(entry.older)].newer : m_oldest) = entry.newer;
}

void CWordList::unchain(int slot)
{
    int* link = &bucket(m_slots[static_cast<size_t>(slot)].hash);
    while (*link != slot)
        link = &m_slots[static_cast<size_t>(*link)].chain;
    *link = m_slots[static_cast<size_t>(slot)].chain;
}

void CWordList::toFront(int slot)
{
    if (slot == m_newest)
        return;
    unlink(slot);
    link(slot);
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
