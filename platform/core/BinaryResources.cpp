#include "platform/core/BinaryResources.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

namespace {

std::map<std::pair<ResourceKind, UINT>, std::vector<BYTE>>& binaries()
{
    static std::map<std::pair<ResourceKind, UINT>, std::vector<BYTE>> entries;
    return entries;
}

std::map<std::pair<ResourceKind, std::string>, std::vector<BYTE>>& namedBinaries()
{
    static std::map<std::pair<ResourceKind, std::string>, std::vector<BYTE>> entries;
    return entries;
}

std::string upper(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name;
}

} // namespace

void RegisterBinaryResource(ResourceKind kind, UINT id, std::vector<BYTE> bytes)
{
    binaries()[{kind, id}] = std::move(bytes);
}

const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, UINT id)
{
    auto it = binaries().find({kind, id});
    return it == binaries().end() ? nullptr : &it->second;
}

void RegisterBinaryResource(ResourceKind kind, const std::string& name, std::vector<BYTE> bytes)
{
    namedBinaries()[{kind, upper(name)}] = std::move(bytes);
}

const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, const std::string& name)
{
    auto it = namedBinaries().find({kind, upper(name)});
    return it == namedBinaries().end() ? nullptr : &it->second;
}
