#include "piclib/common/PLTextException.h"

PLTextException::PLTextException(int code, const char* text)
    : m_Code(code), m_Text(text ? text : "")
{
}

PLTextException::PLTextException(int code, int extra, const char* text)
    : m_Code(code), m_Extra(extra), m_Text(text ? text : "")
{
}
