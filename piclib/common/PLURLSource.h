// Source over the whole body of a URL, downloaded with libcurl before decoding.
#pragma once

#include "piclib/common/PLDataSource.h"

#include <string>

class PLURLSource : public PLDataSource {
public:
    PLURLSource();
    ~PLURLSource() override;

    int OpenSource(const char* url);
    void Close() override;

    const char* GetErrorText() const { return m_ErrorText.c_str(); }
    int GetLastError() const { return m_LastError; }
    static const char* StatusText(long status);

private:
    static size_t receive(char* data, size_t size, size_t count, void* target);

    std::string m_Data;
    std::string m_ErrorText;
    int m_LastError = 0;
};
