// Ink offered as data, for the clipboard, a drag or a data source: copies of strokes in their
// stored form (InkFormat.h) under the registered format "Vantrel Ink", the one format the ink
// layer copies to.
#pragma once

#include "platform/ole/Clipboard.h"

#include <memory>
#include <vector>

class InkStrokes;

class InkDataObject {
public:
    // Copies of the strokes, their bounding box kept; NULL without strokes.
    static std::unique_ptr<InkDataObject> Copy(const InkStrokes& strokes);

    // Every format offered, the one to prefer first.
    std::vector<FORMATETC> EnumFormatEtc() const;
    // Fills the medium with a new block of the format's data (release it with
    // ReleaseStgMedium); FALSE for a format not offered or when no block can be had.
    bool GetData(const FORMATETC& format, STGMEDIUM& medium) const;

private:
    explicit InkDataObject(std::vector<BYTE> stored) : m_stored(std::move(stored)) {}

    std::vector<BYTE> m_stored;
};

// The registered number of "Vantrel Ink".
UINT InkClipboardFormat();
