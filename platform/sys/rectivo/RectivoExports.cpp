#include "platform/sys/rectivo/Rectivo.h"

#include "platform/core/FilePath.h"
#include "platform/sys/OrdinalExports.h"
#include "platform/sys/rectivo/CorrectionList.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

struct RectivoList {
    CCorrectionList list;
};

namespace {

std::mutex g_lock;
std::set<RECTIVO_HANDLE> g_lists;

// Runs `action` on the list when the handle is one of ours, else gives `otherwise`.
template <typename Action>
auto WithList(
    RECTIVO_HANDLE handle, Action action, decltype(action(std::declval<CCorrectionList&>())) otherwise)
{
    std::lock_guard guard(g_lock);
    return g_lists.contains(handle) ? action(handle->list) : otherwise;
}

int Swap(bool& flag, int value)
{
    int previous = flag ? 1 : 0;
    flag = value != 0;
    return previous;
}

} // namespace

RECTIVO_HANDLE Rectivo_Open(LPCSTR listFile, int)
{
    auto list = std::make_unique<RectivoList>();
    if (listFile != nullptr && *listFile != '\0')
        list->list.Load(SystemPathFromName(listFile));
    std::lock_guard guard(g_lock);
    return *g_lists.insert(list.release()).first;
}

void Rectivo_Close(RECTIVO_HANDLE list)
{
    std::lock_guard guard(g_lock);
    if (g_lists.erase(list) != 0)
        delete list;
}

int Rectivo_SetCorrectTwoInitCaps(RECTIVO_HANDLE list, int flag)
{
    return WithList(
        list, [flag](CCorrectionList& l) { return Swap(l.correctTwoInitCaps, flag); }, 0);
}

int Rectivo_SetCapitalizeSentence(RECTIVO_HANDLE list, int flag)
{
    return WithList(
        list, [flag](CCorrectionList& l) { return Swap(l.capitalizeSentence, flag); }, 0);
}

int Rectivo_SetCorrectCapsLock(RECTIVO_HANDLE list, int flag)
{
    return WithList(
        list, [flag](CCorrectionList& l) { return Swap(l.correctCapsLock, flag); }, 0);
}

int Rectivo_GetReplacement(RECTIVO_HANDLE list, LPCSTR word, LPSTR buffer, int size)
{
    if (buffer != nullptr && size > 0)
        *buffer = '\0';
    if (word == nullptr)
        return 0;
    std::string replacement = WithList(
        list, [word](CCorrectionList& l) { return l.Replacement(word); }, std::string());
    if (buffer != nullptr && size > 0) {
        size_t copied = std::min(replacement.size(), static_cast<size_t>(size) - 1);
        std::memcpy(buffer, replacement.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(replacement.size());
}

int Rectivo_IsFirstLetterException(RECTIVO_HANDLE list, LPCSTR text)
{
    if (text == nullptr)
        return 0;
    return WithList(
        list, [text](CCorrectionList& l) { return l.IsFirstLetterException(text) ? 1 : 0; }, 0);
}

namespace {

ORDINAL_PROC Proc(auto function)
{
    return reinterpret_cast<ORDINAL_PROC>(function);
}

const ORDINAL_PROC kProcs[] = {
    Proc(&Rectivo_Open),
    Proc(&Rectivo_Close),
    nullptr,
    Proc(&Rectivo_SetCorrectTwoInitCaps),
    nullptr,
    Proc(&Rectivo_SetCapitalizeSentence),
    nullptr,
    Proc(&Rectivo_SetCorrectCapsLock),
    nullptr,
    nullptr,
    Proc(&Rectivo_GetReplacement),
    Proc(&Rectivo_IsFirstLetterException),
};

} // namespace

const ORDINAL_EXPORTS OrdinalExports = { RECTIVO_ORD_Open, static_cast<uint16_t>(std::size(kProcs)), kProcs };
