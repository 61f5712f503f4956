#include "piclib/common/PLMemSource.h"

PLMemSource::~PLMemSource()
{
    if (IsOpen())
        Close();
}

int PLMemSource::OpenSource(const uint8_t* data, int size)
{
    Open("Mem", data && size > 0 ? size : 0);
    SetBlock(data);
    return 0;
}
