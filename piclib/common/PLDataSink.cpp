#include "piclib/common/PLDataSink.h"

#include "piclib/common/PLTextException.h"

#include <cstring>

PLDataSink::~PLDataSink() = default;

void PLDataSink::Open(const char* name, uint8_t* area, int maxSize)
{
    m_Name = name ? name : "";
    m_WideName.clear();
    m_bNameIsWide = false;
    m_pStartData = area;
    m_nMaxFileSize = maxSize;
    m_nCurPos = 0;
}

void PLDataSink::Open(const wchar_t* name, uint8_t* area, int maxSize)
{
    Open("Wide", area, maxSize);
    m_WideName = name ? name : L"";
    m_bNameIsWide = true;
}

void PLDataSink::Close()
{
    m_Name.clear();
    m_WideName.clear();
    m_bNameIsWide = false;
    m_pStartData = nullptr;
    m_nCurPos = 0;
    m_nMaxFileSize = 0;
}

void PLDataSink::checkSpace(int count) const
{
    if (!m_pStartData || count < 0 || count > GetSpaceLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "Buffer overflow while encoding.\n");
}

int PLDataSink::WriteBytes(int count, const void* data)
{
    checkSpace(count);
    if (count > 0)
        std::memcpy(m_pStartData + m_nCurPos, data, count);
    m_nCurPos += count;
    return count;
}

void PLDataSink::Advance(int count)
{
    checkSpace(count);
    m_nCurPos += count;
}
