// Extra data on a stroke or an ink object, keyed by GUID. Values are 32-bit integers, texts
// or byte blocks. Keys are given in their braced text form, in any letter case.
#pragma once

#include "platform/ink/InkTypes.h"

#include <map>
#include <string>
#include <variant>
#include <vector>

using InkPropertyValue = std::variant<int32_t, std::string, std::vector<BYTE>>;

class InkExtendedProperties {
public:
    // False when the key is not a GUID; an existing value is replaced.
    bool Add(const std::string& guid, InkPropertyValue value);
    const InkPropertyValue* Item(const std::string& guid) const;
    bool DoesPropertyExist(const std::string& guid) const { return Item(guid) != nullptr; }
    bool Remove(const std::string& guid);
    void Clear() { m_values.clear(); }
    size_t Count() const { return m_values.size(); }

    const std::map<InkGuid, InkPropertyValue>& Values() const { return m_values; }
    void Set(const InkGuid& key, InkPropertyValue value) { m_values[key] = std::move(value); }
    bool operator==(const InkExtendedProperties&) const = default;

private:
    std::map<InkGuid, InkPropertyValue> m_values;
};
