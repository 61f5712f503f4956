#include "platform/sys/parlex/Parlex.h"

#include "platform/core/FilePath.h"
#include "platform/sys/AtomicFile.h"
#include "platform/sys/parlex/LanguageFile.h"

#include <algorithm>
#include <cctype>
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
    if (key.size() > 2 && key.front() == '<' && key.find_first_of("<>", 1) == key.size() - 1)
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

const std::string* Known(const LanguageState& state, const std::string& key)
{
    auto found = state.texts.find(key);
    return found != state.texts.end() && !found->second.empty() ? &found->second : nullptr;
}

// The file's text of a key, or its English text, noted as missed when the file lacks it.
std::string KeyText(LanguageState& state, const std::string& key, const std::string& english)
{
    if (const std::string* text = Known(state, key))
        return *text;
    if (state.started)
        state.missed[key] = english;
    return english;
}

// A text built around keys ("<Layer>2", "0 - <No>") gets each key's text in its place; empty
// when it holds none. A key inside a text starts with a letter and holds no angle brackets.
std::string WithInnerKeys(LanguageState& state, const std::string& text)
{
    std::string result;
    size_t at = 0;
    bool replaced = false;
    for (size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        const size_t close = text.find_first_of("<>", open + 1);
        if (close == std::string::npos || text[close] != '>' || !std::isalpha(static_cast<unsigned char>(text[open + 1])))
            continue;
        const std::string key = text.substr(open, close + 1 - open);
        result += text.substr(at, open - at) + KeyText(state, key, EnglishText(key));
        at = close + 1;
        open = close;
        replaced = true;
    }
    return replaced ? result + text.substr(at) : std::string();
}

std::string Lookup(LanguageState& state, const std::string& key)
{
    if (const std::string* text = Known(state, key))
        return *text;
    const std::string english = EnglishText(key);
    if (english.empty())
        if (std::string built = WithInnerKeys(state, key); !built.empty())
            return built;
    return KeyText(state, key, english);
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
