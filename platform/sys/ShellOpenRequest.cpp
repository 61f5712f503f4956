#include "platform/sys/ShellOpenRequest.h"

#include <algorithm>

namespace {

constexpr char kMagic[4] = { 'V', 'O', 'P', 'N' };

bool IsSendablePath(const std::string& path)
{
    return !path.empty() && path.size() <= kMaxShellOpenPath && path.front() == '/'
        && path.find('\0') == std::string::npos;
}

void PutNumber(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t NumberAt(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// The header's checks, on as many of its bytes as have come.
ShellOpenStatus ReadHeader(const std::vector<uint8_t>& bytes, uint32_t& count)
{
    if (!std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(bytes.size(), 4)), kMagic))
        return ShellOpenStatus::invalid;
    if (bytes.size() < 8)
        return ShellOpenStatus::incomplete;
    count = NumberAt(bytes, 4);
    return count == 0 || count > kMaxShellOpenFiles ? ShellOpenStatus::invalid : ShellOpenStatus::complete;
}

} // namespace

std::vector<uint8_t> EncodeShellOpenRequest(const std::vector<std::string>& files)
{
    if (files.empty() || files.size() > kMaxShellOpenFiles || !std::all_of(files.begin(), files.end(), IsSendablePath))
        return {};
    std::vector<uint8_t> bytes(kMagic, kMagic + 4);
    PutNumber(bytes, static_cast<uint32_t>(files.size()));
    for (const std::string& file : files) {
        PutNumber(bytes, static_cast<uint32_t>(file.size()));
        bytes.insert(bytes.end(), file.begin(), file.end());
    }
    return bytes;
}

ShellOpenStatus DecodeShellOpenRequest(const std::vector<uint8_t>& bytes, std::vector<std::string>& files)
{
    files.clear();
    if (bytes.size() > kMaxShellOpenRequest)
        return ShellOpenStatus::invalid;
    uint32_t count = 0;
    if (ShellOpenStatus header = ReadHeader(bytes, count); header != ShellOpenStatus::complete)
        return header;
    std::vector<std::string> read;
    size_t at = 8;
    for (uint32_t i = 0; i < count; ++i) {
        if (bytes.size() - at < 4)
            return ShellOpenStatus::incomplete;
        const uint32_t length = NumberAt(bytes, at);
        at += 4;
        if (length == 0 || length > kMaxShellOpenPath)
            return ShellOpenStatus::invalid;
        const size_t available = std::min<size_t>(bytes.size() - at, length);
        std::string path(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + available));
        if ((!path.empty() && path.front() != '/') || path.find('\0') != std::string::npos)
            return ShellOpenStatus::invalid;
        if (available < length)
            return ShellOpenStatus::incomplete;
        read.push_back(std::move(path));
        at += length;
    }
    if (at != bytes.size())
        return ShellOpenStatus::invalid;
    files = std::move(read);
    return ShellOpenStatus::complete;
}
