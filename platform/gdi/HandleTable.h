// Private to platform/gdi: objects behind opaque handles, owned by a table that lives to the
// end of the process, so a stale or foreign handle is simply not found.
#pragma once

#include "platform/gdi/HandleMap.h"

#include <memory>
#include <mutex>

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
        return m_items.Find(h);
    }
    Handle Add(std::unique_ptr<T> item)
    {
        std::lock_guard g(m_lock);
        return m_items.Add(std::move(item));
    }
    // Hands the object back to the caller; null when the handle is unknown.
    std::unique_ptr<T> Take(Handle h)
    {
        std::lock_guard g(m_lock);
        return m_items.Take(h);
    }

private:
    std::mutex m_lock;
    HandleMap<Handle, T> m_items;
};

}  // namespace gdi
