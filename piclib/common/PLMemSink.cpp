#include "piclib/common/PLMemSink.h"

#include "piclib/common/PLTextException.h"

#include <new>

PLMemSink::~PLMemSink()
{
    PLMemSink::Close();
}

bool PLMemSink::allocate(int maxSize)
{
    if (maxSize <= 0)
        return false;
    try {
        m_Buffer.assign(static_cast<size_t>(maxSize), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int PLMemSink::Open(const char* name, int maxSize)
{
    if (!allocate(maxSize))
        return -1;
    PLDataSink::Open(name, m_Buffer.data(), maxSize);
    return 0;
}

int PLMemSink::Open(const wchar_t* name, int maxSize)
{
    if (!allocate(maxSize))
        return -1;
    PLDataSink::Open(name, m_Buffer.data(), maxSize);
    return 0;
}

const uint8_t* PLMemSink::GetBytes() const
{
    if (!IsOpen())
        throw PLTextException(PL_ERRINTERNAL, "Open was not called for CMemSink");
    return m_Buffer.data();
}

void PLMemSink::Close()
{
    PLDataSink::Close();
    m_Buffer.clear();
    m_Buffer.shrink_to_fit();
}
