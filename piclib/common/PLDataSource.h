// A named block of bytes read forward. Every source hands out pointers into one
// contiguous block; none of them reaches past its end.
#pragma once

#include "piclib/common/PLObject.h"

#include <cstdint>
#include <string>

class PLIProgressNotification;

class PLDataSource : public PLObject {
public:
    explicit PLDataSource(PLIProgressNotification* progress = nullptr);
    ~PLDataSource() override;

    virtual void Open(const char* name, int size);
    virtual void Open(const wchar_t* name, int size);
    virtual void Close();

    // Pointer to the next count bytes; raises code 11 when fewer are left.
    virtual const uint8_t* PeekBytes(int count);
    virtual const uint8_t* ReadBytes(int count);
    // The unread rest of the block: GetBytesLeft bytes from here.
    virtual const uint8_t* GetCurrentPointer() const { return m_pCurrent; }

    void Skip(int count) { ReadBytes(count); }
    uint8_t ReadByte() { return *ReadBytes(1); }
    uint16_t ReadWordLE();
    uint32_t ReadDWordLE();

    const char* GetName() const { return m_bOpen ? m_Name.c_str() : nullptr; }
    const wchar_t* GetNameW() const { return m_bNameIsWide ? m_WideName.c_str() : nullptr; }
    bool NameIsWide() const { return m_bNameIsWide; }
    int GetFileSize() const { return m_FileSize; }
    int GetBytesConsumed() const { return m_BytesRead; }
    int GetBytesLeft() const { return m_FileSize - m_BytesRead; }
    bool IsOpen() const { return m_bOpen; }
    void ReportProgress(double part);

protected:
    // The block the derived source reads from; set before Open.
    void SetBlock(const uint8_t* start) { m_pCurrent = start; }

private:
    void checkAvailable(int count) const;

    std::string m_Name;
    std::wstring m_WideName;
    bool m_bNameIsWide = false;
    bool m_bOpen = false;
    int m_FileSize = 0;
    int m_BytesRead = 0;
    const uint8_t* m_pCurrent = nullptr;
    PLIProgressNotification* m_pProgress;
};
