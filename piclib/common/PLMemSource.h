// Source over a block that the caller keeps alive until Close.
#pragma once

#include "piclib/common/PLDataSource.h"

class PLMemSource : public PLDataSource {
public:
    ~PLMemSource() override;
    int OpenSource(const uint8_t* data, int size);
};
