#include "controls/ToolBarState.h"

namespace {

void Put(std::vector<BYTE>& out, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<BYTE>(value >> shift));
}

DWORD Get(const BYTE* at)
{
    return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
           static_cast<DWORD>(at[3]) << 24;
}

constexpr size_t kEntrySize = 20;

} // namespace

std::vector<BYTE> EncodeToolBarButtons(const std::vector<TBBUTTON>& buttons)
{
    std::vector<BYTE> out;
    out.reserve(4 + kEntrySize * buttons.size());
    Put(out, static_cast<DWORD>(buttons.size()));
    for (const TBBUTTON& b : buttons) {
        Put(out, static_cast<DWORD>(b.iBitmap));
        Put(out, static_cast<DWORD>(b.idCommand));
        out.insert(out.end(), {b.fsState, b.fsStyle, 0, 0});
        Put(out, b.dwData);
        Put(out, static_cast<DWORD>(b.iString));
    }
    return out;
}

BOOL DecodeToolBarButtons(const BYTE* data, size_t size, std::vector<TBBUTTON>& buttons)
{
    if (!data || size < 4)
        return FALSE;
    const DWORD count = Get(data);
    if (count > kMaxToolBarButtons || size != 4 + kEntrySize * count)
        return FALSE;
    std::vector<TBBUTTON> read(count);
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* at = data + 4 + kEntrySize * i;
        if (at[10] || at[11])
            return FALSE;
        TBBUTTON& b = read[i];
        b.iBitmap = static_cast<int>(Get(at));
        b.idCommand = static_cast<int>(Get(at + 4));
        b.fsState = at[8];
        b.fsStyle = at[9];
        b.dwData = Get(at + 12);
        b.iString = static_cast<int>(Get(at + 16));
    }
    buttons = std::move(read);
    return TRUE;
}
