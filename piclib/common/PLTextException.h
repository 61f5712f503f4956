// The one exception type of the picture library: a numeric code and a message.
#pragma once

#include "piclib/common/PLObject.h"

#include <string>

// Codes shared by sources, sinks, decoders and encoders.
enum PLErrorCode {
    PL_ERRWRONG_SIGNATURE = 1,
    PL_ERRFORMAT_UNKNOWN = 2,
    PL_ERRPATH_NOT_FOUND = 3,
    PL_ERRFILE_NOT_FOUND = 4,
    PL_ERRACCESS_DENIED = 5,
    PL_ERRFORMAT_NOT_SUPPORTED = 6,
    PL_ERRINTERNAL = 7,
    PL_ERRUNKNOWN_FILE_TYPE = 8,
    PL_ERRDIB_TOO_LARGE = 9,
    PL_ERRNO_MEMORY = 10,
    PL_ERREND_OF_FILE = 11,
    PL_ERRFORMAT_NOT_COMPILED = 12,
    PL_ERRURL_SOURCE = 13,
    PL_ERRBAD_EXIF = 14,
};

class PLTextException : public PLObject {
public:
    PLTextException(int code, const char* text);
    PLTextException(int code, int extra, const char* text);

    virtual int GetCode() const { return m_Code; }
    int GetExtra() const { return m_Extra; }
    virtual const char* GetText() const { return m_Text.c_str(); }
    const char* GetErrorText() const { return m_Text.c_str(); }
    operator const char*() const { return m_Text.c_str(); }

private:
    int m_Code;
    int m_Extra = 0;
    std::string m_Text;
};
