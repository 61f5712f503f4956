// The picture of the page that a document with one view may end with: the bitmap record,
// its byte length and a magic number, so that an outside reader finds it from the file's end.
#pragma once

#include "platform/core/Object.h"

#include <memory>

class CArchive;
class CDib;
class CHyperRunView;

class CThumbnail : public CObject {
    DECLARE_SERIAL(CThumbnail)
public:
    static constexpr DWORD Magic = 0xA2DF9B33;

    CThumbnail();
    ~CThumbnail() override;

    // Draws the view's page as in run mode into a 4-bit run-length picture.
    void Render(CHyperRunView* view);
    // Writes the trailer; the archive must be storing.
    void Serialize(CArchive& archive) override;

private:
    std::unique_ptr<CDib> m_picture;
    DWORD m_magic = Magic;
};
