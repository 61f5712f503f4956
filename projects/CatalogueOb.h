// One catalogue entry: every clipboard representation it was made from, byte for byte, with
// a name and an icon, and the file offsets of its stored parts.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ole/Clipboard.h"

#include <array>
#include <vector>

class CBitmap;
class CDC;
class CDib;
class CFile;
class COleDataSource;

// The registered number of the "Catalogue Object" clipboard format.
UINT CatalogueObjectFormat();

class CCatalogueOb : public CObject {
    DECLARE_SERIAL(CCatalogueOb)
public:
    static constexpr LPCTSTR PropertyFormatName = "Catalogue Property Object";
    enum Part { NamePart, ImagePart, MaskPart, DataPart, PartCount };

    CCatalogueOb() = default;
    ~CCatalogueOb() override;
    CCatalogueOb(const CCatalogueOb&) = delete;
    CCatalogueOb& operator=(const CCatalogueOb&) = delete;

    // The whole entry in one stream: the clipboard form and the entry form of old files.
    void Serialize(CArchive& ar) override;
    // Appends the parts not yet in the file and a new directory record; returns its offset.
    DWORD WriteRecord(CFile* file);
    // Reads the directory record at the file's position and the parts it names.
    void ReadRecord(CFile* file);
    // FALSE when the record at the offset, or a part it names, lies outside the file: reading
    // it would fail, and a damaged file has many such records.
    static BOOL RecordInFile(CFile* file, DWORD offset);

    BOOL HasUnsavedParts() const;
    void ClearPartOffsets() { m_partOffsets.fill(0); }
    DWORD GetPartOffset(Part part) const { return m_partOffsets[part]; }

    const CString& GetName() const { return m_name; }
    void SetName(LPCTSTR name);
    BOOL IsPropertyObject() const { return FindFormat(PropertyFormatName) >= 0; }

    // Clipboard representations.
    int GetFormatCount() const { return m_formatIds.GetSize(); }
    DWORD GetFormatId(int i) const { return m_formatIds[i]; }
    const CString& GetFormatName(int i) const { return m_formatNames[i]; }
    const std::vector<BYTE>& GetData(int i) const { return m_data[static_cast<size_t>(i)]; }
    void AddClipboardData(UINT format, HGLOBAL data, int ignored = 0);
    int AddNamedData(LPCTSTR name, const void* bytes, DWORD size);
    int FindFormat(LPCTSTR name) const;
    int RemoveFormat(LPCTSTR name);
    void PutFormat(COleDataSource* source, int i) const;
    void PutAllFormats(COleDataSource* source) const;
    void CacheInDataSource(COleDataSource* source) const;
    // Offers a page's objects as an entry: their block in its format, named after the first
    // object, with their picture as its icon.
    static void OfferFromPage(COleDataSource* source, UINT format, HGLOBAL block, const CString& name,
                              CBitmap* image, CBitmap* mask);
    // The entry a "Catalogue Object" block holds; NULL when the block is not one.
    static CCatalogueOb* FromGlobal(HGLOBAL block);

    // Icon: a 24-bit picture and a 1-bit mask, black opaque.
    const CDib* GetIconImage() const { return m_iconImage; }
    const CDib* GetIconMask() const { return m_iconMask; }
    void SetIcon(CBitmap* image, CBitmap* mask);
    void SetIconFromHandle(HICON icon);
    void SetIconFromDib(const CDib* image, const CDib* mask, int size);
    // A bitmap or icon file as the icon at `size` pixels; FALSE, icon unchanged, when the
    // file is neither.
    BOOL LoadIconFile(CFile* file, int size);
    // A packed bitmap, as the clipboard holds it, as the icon; FALSE, icon unchanged, when it
    // is not one or is larger than any icon needs.
    BOOL LoadIconPackedDib(const BYTE* packed, size_t length, int size);
    HICON CreateIcon() const;
    void DrawIcon(CDC* dc, int x, int y, int size) const;

private:
    void ClearIcon();
    void FreeData();
    void AppendData(DWORD id, const CString& name, const BYTE* bytes, DWORD size);
    void SerializeData(CArchive& ar);
    void SerializeDataBuffers(CArchive& ar);
    void WritePart(CArchive& ar, Part part);
    void ReadPart(CArchive& ar, Part part);
    void RefuseSharedMask();

    CString m_name;
    CDib* m_iconImage = nullptr;
    CDib* m_iconMask = nullptr;
    CDWordArray m_dataSizes;
    CDWordArray m_formatIds;
    CStringArray m_formatNames;
    std::vector<std::vector<BYTE>> m_data;
    std::array<DWORD, PartCount> m_partOffsets{};
};
