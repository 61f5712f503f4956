/* Binds the spelling library the way a C program does, with dlopen and the exported names,
 * and checks the two rules a C caller relies on: every export returns 0 for a null handle,
 * and a letter in a signed 8-bit char (which arrives sign-extended) is still a letter.
 * Arguments: the library file and an English dictionary. */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

typedef int BOOL;
typedef void* HANDLE;

static int passed;
static int failed;

static void expect(int condition, const char* what)
{
    if (condition) {
        ++passed;
    } else {
        ++failed;
        fprintf(stderr, "failed: %s\n", what);
    }
}

typedef long (*NullCall)(void* function);

static long callHandle(void* f)
{
    return ((long (*)(HANDLE))f)(NULL);
}
static long callHandleText(void* f)
{
    return ((long (*)(HANDLE, const char*))f)(NULL, "word");
}
static long callHandleTwoTexts(void* f)
{
    return ((long (*)(HANDLE, const char*, const char*))f)(NULL, "a", "b");
}
static long callHandleFlag(void* f)
{
    return ((long (*)(HANDLE, BOOL))f)(NULL, 1);
}
static long callHandleChar(void* f)
{
    return ((long (*)(HANDLE, unsigned short))f)(NULL, 'a');
}

static long callHandleTextBuffer(void* f)
{
    char buffer[8] = "x";
    return ((long (*)(HANDLE, const char*, char*, int))f)(NULL, "word", buffer, sizeof buffer);
}

static long callSuggestion(void* f)
{
    char buffer[8] = "x";
    return ((long (*)(HANDLE, const char*, short, char*, int))f)(NULL, "word", 0, buffer, sizeof buffer);
}

static long callCheckText(void* f)
{
    short result = 7;
    return (long)(size_t)((HANDLE(*)(HANDLE, const char*, short*))f)(NULL, "word", &result)
        + (result == 7 ? 0 : 1);
}

static long callOptionsDialog(void* f)
{
    char custom[8] = "";
    char main[8] = "";
    return ((long (*)(HANDLE, const char*, char*, int, char*, int, const char*, int))f)(
        NULL, "", custom, sizeof custom, main, sizeof main, NULL, 1);
}

struct Export {
    const char* name;
    NullCall call;
};

static const struct Export exports[] = {
    { "LX_Destroy", callHandle },
    { "LX_OpenDictionary", callHandleTwoTexts },
    { "LX_CloseDictionary", callHandle },
    { "LX_Reset", callHandle },
    { "LX_GetLanguageName", callHandleTextBuffer },
    { "LX_IsWordExist", callHandleText },
    { "LX_AddToChangeAll", callHandleTwoTexts },
    { "LX_AddToIgnoreAll", callHandleText },
    { "LX_IsCharAlpha", callHandleChar },
    { "LX_IsCharLower", callHandleChar },
    { "LX_IsCharUpper", callHandleChar },
    { "LX_GetReplacement", callHandleTextBuffer },
    { "LX_GetSuggestion", callSuggestion },
    { "LX_AddWord", callHandleText },
    { "LX_CheckText", callCheckText },
    { "LX_GetAlwaysSuggest", callHandle },
    { "LX_SetAlwaysSuggest", callHandleFlag },
    { "LX_GetIgnoreWordsInUppercase", callHandle },
    { "LX_SetIgnoreWordsInUppercase", callHandleFlag },
    { "LX_GetIgnoreWordsWithNumbers", callHandle },
    { "LX_SetIgnoreWordsWithNumbers", callHandleFlag },
    { "LX_DownloadDictionaries", callHandleTwoTexts },
    { "LX_OptionsDialog", callOptionsDialog },
};

static void* bind(void* library, const char* name)
{
    void* function = dlsym(library, name);
    expect(function != NULL, name);
    return function;
}

static void checkSignedLetters(void* library, const char* dictionary)
{
    HANDLE (*init)(void) = (HANDLE(*)(void))bind(library, "LX_Init");
    BOOL (*open)
    (HANDLE, const char*, const char*)
        = (BOOL(*)(HANDLE, const char*, const char*))bind(library, "LX_OpenDictionary");
    BOOL (*isAlpha)
    (HANDLE, unsigned short) = (BOOL(*)(HANDLE, unsigned short))bind(library, "LX_IsCharAlpha");
    BOOL (*isLower)
    (HANDLE, unsigned short) = (BOOL(*)(HANDLE, unsigned short))bind(library, "LX_IsCharLower");
    BOOL (*isUpper)
    (HANDLE, unsigned short) = (BOOL(*)(HANDLE, unsigned short))bind(library, "LX_IsCharUpper");
    BOOL (*setOption)(HANDLE, BOOL) = (BOOL(*)(HANDLE, BOOL))bind(library, "LX_SetAlwaysSuggest");
    BOOL (*destroy)(HANDLE) = (BOOL(*)(HANDLE))bind(library, "LX_Destroy");
    if (!init || !open || !isAlpha || !isLower || !isUpper || !setOption || !destroy)
        return;
    HANDLE checker = init();
    expect(checker != NULL, "LX_Init gives a handle");
    expect(open(checker, dictionary, "") == 1, "the dictionary opens");
    signed char acute = (signed char)0xE9;
    signed char capitalAcute = (signed char)0xC9;
    signed char digit = '7';
    expect(isAlpha(checker, acute) == 1, "a signed e-acute is a letter");
    expect(isLower(checker, acute) == 1, "a signed e-acute is lower case");
    expect(isUpper(checker, capitalAcute) == 1, "a signed capital E-acute is upper case");
    expect(isAlpha(checker, digit) == 0, "a digit is no letter");
    expect(setOption(checker, 1) == 1, "a setter returns TRUE with a handle");
    expect(destroy(checker) == 1, "LX_Destroy returns TRUE with a handle");
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s library dictionary\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW);
    if (library == NULL) {
        fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    for (size_t i = 0; i < sizeof exports / sizeof exports[0]; ++i) {
        void* function = bind(library, exports[i].name);
        if (function != NULL)
            expect(exports[i].call(function) == 0, exports[i].name);
    }
    checkSignedLetters(library, argv[2]);
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
