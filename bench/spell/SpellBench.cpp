// Words checked per second, time per suggestion list and how often the intended word is
// among the suggestions: Lexigard and hunspell over the same word list and the same
// 10,000 misspellings (one deletion, insertion, substitution or transposition each).
#include "spell/Lexigard.h"
#include "spell/tools/WordListFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#ifdef LEXIGARD_BENCH_HUNSPELL
#include <hunspell.hxx>
#endif

#ifdef LEXIGARD_ENGLISH

namespace {

constexpr size_t kMisspellings = 10000;

struct Misspelling {
    std::string wrong;
    std::string intended;
};

const std::vector<std::string>& words()
{
    static const std::vector<std::string> list = ReadWordListFile(LEXIGARD_WORD_LIST).words;
    return list;
}

std::string singleEdit(const std::string& word, std::mt19937& random)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
    std::string edited = word;
    size_t at = random() % word.size();
    char letter = kLetters[random() % 26];
    switch (random() % 4) {
    case 0:
        edited.erase(at, 1);
        break;
    case 1:
        edited.insert(at, 1, letter);
        break;
    case 2:
        edited[at] = letter;
        break;
    default:
        at = std::min(at, word.size() - 2);
        std::swap(edited[at], edited[at + 1]);
        break;
    }
    return edited;
}

const std::vector<Misspelling>& misspellings()
{
    static const std::vector<Misspelling> list = [] {
        std::set<std::string> known(words().begin(), words().end());
        std::mt19937 random(20261210);
        std::vector<Misspelling> made;
        while (made.size() < kMisspellings) {
            const std::string& word = words()[random() % words().size()];
            if (word.size() < 3 || word.size() > 20)
                continue;
            std::string wrong = singleEdit(word, random);
            if (known.count(wrong) == 0)
                made.push_back({ wrong, word });
        }
        return made;
    }();
    return list;
}

bool sameWord(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// Lexigard over the dictionary the build makes from the word list.
struct Lexigard {
    Lexigard()
        : checker(LX_Init())
    {
        LX_OpenDictionary(checker, LEXIGARD_ENGLISH, nullptr);
    }
    ~Lexigard() { LX_Destroy(checker); }
    bool Check(const std::string& word) { return LX_IsWordExist(checker, word.c_str()); }
    std::vector<std::string> Suggest(const std::string& word)
    {
        std::vector<std::string> list;
        char buffer[64];
        for (SHORT i = 0; LX_GetSuggestion(checker, word.c_str(), i, buffer, sizeof buffer); ++i)
            list.emplace_back(buffer);
        return list;
    }
    LXHANDLE checker;
};

template <typename Checker> void checkWords(benchmark::State& state, const std::vector<std::string>& list)
{
    Checker checker;
    size_t accepted = 0;
    for (auto _ : state)
        for (const std::string& word : list)
            accepted += checker.Check(word);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * list.size()));
    state.counters["accepted"]
        = static_cast<double>(accepted) / static_cast<double>(state.iterations() * list.size());
}

std::vector<std::string> wrongWords()
{
    std::vector<std::string> list;
    for (const Misspelling& m : misspellings())
        list.push_back(m.wrong);
    return list;
}

// Time per suggestion list, and how often the intended word is among the suggestions.
template <typename Checker> void suggest(benchmark::State& state)
{
    Checker checker;
    size_t count = static_cast<size_t>(state.range(0));
    size_t found = 0;
    size_t made = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < count; ++i) {
            const Misspelling& m = misspellings()[i];
            std::vector<std::string> list = checker.Suggest(m.wrong);
            found += std::any_of(
                list.begin(), list.end(), [&m](const std::string& s) { return sameWord(s, m.intended); });
            ++made;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(made));
    state.counters["intended_found"] = static_cast<double>(found) / static_cast<double>(made);
}

void BM_LexigardCheckCorrect(benchmark::State& state)
{
    checkWords<Lexigard>(state, words());
}
void BM_LexigardCheckMisspelt(benchmark::State& state)
{
    checkWords<Lexigard>(state, wrongWords());
}
void BM_LexigardSuggest(benchmark::State& state)
{
    suggest<Lexigard>(state);
}
BENCHMARK(BM_LexigardCheckCorrect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LexigardCheckMisspelt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LexigardSuggest)->Arg(kMisspellings)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef LEXIGARD_BENCH_HUNSPELL

// hunspell over an affix-free dictionary of the same word list.
struct HunspellChecker {
    HunspellChecker()
    {
        std::filesystem::path folder = std::filesystem::temp_directory_path() / "lexigard-bench";
        std::filesystem::create_directories(folder);
        std::string aff = (folder / "words.aff").string();
        std::string dic = (folder / "words.dic").string();
        std::ofstream(aff) << "SET ISO8859-1\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ'\n";
        std::ofstream out(dic, std::ios::binary);
        out << words().size() << '\n';
        for (const std::string& word : words())
            out << word << '\n';
        out.close();
        hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    }
    bool Check(const std::string& word) { return hunspell->spell(word); }
    std::vector<std::string> Suggest(const std::string& word) { return hunspell->suggest(word); }
    std::unique_ptr<Hunspell> hunspell;
};

void BM_HunspellCheckCorrect(benchmark::State& state)
{
    checkWords<HunspellChecker>(state, words());
}
void BM_HunspellCheckMisspelt(benchmark::State& state)
{
    checkWords<HunspellChecker>(state, wrongWords());
}
void BM_HunspellSuggest(benchmark::State& state)
{
    suggest<HunspellChecker>(state);
}
BENCHMARK(BM_HunspellCheckCorrect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HunspellCheckMisspelt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HunspellSuggest)->Arg(kMisspellings)->Iterations(1)->Unit(benchmark::kMillisecond);

#endif

} // namespace

#endif
