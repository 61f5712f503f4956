#include "piclib/common/PLDataSource.h"

#include "piclib/common/PLIProgressNotification.h"
#include "piclib/common/PLTextException.h"

PLDataSource::PLDataSource(PLIProgressNotification* progress)
    : m_pProgress(progress)
{
}

PLDataSource::~PLDataSource() = default;

void PLDataSource::Open(const char* name, int size)
{
    m_Name = name ? name : "";
    m_WideName.clear();
    m_bNameIsWide = false;
    m_FileSize = size;
    m_BytesRead = 0;
    m_bOpen = true;
}

void PLDataSource::Open(const wchar_t* name, int size)
{
    Open("Wide", size);
    m_WideName = name ? name : L"";
    m_bNameIsWide = true;
}

void PLDataSource::Close()
{
    if (m_pProgress && m_bOpen)
        m_pProgress->OnProgress(1.0);
    m_Name.clear();
    m_WideName.clear();
    m_bNameIsWide = false;
    m_bOpen = false;
    m_FileSize = 0;
    m_BytesRead = 0;
    m_pCurrent = nullptr;
}

void PLDataSource::checkAvailable(int count) const
{
    if (count < 0 || count > GetBytesLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
}

const uint8_t* PLDataSource::PeekBytes(int count)
{
    checkAvailable(count);
    return m_pCurrent;
}

const uint8_t* PLDataSource::ReadBytes(int count)
{
    checkAvailable(count);
    const int before = m_BytesRead;
    m_BytesRead += count;
    if (m_BytesRead / 1024 > before / 1024)
        ReportProgress(static_cast<double>(m_BytesRead) / m_FileSize);
    const uint8_t* bytes = m_pCurrent;
    m_pCurrent += count;
    return bytes;
}

uint16_t PLDataSource::ReadWordLE()
{
    const uint8_t* p = ReadBytes(2);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t PLDataSource::ReadDWordLE()
{
    const uint8_t* p = ReadBytes(4);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void PLDataSource::ReportProgress(double part)
{
    if (m_pProgress)
        m_pProgress->OnProgress(part);
}
