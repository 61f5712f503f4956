// The user profile: the settings store behind the application's GetProfile... and
// WriteProfile... calls. One INI-style file per maker and product, read once, written
// through atomically after every change (or once at the end of a CProfileBatch).
// Control bytes, '%' and, in names, '=', '[' and ']' are stored as %XX so that any
// Windows-1252 text survives; binary values are stored as hexadecimal.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"
#include "platform/sys/IniFile.h"

#include <mutex>
#include <string>

class CProfile {
public:
    // $XDG_CONFIG_HOME (or ~/.config) + "/<maker>/<product>.ini" as a native path.
    static std::string PathFor(LPCTSTR maker, LPCTSTR product);
    // The maker's and product's folder of the user's data ($XDG_DATA_HOME, else
    // ~/.local/share), named as the settings file is.
    static std::string DataFolderFor(LPCTSTR maker, LPCTSTR product);

    explicit CProfile(std::string path);
    // Tries once more to write changes that an earlier save could not.
    ~CProfile();
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    const std::string& GetPath() const { return m_path; }
    // FALSE when the existing file could not be read; writes then fail so it is never lost.
    BOOL IsWritable();
    // The file was read, but some of its lines could not be understood (they are dropped when
    // the file is written again).
    BOOL IsDamaged();
    // While held, writes are refused (FALSE) and the file stays as it is.
    void HoldWrites(BOOL hold);
    BOOL IsHeld();

    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    // On success *data is a new[] array the caller deletes[] (NULL for an empty value).
    BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes);

    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    // A NULL entry removes the section, a NULL value removes the entry.
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes);

    // Writes pending changes now; TRUE when nothing is pending afterwards.
    BOOL Flush();

private:
    friend class CProfileBatch;
    void LoadOnce();
    bool FindValue(LPCTSTR section, LPCTSTR entry, CString& value);
    BOOL Commit();

    std::mutex m_lock;
    std::string m_path;
    CIniFile m_file;
    bool m_loaded = false;
    bool m_readable = true;
    bool m_dirty = false;
    bool m_held = false;
    int m_batchDepth = 0;
};

// Defers the profile's writes until the outermost batch ends (saving many values at once).
class CProfileBatch {
public:
    explicit CProfileBatch(CProfile& profile);
    ~CProfileBatch();
    CProfileBatch(const CProfileBatch&) = delete;
    CProfileBatch& operator=(const CProfileBatch&) = delete;

private:
    CProfile& m_profile;
};
