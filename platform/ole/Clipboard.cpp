// The handle-level clipboard: registered format names, the open/empty/set/get session and
// the content a window puts there.
#include "platform/core/CodePage.h"
#include "platform/ole/ClipSource.h"
#include "platform/ui/UiApi.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace ole {

namespace {

constexpr UINT kFirstRegistered = 0xC000;
constexpr UINT kLastRegistered = 0xFFFF;

std::vector<std::string>& RegisteredNames()
{
    static std::vector<std::string> names;
    return names;
}

// A packed DIB is both CF_DIB and CF_BITMAP.
UINT StandIn(UINT format)
{
    return format == CF_DIB ? CF_BITMAP : format == CF_BITMAP ? CF_DIB : 0;
}

bool Has(const std::vector<UINT>& formats, UINT format)
{
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

// What a window put on the clipboard: stored bytes, and formats its owner renders on
// WM_RENDERFORMAT when someone asks for them.
class WindowContent : public ClipSource {
public:
    explicit WindowContent(HWND owner) : m_owner(owner) { }

    HWND Owner() const { return m_owner; }

    void Put(UINT format, Bytes bytes)
    {
        Note(format);
        m_stored[format] = std::move(bytes);
    }
    void Promise(UINT format) { Note(format); }

    std::vector<UINT> Formats() override { return m_order; }

    bool Render(UINT format, Bytes& bytes) override;

    static WindowContent* Rendering() { return rendering; }

private:
    void Note(UINT format)
    {
        if (std::find(m_order.begin(), m_order.end(), format) == m_order.end())
            m_order.push_back(format);
    }

    HWND m_owner;
    std::vector<UINT> m_order;
    std::map<UINT, Bytes> m_stored;
    static inline WindowContent* rendering = nullptr;
};

bool WindowContent::Render(UINT format, Bytes& bytes)
{
    bool promised = std::find(m_order.begin(), m_order.end(), format) != m_order.end();
    if (!m_stored.count(format) && promised && m_owner && IsWindow(m_owner) && !rendering) {
        rendering = this;
        SendMessage(m_owner, WM_RENDERFORMAT, format, 0);
        rendering = nullptr;
    }
    auto it = m_stored.find(format);
    if (it == m_stored.end())
        return false;
    bytes = it->second;
    return true;
}

struct Session {
    bool open = false;
    HWND opener = nullptr;
    std::shared_ptr<WindowContent> building;
    std::vector<std::pair<UINT, HANDLE>> handedOut;
};

Session& TheSession()
{
    static Session session;
    return session;
}

WindowContent* CurrentWindowContent()
{
    return dynamic_cast<WindowContent*>(CurrentClipboard().get());
}

} // namespace

std::vector<UINT> OfferedFormats(ClipSource& source)
{
    std::vector<UINT> formats = source.Formats();
    for (UINT format : source.Formats())
        if (UINT other = StandIn(format); other && !Has(formats, other))
            formats.push_back(other);
    return formats;
}

bool RenderFormat(ClipSource& source, UINT format, Bytes& bytes)
{
    if (source.Render(format, bytes))
        return true;
    UINT other = StandIn(format);
    return other && source.Render(other, bytes);
}

bool OffersFormat(ClipSource& source, UINT format) { return Has(OfferedFormats(source), format); }

} // namespace ole

using namespace ole;

UINT RegisterClipboardFormat(LPCSTR name)
{
    if (!name || !*name)
        return 0;
    std::vector<std::string>& names = RegisteredNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (lstrcmpiA(names[i].c_str(), name) == 0)
            return kFirstRegistered + static_cast<UINT>(i);
    if (kFirstRegistered + names.size() > kLastRegistered)
        return 0;
    names.emplace_back(name);
    return kFirstRegistered + static_cast<UINT>(names.size() - 1);
}

int GetClipboardFormatName(UINT format, LPSTR buffer, int size)
{
    const std::vector<std::string>& names = RegisteredNames();
    if (format < kFirstRegistered || format - kFirstRegistered >= names.size() || !buffer || size <= 0)
        return 0;
    const std::string& name = names[format - kFirstRegistered];
    int length = std::min(static_cast<int>(name.size()), size - 1);
    std::memcpy(buffer, name.data(), static_cast<size_t>(length));
    buffer[length] = '\0';
    return length;
}

BOOL OpenClipboard(HWND hwnd)
{
    Session& s = TheSession();
    if (s.open)
        return FALSE;
    s.open = true;
    s.opener = hwnd;
    return TRUE;
}

BOOL CloseClipboard()
{
    Session& s = TheSession();
    if (!s.open)
        return FALSE;
    for (auto& [format, handle] : s.handedOut)
        FreeHandle(format, handle);
    s = Session();
    return TRUE;
}

BOOL EmptyClipboard()
{
    Session& s = TheSession();
    if (!s.open)
        return FALSE;
    WindowContent* previous = CurrentWindowContent();
    if (previous && previous->Owner() && IsWindow(previous->Owner()))
        SendMessage(previous->Owner(), WM_DESTROYCLIPBOARD, 0, 0);
    s.building = std::make_shared<WindowContent>(s.opener);
    PublishClipboard(s.building);
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    Session& s = TheSession();
    WindowContent* target = WindowContent::Rendering();
    if (!target && s.open && s.building && IsPublished(s.building.get()))
        target = s.building.get();
    if (!target || format == 0)
        return nullptr;
    if (!data) {
        target->Promise(format);
        return nullptr;
    }
    Bytes bytes;
    if (!BytesFromHandle(format, data, bytes))
        return nullptr;
    target->Put(format, std::move(bytes));
    FreeHandle(format, data); // the clipboard owns the handle now and keeps its bytes
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    Session& s = TheSession();
    std::shared_ptr<ClipSource> source = CurrentClipboard();
    Bytes bytes;
    if (!s.open || !source || !RenderFormat(*source, format, bytes))
        return nullptr;
    HANDLE handle = HandleFromBytes(format, bytes);
    if (handle)
        s.handedOut.emplace_back(format, handle);
    return handle;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    std::shared_ptr<ClipSource> source = CurrentClipboard();
    return source && OffersFormat(*source, format);
}

int CountClipboardFormats()
{
    std::shared_ptr<ClipSource> source = CurrentClipboard();
    return source ? static_cast<int>(OfferedFormats(*source).size()) : 0;
}

UINT EnumClipboardFormats(UINT format)
{
    std::shared_ptr<ClipSource> source = CurrentClipboard();
    if (!TheSession().open || !source)
        return 0;
    std::vector<UINT> formats = OfferedFormats(*source);
    auto it = format == 0 ? formats.begin() : std::find(formats.begin(), formats.end(), format);
    if (format != 0 && it != formats.end())
        ++it;
    return it == formats.end() ? 0 : *it;
}

int GetPriorityClipboardFormat(const UINT* formats, int count)
{
    std::shared_ptr<ClipSource> source = CurrentClipboard();
    if (!source || source->Formats().empty())
        return 0;
    for (int i = 0; formats && i < count; ++i)
        if (OffersFormat(*source, formats[i]))
            return static_cast<int>(formats[i]);
    return -1;
}

HWND GetClipboardOwner()
{
    WindowContent* content = CurrentWindowContent();
    return content && IsWindow(content->Owner()) ? content->Owner() : nullptr;
}

HWND GetOpenClipboardWindow() { return TheSession().open ? TheSession().opener : nullptr; }
