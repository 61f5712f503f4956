// Words checked per second, time per suggestion list and how often the intended word is
// among the suggestions: Lexigard, hunspell and nuspell over the same word list and the same
// 10,000 misspellings (one deletion, insertion, substitution or transposition each). The
// closing lines give Lexigard's speed as a multiple of the others'.
#include "spell/Lexigard.h"
#include "spell/tools/WordListFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#ifdef LEXIGARD_BENCH_HUNSPELL
#include <hunspell.hxx>
#endif
#ifdef LEXIGARD_BENCH_NUSPELL
#include <nuspell/dictionary.hxx>
#endif

#include <cstdio>
#include <map>

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

// An affix-free dictionary of the same word list, for hunspell and nuspell; the path of
// its .aff file.
const std::string& affixFreeDictionary()
{
    static const std::string aff = [] {
        std::filesystem::path folder = std::filesystem::temp_directory_path() / "lexigard-bench";
        std::filesystem::create_directories(folder);
        std::string affPath = (folder / "words.aff").string();
        std::ofstream(affPath) << "SET ISO8859-1\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ'\n";
        std::ofstream out((folder / "words.dic").string(), std::ios::binary);
        out << words().size() << '\n';
        for (const std::string& word : words())
            out << word << '\n';
        return affPath;
    }();
    return aff;
}

std::string dicPath()
{
    return std::filesystem::path(affixFreeDictionary()).replace_extension(".dic").string();
}

#ifdef LEXIGARD_BENCH_HUNSPELL

struct HunspellChecker {
    HunspellChecker()
        : hunspell(std::make_unique<Hunspell>(affixFreeDictionary().c_str(), dicPath().c_str()))
    {
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

#ifdef LEXIGARD_BENCH_NUSPELL

// nuspell reads the dictionary in the ISO 8859-1 form the .aff file names and checks UTF-8.
struct NuspellChecker {
    NuspellChecker() { dictionary.load_aff_dic(affixFreeDictionary()); }
    bool Check(const std::string& word) { return dictionary.spell(word); }
    std::vector<std::string> Suggest(const std::string& word)
    {
        std::vector<std::string> list;
        dictionary.suggest(word, list);
        return list;
    }
    nuspell::Dictionary dictionary;
};

void BM_NuspellCheckCorrect(benchmark::State& state)
{
    checkWords<NuspellChecker>(state, words());
}
void BM_NuspellCheckMisspelt(benchmark::State& state)
{
    checkWords<NuspellChecker>(state, wrongWords());
}
void BM_NuspellSuggest(benchmark::State& state)
{
    suggest<NuspellChecker>(state);
}
BENCHMARK(BM_NuspellCheckCorrect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NuspellCheckMisspelt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NuspellSuggest)->Arg(kMisspellings / 10)->Iterations(1)->Unit(benchmark::kMillisecond);

#endif

// Keeps every run's rates for the closing comparison.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            auto rate = run.counters.find("items_per_second");
            if (rate != run.counters.end())
                rates[run.benchmark_name()] = rate->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        for (const char* kind : { "CheckCorrect", "CheckMisspelt", "Suggest" }) {
            double lexigard = rateOf("BM_Lexigard", kind);
            std::printf("%-14s Lexigard %.0f per second", kind, lexigard);
            if (std::strcmp(kind, "Suggest") == 0 && lexigard > 0)
                std::printf(" (%.3f ms mean)", 1000.0 / lexigard);
            for (const char* other : { "Hunspell", "Nuspell" })
                if (double theirs = rateOf((std::string("BM_") + other).c_str(), kind); theirs > 0)
                    std::printf(", %.2fx %s", lexigard / theirs, other);
            std::printf("\n");
        }
    }

private:
    double rateOf(const char* checker, const char* kind) const
    {
        for (const auto& [name, rate] : rates)
            if (name.rfind(std::string(checker) + kind, 0) == 0)
                return rate;
        return 0;
    }

    std::map<std::string, double> rates;
};

} // namespace

#endif

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
#ifdef LEXIGARD_ENGLISH
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
#else
    benchmark::RunSpecifiedBenchmarks();
#endif
    benchmark::Shutdown();
    return 0;
}
