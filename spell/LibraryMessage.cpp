#include "spell/LibraryMessage.h"

#include "platform/ui/UiApi.h"

int ShowLibraryMessage(const char* text, UINT type)
{
    return ::MessageBox(::GetActiveWindow(), text, "Lexigard", type);
}
