// Tool bar buttons kept in the profile: no record may crash the reader, and a record that
// reads writes back the same bytes.
#include "controls/ToolBarState.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<TBBUTTON> buttons;
    if (DecodeToolBarButtons(data, size, buttons) && EncodeToolBarButtons(buttons) != std::vector<BYTE>(data, data + size))
        std::abort();
    return 0;
}
