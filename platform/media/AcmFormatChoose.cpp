#include "platform/media/Acm.h"

#include "platform/media/AcmFormats.h"
#include "platform/ui/WindowTable.h"

#include <QInputDialog>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

namespace {

struct Script {
    std::mutex mutex;
    std::deque<int> choices;
};

Script& Scripted()
{
    static Script script;
    return script;
}

std::string Entry(const AcmFormat& f) { return FormatTagName(f.wfx.wFormatTag) + ", " + FormatDescription(f.wfx); }

// The index of the format the user picks, or -1.
int Ask(const ACMFORMATCHOOSE& choose, int initial)
{
    {
        std::lock_guard lock(Scripted().mutex);
        if (!Scripted().choices.empty()) {
            int index = Scripted().choices.front();
            Scripted().choices.pop_front();
            return index;
        }
    }
    if (!ui::HaveDisplay())
        return -1;
    QStringList items;
    for (const AcmFormat& f : ConvertibleFormats())
        items << QString::fromStdString(Entry(f));
    bool ok = false;
    QString title = choose.pszTitle ? QString::fromLatin1(choose.pszTitle) : QStringLiteral("Sound Selection");
    QString picked = QInputDialog::getItem(nullptr, title, QStringLiteral("Format:"), items, initial, false, &ok);
    return ok ? int(items.indexOf(picked)) : -1;
}

void CopyText(char* to, size_t size, const std::string& text)
{
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(to, text.data(), n);
    to[n] = '\0';
}

}  // namespace

void AcmTestHook::QueueFormatChoice(int index)
{
    std::lock_guard lock(Scripted().mutex);
    Scripted().choices.push_back(index);
}

MMRESULT acmFormatChoose(LPACMFORMATCHOOSE choose)
{
    if (!choose || choose->cbStruct < sizeof(ACMFORMATCHOOSE) || !choose->pwfx)
        return MMSYSERR_INVALPARAM;
    const auto& formats = ConvertibleFormats();
    int initial = 0;
    if (choose->fdwStyle & ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT) {
        auto start = choose->cbwfx >= sizeof(WAVEFORMATEX) ? ReadAcmFormat(choose->pwfx) : std::nullopt;
        auto it = start ? std::find(formats.begin(), formats.end(), *start) : formats.end();
        initial = it == formats.end() ? 0 : int(it - formats.begin());
    }
    int index = Ask(*choose, initial);
    if (index < 0 || size_t(index) >= formats.size())
        return ACMERR_CANCELED;
    std::vector<BYTE> bytes = formats[size_t(index)].Bytes();
    if (choose->cbwfx < bytes.size())
        return ACMERR_NOTPOSSIBLE;
    std::memcpy(choose->pwfx, bytes.data(), bytes.size());
    CopyText(choose->szFormatTag, sizeof choose->szFormatTag, FormatTagName(formats[size_t(index)].wfx.wFormatTag));
    CopyText(choose->szFormat, sizeof choose->szFormat, FormatDescription(formats[size_t(index)].wfx));
    return MMSYSERR_NOERROR;
}
