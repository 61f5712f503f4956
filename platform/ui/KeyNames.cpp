#include "platform/ui/KeyNames.h"

#include "platform/ui/UiApi.h"

#include <algorithm>
#include <iterator>

namespace {

struct NamedKey {
    UINT vk;
    const char* name;
};
constexpr NamedKey kNamedKeys[] = {
    {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"},  {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},   {VK_END, "End"},       {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},          {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},     {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

constexpr UINT kF1 = 0x70, kF24 = 0x87;

} // namespace

CString VirtualKeyName(UINT vk)
{
    auto named =
        std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys), [&](const NamedKey& k) { return k.vk == vk; });
    CString name;
    if (named != std::end(kNamedKeys))
        name = named->name;
    else if (vk >= kF1 && vk <= kF24)
        name.Format("F%u", vk - kF1 + 1u);
    else if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        name = CString(static_cast<char>(vk));
    else
        name.Format("Key %u", vk);
    return name;
}
