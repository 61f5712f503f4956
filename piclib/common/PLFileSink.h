// Sink into a mapped file of the maximal size. It is written beside the target and
// renamed over it on Close, truncated to the bytes written; a sink destroyed while
// still open leaves the old file as it was.
#pragma once

#include "piclib/common/PLDataSink.h"

#include "piclib/common/PLFileAccess.h"
#include <string>

class PLFileSink : public PLDataSink {
public:
    ~PLFileSink() override;

    int Open(const char* fileName, int maxSize);
    int Open(const wchar_t* fileName, int maxSize);
    void Close() override;

private:
    int create(const std::string& path, int maxSize);

    PLFileAccess::Mapping m_Map;
    std::string m_Target;
    std::string m_Temporary;
};
