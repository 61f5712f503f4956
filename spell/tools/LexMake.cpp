// lexmake: builds a main dictionary (.lex, newest layout) from a word list.
//   lexmake [--language NAME] WORDLIST OUTPUT
#include "spell/tools/LexWriter.h"
#include "spell/tools/WordListFile.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    LexLayout layout;
    int argument = 1;
    if (argc > 2 && std::strcmp(argv[1], "--language") == 0) {
        layout.language = argv[2];
        argument = 3;
    }
    if (argc - argument != 2) {
        std::fprintf(stderr, "usage: lexmake [--language NAME] WORDLIST OUTPUT\n");
        return 2;
    }
    try {
        WordListContents contents = ReadWordListFile(argv[argument]);
        std::vector<BYTE> file = WriteLexDictionary(contents.words, layout);
        WriteFileReplacing(argv[argument + 1], file);
        std::printf("lexmake: %zu words, %zu lines skipped, %zu bytes\n", contents.words.size(),
            contents.skipped, file.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lexmake: %s\n", error.what());
        return 1;
    }
    return 0;
}
