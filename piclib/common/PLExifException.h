// A malformed Exif block; the reader turns it into a PLTextException with code 14.
#pragma once

#include "piclib/common/PLObject.h"

#include <string>

class PLExifException : public PLObject {
public:
    explicit PLExifException(std::string text)
        : m_Text(std::move(text))
    {
    }

    const char* GetText() const { return m_Text.c_str(); }

private:
    std::string m_Text;
};
