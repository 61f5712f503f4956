// The text check export: the walker finds the refused words, the spelling dialog lets the
// user correct them.
#include "spell/Lexigard.h"

#include "platform/core/GlobalMemory.h"
#include "spell/CheckerState.h"
#include "spell/LexigardDialogs.h"
#include "spell/SpellDialog.h"
#include "spell/TextSpellWalker.h"

#include <cstring>
#include <string>

namespace {

enum CheckResult : SHORT { kCheckDone = 0, kCheckCancelled = 1, kCheckNoDictionary = -1 };

// A movable block with the text and its terminator; NULL for an empty text.
HGLOBAL makeBlock(const std::string& text)
{
    if (text.empty())
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block == nullptr)
        return nullptr;
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

void report(SHORT* result, SHORT value)
{
    if (result != nullptr)
        *result = value;
}

} // namespace

extern "C" HGLOBAL LX_CheckText(LXHANDLE checker, LPCSTR text, SHORT* result)
{
    if (checker == nullptr)
        return nullptr;
    std::string original = text == nullptr ? std::string() : std::string(text);
    if (!checker->RequireSession()) {
        report(result, kCheckNoDictionary);
        return makeBlock(original);
    }
    CTextSpellWalker walker(*checker->session, original);
    if (original.empty() || !walker.FindNextUnrecognised()) {
        report(result, kCheckDone);
        return makeBlock(walker.GetText());
    }
    RegisterLexigardDialogs();
    CSpellDialog dialog(walker);
    report(result, dialog.DoModal() == IDOK ? kCheckDone : kCheckCancelled);
    return makeBlock(walker.GetText());
}
