#include "spell/LibraryMessage.h"

#include <cstdio>

namespace {

LibraryMessageHandler& handler()
{
    static LibraryMessageHandler current = nullptr;
    return current;
}

} // namespace

void ShowLibraryMessage(const char* text)
{
    if (handler() != nullptr)
        handler()(text);
    else
        std::fprintf(stderr, "Lexigard: %s\n", text);
}

LibraryMessageHandler SetLibraryMessageHandler(LibraryMessageHandler replacement)
{
    LibraryMessageHandler previous = handler();
    handler() = replacement;
    return previous;
}
