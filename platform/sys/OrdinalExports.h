// The table a shared library exports so that its functions can be bound by ordinal, as
// GetProcAddress(module, MAKEINTRESOURCE(ordinal)) does: entry k is the function of
// ordinal base + k, null where no function has that ordinal.
#pragma once

#include <cstdint>

extern "C" {

using ORDINAL_PROC = void (*)();

struct ORDINAL_EXPORTS {
    uint16_t base;
    uint16_t count;
    const ORDINAL_PROC* procs;
};

// Each library defines its own; GetProcAddress reads the one of the library it was given.
extern const ORDINAL_EXPORTS OrdinalExports;

} // extern "C"

constexpr const char* kOrdinalExportsSymbol = "OrdinalExports";
