// Replays fuzz inputs (files, or every file of a folder) through a fuzz entry point,
// so that the corpus and every crash ever found run in the ordinary test build. An input that
// takes longer than the fuzzers' time limit fails the replay, as it fails the fuzzers.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

constexpr std::chrono::seconds kTimeLimit(20);

// False when the input took longer than the time limit.
static bool replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto start = std::chrono::steady_clock::now();
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    if (std::chrono::steady_clock::now() - start <= kTimeLimit)
        return true;
    std::printf("too slow: %s\n", file.c_str());
    return false;
}

int main(int argc, char** argv)
{
    size_t count = 0, slow = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) { slow += !replay(entry.path()); ++count; }
        } else {
            slow += !replay(path);
            ++count;
        }
    }
    std::printf("replayed %zu inputs\n", count);
    return slow == 0 ? 0 : 1;
}
