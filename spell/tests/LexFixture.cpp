#include "spell/tests/LexFixture.h"

#include "spell/MainDictionary.h"

std::vector<std::string> ReadAllWords(const std::string& path)
{
    CMainDictionary dictionary(path.c_str());
    std::vector<std::string> words;
    if (!dictionary.SeekToIndexEntry(0))
        return words;
    char word[CMainDictionary::kMaxWordLength + 1];
    while (dictionary.ReadNextWord(word, sizeof word))
        words.push_back(word);
    return words;
}
