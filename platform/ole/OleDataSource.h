// COleDataSource: data offered to the clipboard or to a drag, cached now or rendered when
// a receiver asks for it.
#pragma once

#include "platform/ole/Clipboard.h"
#include "platform/ui/CmdTarget.h"

#include <memory>
#include <vector>

namespace ole {
class ClipSource;
}
class COleDropSource;

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource() = default;
    ~COleDataSource() override;

    // The source owns the block or medium from now on.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // The format is offered now and rendered by OnRenderData when it is asked for.
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();

    // Puts the source on the clipboard, which takes over its creator's reference.
    void SetClipboard();
    // Renders every delayed format of the clipboard's source now.
    static void FlushClipboard();
    // The source on the clipboard when this process put it there, else NULL.
    static COleDataSource* GetClipboardOwner();

    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The stand-in for this source on the clipboard or in a drag; it holds a reference.
    std::shared_ptr<ole::ClipSource> MakeClipSource();

    // Render a delayed format. *phGlobal is NULL: allocate the block.
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);

    std::vector<UINT> OfferedFormats() const;
    BOOL RenderBytes(UINT format, std::vector<BYTE>& bytes);

private:
    struct Entry {
        CLIPFORMAT format;
        STGMEDIUM medium; // tymed TYMED_NULL: delayed
    };
    void Add(CLIPFORMAT format, const STGMEDIUM& medium);

    std::vector<Entry> m_entries;
};
