#include "platform/ui/EmptyFrame.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    // "--quit-after-start" (or VANTREL_QUIT_AFTER_START=1) closes the window once it is up.
    bool quitAfterStart = std::getenv("VANTREL_QUIT_AFTER_START") != nullptr
        && std::strcmp(std::getenv("VANTREL_QUIT_AFTER_START"), "1") == 0;
    for (int i = 1; i < argc; ++i)
        quitAfterStart = quitAfterStart || std::strcmp(argv[i], "--quit-after-start") == 0;
    return RunEmptyFrame(argc, argv, "Vantrel", quitAfterStart);
}
