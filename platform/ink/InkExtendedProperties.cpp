#include "platform/ink/InkExtendedProperties.h"

bool InkExtendedProperties::Add(const std::string& guid, InkPropertyValue value)
{
    auto key = ParseInkGuid(guid);
    if (!key)
        return false;
    m_values[*key] = std::move(value);
    return true;
}

const InkPropertyValue* InkExtendedProperties::Item(const std::string& guid) const
{
    auto key = ParseInkGuid(guid);
    auto it = key ? m_values.find(*key) : m_values.end();
    return it == m_values.end() ? nullptr : &it->second;
}

bool InkExtendedProperties::Remove(const std::string& guid)
{
    auto key = ParseInkGuid(guid);
    return key && m_values.erase(*key) > 0;
}
