#include "spell/TextBuffer.h"

#include <cstring>

bool CopyToBuffer(char* buffer, int size, const char* text)
{
    if (buffer == nullptr || size <= 0)
        return false;
    buffer[0] = 0;
    if (text == nullptr)
        return false;
    size_t length = strnlen(text, static_cast<size_t>(size - 1));
    std::memcpy(buffer, text, length);
    buffer[length] = 0;
    return length > 0;
}
