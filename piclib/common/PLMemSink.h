// Sink into a heap buffer; take the bytes before Close, which frees them.
#pragma once

#include "piclib/common/PLDataSink.h"

#include <vector>

class PLMemSink : public PLDataSink {
public:
    ~PLMemSink() override;

    int Open(const char* name, int maxSize);
    int Open(const wchar_t* name, int maxSize);
    const uint8_t* GetBytes() const;
    void Close() override;

private:
    bool allocate(int maxSize);

    std::vector<uint8_t> m_Buffer;
};
