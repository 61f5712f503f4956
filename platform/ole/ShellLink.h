// Shell links: a link object made by class and saved to a file. On this desktop a link is
// a desktop entry (UTF-8 text), which starts the target program with its arguments or opens
// a document with its handler.
#pragma once

#include "platform/ole/OleTypes.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_ALL = 0x17;
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeResult(0x80040110);
constexpr HRESULT STG_E_CANTSAVE = MakeResult(0x80030103);

constexpr CLSID CLSID_ShellLink = {0x56A10003, 0x7E11, 0x4B0E, {0x9A, 0x31, 0, 0, 0, 0, 0, 0x01}};
constexpr IID IID_IShellLinkA = {0x56A10003, 0x7E11, 0x4B0E, {0x9A, 0x31, 0, 0, 0, 0, 0, 0x02}};
constexpr IID IID_IPersistFile = {0x56A10003, 0x7E11, 0x4B0E, {0x9A, 0x31, 0, 0, 0, 0, 0, 0x03}};

// Nothing needs starting here; the calls pair up as callers expect.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
// Only CLSID_ShellLink can be made; the object starts with one reference.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);

class IShellLinkA : public IUnknown {
public:
    virtual HRESULT SetPath(LPCSTR pszFile) = 0;
    virtual HRESULT SetArguments(LPCSTR pszArgs) = 0;
    virtual HRESULT SetWorkingDirectory(LPCSTR pszDir) = 0;
    virtual HRESULT SetIconLocation(LPCSTR pszIconPath, int iIcon) = 0;
    virtual HRESULT SetShowCmd(int iShowCmd) = 0;
    virtual HRESULT SetDescription(LPCSTR pszName) = 0;

protected:
    ~IShellLinkA() = default;
};

class IPersistFile : public IUnknown {
public:
    // Writes the link to the file, replacing it only when the whole entry is written.
    virtual HRESULT Save(LPCOLESTR pszFileName, BOOL fRemember) = 0;
    virtual HRESULT SaveCompleted(LPCOLESTR pszFileName) = 0;

protected:
    ~IPersistFile() = default;
};
