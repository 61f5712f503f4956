#include "platform/sys/Profile.h"

#include "platform/sys/XdgFolders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <utility>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

bool NeedsEscape(char ch, bool name)
{
    BYTE b = static_cast<BYTE>(ch);
    return b < 0x20 || b == 0x7F || ch == '%' || (name && (ch == '=' || ch == '[' || ch == ']'));
}

// Blanks at either end of a value are escaped too, since the reader trims them.
std::string Escape(LPCTSTR text, bool name)
{
    std::string_view in = text ? text : "";
    std::string out;
    for (size_t i = 0; i < in.size(); ++i) {
        char ch = in[i];
        bool edgeBlank = (ch == ' ' || ch == '\t') && (i == 0 || i + 1 == in.size());
        if (NeedsEscape(ch, name) || edgeBlank) {
            out += '%';
            out += kHex[static_cast<BYTE>(ch) >> 4];
            out += kHex[static_cast<BYTE>(ch) & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

CString Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0 && static_cast<char>(high * 16 + low) != '\0') {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return CString(out.c_str());
}

std::string SafeFileName(LPCTSTR name)
{
    std::string utf8 = ToUtf8(CString(name));
    for (char& ch : utf8)
        if (ch == '/' || ch == '\0')
            ch = '_';
    return utf8.empty() || utf8 == "." || utf8 == ".." ? std::string("_") : utf8;
}

void MakeFolderFor(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

} // namespace

std::string CProfile::PathFor(LPCTSTR maker, LPCTSTR product)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.config";
    }
    return base + "/" + SafeFileName(maker) + "/" + SafeFileName(product) + ".ini";
}

std::string CProfile::DataFolderFor(LPCTSTR maker, LPCTSTR product)
{
    const std::string sub = SafeFileName(maker) + "/" + SafeFileName(product);
    return XdgBaseFolder("XDG_DATA_HOME", ".local/share", sub.c_str());
}

CProfile::CProfile(std::string path) : m_path(std::move(path)) { }

CProfile::~CProfile() { Flush(); }

void CProfile::LoadOnce()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_readable = m_file.Load(m_path) != CIniFile::LoadResult::failed;
}

BOOL CProfile::IsWritable()
{
    std::lock_guard guard(m_lock);
    LoadOnce();
    return m_readable;
}

BOOL CProfile::IsDamaged()
{
    std::lock_guard guard(m_lock);
    LoadOnce();
    return m_readable && m_file.SkippedLines() > 0;
}

void CProfile::HoldWrites(BOOL hold)
{
    std::lock_guard guard(m_lock);
    m_held = hold != FALSE;
}

BOOL CProfile::IsHeld()
{
    std::lock_guard guard(m_lock);
    return m_held;
}

bool CProfile::FindValue(LPCTSTR section, LPCTSTR entry, CString& value)
{
    std::lock_guard guard(m_lock);
    LoadOnce();
    const std::string* stored = m_file.Find(Escape(section, true), Escape(entry, true));
    if (stored != nullptr)
        value = Unescape(*stored);
    return stored != nullptr;
}

UINT CProfile::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    CString text;
    if (!FindValue(section, entry, text))
        return static_cast<UINT>(defaultValue);
    const char* start = text.GetString();
    char* end = nullptr;
    long long value = std::strtoll(start, &end, 10);
    if (end == start || value < INT32_MIN || value > UINT32_MAX)
        return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(value);
}

CString CProfile::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue)
{
    CString value;
    return FindValue(section, entry, value) ? value : CString(defaultValue);
}

BOOL CProfile::GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes)
{
    if (data == nullptr || bytes == nullptr)
        return FALSE;
    *data = nullptr;
    *bytes = 0;
    CString text;
    if (!FindValue(section, entry, text) || text.GetLength() % 2 != 0)
        return FALSE;
    const std::string& hex = text.Bytes();
    std::string decoded;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = HexDigit(hex[i]);
        int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return FALSE;
        decoded += static_cast<char>(high * 16 + low);
    }
    if (!decoded.empty()) {
        *data = new BYTE[decoded.size()];
        std::memcpy(*data, decoded.data(), decoded.size());
    }
    *bytes = static_cast<UINT>(decoded.size());
    return TRUE;
}

BOOL CProfile::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteProfileString(section, entry, text);
}

BOOL CProfile::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
    if (section == nullptr)
        return FALSE;
    std::lock_guard guard(m_lock);
    LoadOnce();
    if (!m_readable || m_held)
        return FALSE;
    std::string name = Escape(section, true);
    if (entry == nullptr)
        m_file.RemoveSection(name);
    else if (value == nullptr)
        m_file.RemoveKey(name, Escape(entry, true));
    else
        m_file.Set(name, Escape(entry, true), Escape(value, false));
    m_dirty = true;
    return m_batchDepth > 0 || Commit();
}

BOOL CProfile::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes)
{
    if (data == nullptr && bytes != 0)
        return FALSE;
    std::string hex;
    for (UINT i = 0; i < bytes; ++i) {
        hex += kHex[data[i] >> 4];
        hex += kHex[data[i] & 15];
    }
    return WriteProfileString(section, entry, hex.c_str());
}

BOOL CProfile::Flush()
{
    std::lock_guard guard(m_lock);
    return Commit();
}

BOOL CProfile::Commit()
{
    if (!m_dirty)
        return TRUE;
    MakeFolderFor(m_path);
    if (!m_file.Save(m_path))
        return FALSE;
    m_dirty = false;
    return TRUE;
}

CProfileBatch::CProfileBatch(CProfile& profile) : m_profile(profile)
{
    std::lock_guard guard(m_profile.m_lock);
    ++m_profile.m_batchDepth;
}

CProfileBatch::~CProfileBatch()
{
    std::lock_guard guard(m_profile.m_lock);
    if (--m_profile.m_batchDepth == 0)
        m_profile.Commit();
}
