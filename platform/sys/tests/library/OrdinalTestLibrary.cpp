// A library bound by name and by ordinal in the tests: ordinals 10 and 12, none at 11.
#include "platform/sys/OrdinalExports.h"

extern "C" {

int OrdinalTest_Ten()
{
    return 10;
}
int OrdinalTest_Twelve()
{
    return 12;
}

} // extern "C"

namespace {

const ORDINAL_PROC kProcs[] = {
    reinterpret_cast<ORDINAL_PROC>(&OrdinalTest_Ten),
    nullptr,
    reinterpret_cast<ORDINAL_PROC>(&OrdinalTest_Twelve),
};

} // namespace

const ORDINAL_EXPORTS OrdinalExports = { 10, 3, kProcs };
