// COleDataObject: the receiving side of the clipboard or of a drop.
#pragma once

#include "platform/ole/Clipboard.h"

#include <memory>
#include <vector>

namespace ole {
class ClipSource;
}
class CFile;

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() = default;
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Attaches to what the clipboard holds now.
    BOOL AttachClipboard();
    // Attaches to dragged or cached content; used by the drag and drop layer.
    void AttachSource(std::shared_ptr<ole::ClipSource> source);
    void Release();
    BOOL IsAttached() const { return m_source != nullptr; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // A new global block with the data; the caller frees it. NULL when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // Fills the medium (global block, bitmap, palette or metafile); release it with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // A memory file over a copy of the data; the caller deletes it. NULL when not offered.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

private:
    std::shared_ptr<ole::ClipSource> m_source;
    std::vector<UINT> m_formats;
    size_t m_nextFormat = 0;
};
