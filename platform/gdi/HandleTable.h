// Private to platform/gdi: objects behind opaque handles, owned by a table that lives to the
// end of the process, so a stale or foreign handle is simply not found.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

namespace gdi {

template <typename Handle, typename T>
class HandleTable {
public:
    static HandleTable& Instance()
    {
        static HandleTable* table = new HandleTable;  // never destroyed: handles may outlive statics
        return *table;
    }
    T* Find(Handle h)
    {
        std::lock_guard g(m_lock);
        auto it = m_items.find(h);
        return it == m_items.end() ? nullptr : it->second.get();
    }
    Handle Add(std::unique_ptr<T> item)
    {
        Handle h = reinterpret_cast<Handle>(item.get());
        std::lock_guard g(m_lock);
        m_items[h] = std::move(item);
        return h;
    }
    // Hands the object back to the caller; null when the handle is unknown.
    std::unique_ptr<T> Take(Handle h)
    {
        std::lock_guard g(m_lock);
        auto it = m_items.find(h);
        if (it == m_items.end())
            return nullptr;
        std::unique_ptr<T> item = std::move(it->second);
        m_items.erase(it);
        return item;
    }

private:
    std::mutex m_lock;
    std::unordered_map<Handle, std::unique_ptr<T>> m_items;
};

}  // namespace gdi
