// Private to platform/gdi: owned objects found by their handle, which is the object's address.
// Every drawing call looks its handles up, so the slots are one flat array probed in a line:
// a look-up reads one or two cache lines and never follows a chain of nodes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

template <typename Handle, typename T>
class HandleMap {
public:
    HandleMap() = default;
    ~HandleMap()
    {
        for (T* item : m_slots)
            delete item;
    }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    static Handle HandleOf(const T* item) { return reinterpret_cast<Handle>(const_cast<T*>(item)); }

    T* Find(Handle h) const
    {
        if (!h || m_count == 0)
            return nullptr;
        for (size_t i = Home(h);; i = Next(i)) {
            T* item = m_slots[i];
            if (!item || HandleOf(item) == h)
                return item;
        }
    }

    // Takes the item in; one already there under the same handle cannot be, as it owns the address.
    Handle Add(std::unique_ptr<T> item)
    {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            Grow();
        const Handle h = HandleOf(item.get());
        size_t i = Home(h);
        while (m_slots[i])
            i = Next(i);
        m_slots[i] = item.release();
        ++m_count;
        return h;
    }

    // Hands the item back to the caller; null when the handle is unknown.
    std::unique_ptr<T> Take(Handle h)
    {
        if (!h || m_count == 0)
            return nullptr;
        size_t i = Home(h);
        while (m_slots[i] && HandleOf(m_slots[i]) != h)
            i = Next(i);
        if (!m_slots[i])
            return nullptr;
        std::unique_ptr<T> item(m_slots[i]);
        m_slots[i] = nullptr;
        --m_count;
        CloseGap(i);
        return item;
    }

    size_t Size() const { return m_count; }

private:
    size_t Home(Handle h) const
    {
        // Objects are at least 16 bytes apart: the low bits say nothing, the product mixes the rest.
        const uint64_t key = uint64_t(reinterpret_cast<uintptr_t>(h)) >> 4;
        return size_t((key * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    size_t Next(size_t i) const { return (i + 1) & (m_slots.size() - 1); }

    // Moves later items of the probe line back into the emptied slot, so no look-up stops short.
    void CloseGap(size_t gap)
    {
        for (size_t i = Next(gap); m_slots[i]; i = Next(i)) {
            const size_t home = Home(HandleOf(m_slots[i]));
            const bool reachesGap = ((i - home) & (m_slots.size() - 1)) >= ((i - gap) & (m_slots.size() - 1));
            if (reachesGap) {
                m_slots[gap] = m_slots[i];
                m_slots[i] = nullptr;
                gap = i;
            }
        }
    }

    void Grow()
    {
        std::vector<T*> old(m_slots.empty() ? 64 : m_slots.size() * 2, nullptr);
        old.swap(m_slots);
        m_shift = 64 - std::countr_zero(m_slots.size());
        for (T* item : old) {
            if (!item)
                continue;
            size_t i = Home(HandleOf(item));
            while (m_slots[i])
                i = Next(i);
            m_slots[i] = item;
        }
    }

    std::vector<T*> m_slots;
    size_t m_count = 0;
    int m_shift = 64;
};

}  // namespace gdi
