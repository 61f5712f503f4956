#include "platform/sys/parlex/Parlex.h"

#include "platform/core/FilePath.h"
#include "platform/sys/AtomicFile.h"
#include "platform/sys/parlex/LanguageFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>

namespace {

struct LanguageState {
    std::mutex lock;
    bool started = false;
    std::map<std::string, std::string> texts;
    std::map<std::string, std::string> missed; // key -> English text
};

LanguageState& State()
{
    static LanguageState state;
    return state;
}

// A key in angle brackets is its own English text without them.
std::string EnglishText(const std::string& key)
{
    if (key.size() > 2 && key.front() == '<' && key.back() == '>')
        return key.substr(1, key.size() - 2);
    return {};
}

int ReadLanguageFile(const std::string& path, std::map<std::string, std::string>& texts)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return PARLEX_ENGLISH;
    std::streamoff size = file.tellg();
    if (size < 0 || static_cast<size_t>(size) > kMaxLanguageFileBytes)
        return PARLEX_REFUSED;
    file.seekg(0);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!file.read(bytes.data(), size))
        return PARLEX_REFUSED;
    LanguageTexts parsed = ParseLanguageFile(bytes);
    texts = std::move(parsed.texts);
    return parsed.brokenLines == 0 ? PARLEX_LOADED : PARLEX_LINES_SKIPPED;
}

std::string Lookup(LanguageState& state, const std::string& key)
{
    auto found = state.texts.find(key);
    if (found != state.texts.end() && !found->second.empty())
        return found->second;
    std::string english = EnglishText(key);
    if (state.started)
        state.missed[key] = english;
    return english;
}

} // namespace

int Parlex_Init(LPCSTR languageFile, LPCSTR)
{
    std::map<std::string, std::string> texts;
    int result = languageFile != nullptr && *languageFile != '\0'
        ? ReadLanguageFile(SystemPathFromName(languageFile), texts)
        : PARLEX_ENGLISH;
    LanguageState& state = State();
    std::lock_guard guard(state.lock);
    state.texts = std::move(texts);
    state.missed.clear();
    state.started = true;
    return result;
}

int Parlex_Deinit(LPCSTR lostAndFoundFile)
{
    LanguageState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.started)
        return 0;
    int result = 1;
    if (!state.missed.empty() && lostAndFoundFile != nullptr && *lostAndFoundFile != '\0'
        && !WriteFileAtomically(SystemPathFromName(lostAndFoundFile), FormatLanguageFile(state.missed)))
        result = -1;
    state.texts.clear();
    state.missed.clear();
    state.started = false;
    return result;
}

int Parlex_GetText(LPSTR buffer, int size, LPCSTR key, int, int)
{
    if (buffer != nullptr && size > 0)
        *buffer = '\0';
    if (key == nullptr || *key == '\0')
        return 0;
    LanguageState& state = State();
    std::string text;
    {
        std::lock_guard guard(state.lock);
        text = Lookup(state, key);
    }
    if (buffer != nullptr && size > 0) {
        size_t copied = std::min(text.size(), static_cast<size_t>(size) - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(text.size());
}
