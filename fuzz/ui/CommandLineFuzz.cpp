// Any bytes as a command line, arguments split at zero bytes: the program's reading of its
// flags and files, and Scribbet's reading of its file, window and object.
#include "app/scribbet/ScribbetDlg.h"

#include "platform/ui/WinApp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxArguments = 16;

std::vector<std::string> Arguments(const uint8_t* data, size_t size)
{
    std::vector<std::string> arguments{"prog"};
    std::string current;
    for (size_t i = 0; i < size && arguments.size() < kMaxArguments; ++i) {
        if (data[i]) {
            current += static_cast<char>(data[i]);
            continue;
        }
        arguments.push_back(current);
        current.clear();
    }
    if (arguments.size() < kMaxArguments)
        arguments.push_back(current);
    return arguments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CWinApp app;
    if (size > 4096)
        return 0;
    std::vector<std::string> arguments = Arguments(data, size);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(arguments.size());
    app.SetCommandLine(argc, argv.data());
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    ScribbetRequest request;
    ReadScribbetRequest(argc, argv.data(), request);
    return 0;
}
