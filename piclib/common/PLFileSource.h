// Source over a read-only mapping of a whole file.
#pragma once

#include "piclib/common/PLDataSource.h"

#include "piclib/common/PLFileAccess.h"

class PLFileSource : public PLDataSource {
public:
    explicit PLFileSource(PLIProgressNotification* progress = nullptr);
    ~PLFileSource() override;

    int OpenSource(const char* fileName);
    int OpenSource(const wchar_t* fileName);
    void Close() override;

private:
    int mapFile(const char* path);

    PLFileAccess::Mapping m_Map;
};
