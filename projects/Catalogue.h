// One catalogue: its ordered entries, the ".cat" file they live in, and the bookkeeping that
// lets a save append only what changed.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

#include <vector>

class CCatalogueOb;
class CFile;

class CCatalogue : public CObject {
    DECLARE_DYNCREATE(CCatalogue)
public:
    static constexpr DWORD Magic = 0x54414348;   // "HCAT"
    static constexpr DWORD Version = 0x01000000;
    static constexpr UINT NewCatalogString = 28591;

    CCatalogue();
    ~CCatalogue() override;
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;

    void Serialize(CArchive& ar) override;

    // Entries; the catalogue owns them.
    int GetCount() const { return m_entries.GetSize(); }
    CCatalogueOb* GetEntry(int index) const;
    DWORD GetEntryOffset(int index) const { return m_entryOffsets[index]; }
    CCatalogueOb* GetPropertyEntry() const { return m_propertyEntry; }
    DWORD GetPropertyEntryOffset() const { return m_propertyOffset; }
    void InsertEntry(int index, CCatalogueOb* entry);
    void MoveEntry(int to, int from);
    void RemoveEntry(int index);
    void RemoveAllEntries();
    void CopyFrom(const CCatalogue& other);

    // File.
    int Load(const CString& path);
    int Save(int limit);
    int SaveAs();
    // -1 when the dialog is cancelled, -2 when the chosen file cannot be read.
    int OpenWithDialog();
    int Lock();
    int Unlock();
    int ChangeEntryIcon(int index, int size);
    HICON GetIcon() const;

    const CString& GetPath() const { return m_path; }
    void SetPath(const CString& path) { m_path = path; }
    const CString& GetName() const { return m_name; }
    BOOL IsReadOnly() const { return m_readOnly; }
    BOOL IsProtected() const { return m_protected; }
    void SetProtected(BOOL on) { m_protected = on; }
    int GetSaveCount() const { return m_saveCount; }
    // Entries of the last load that could not be read, numbered from 1 in table order.
    const std::vector<int>& GetSkippedEntries() const { return m_skipped; }
    // The number of the first entry lost with a cut-off table, 0 when the table was whole.
    int GetTableCut() const { return m_tableCut; }

private:
    void StoreTo(CArchive& ar);
    void LoadFrom(CArchive& ar);
    void LoadOldFormat(CArchive& ar, DWORD length);
    void ReadTable(CArchive& ar, CDWordArray& offsets);
    CCatalogueOb* ReadEntry(CFile* file, DWORD offset, std::vector<DWORD>& usedParts);
    void TakePropertyEntry();
    void ForgetOffsets();
    int SaveIncrementally(CFile& file);
    int RewriteWhole();
    int RefreshReadOnly();

    CObArray m_entries;
    CString m_path;
    CString m_name;
    BOOL m_readOnly = FALSE;
    BOOL m_protected = FALSE;
    CDWordArray m_entryOffsets;
    int m_saveCount = 0;
    CCatalogueOb* m_propertyEntry = nullptr;
    DWORD m_propertyOffset = 0;
    std::vector<int> m_skipped;
    int m_tableCut = 0;
};

// The file title without its extension: the text before the last ".".
CString CatalogueNameOf(const CString& path);
