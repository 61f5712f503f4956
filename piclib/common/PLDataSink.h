// A named output area of fixed maximal size that bytes are appended to.
#pragma once

#include "piclib/common/PLObject.h"

#include <cstdint>
#include <string>

class PLDataSink : public PLObject {
public:
    ~PLDataSink() override;

    virtual void Close();

    // Appends count bytes; raises code 11 and writes nothing when they don't fit.
    int WriteBytes(int count, const void* data);
    // Counts bytes that a library has already placed at GetWritePointer(); bounded like WriteBytes.
    void Advance(int count);

    uint8_t* GetWritePointer() const { return m_pStartData + m_nCurPos; }
    int GetDataSize() const { return m_nCurPos; }
    int GetMaxDataSize() const { return m_nMaxFileSize; }
    int GetSpaceLeft() const { return m_nMaxFileSize - m_nCurPos; }
    const char* GetName() const { return m_pStartData ? m_Name.c_str() : nullptr; }
    bool IsOpen() const { return m_pStartData != nullptr; }

protected:
    void Open(const char* name, uint8_t* area, int maxSize);
    void Open(const wchar_t* name, uint8_t* area, int maxSize);

private:
    void checkSpace(int count) const;

    uint8_t* m_pStartData = nullptr;
    int m_nCurPos = 0;
    std::string m_Name;
    std::wstring m_WideName;
    bool m_bNameIsWide = false;
    int m_nMaxFileSize = 0;
};
