#include "objects/HyperFrameOb.h"

#include "objects/FrameWindow.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropListValue.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/SectionTag.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <utility>

IMPLEMENT_SERIAL(CHyperFrameOb, CHyperBaseOb, 0)

namespace {

CPropCombo* StyleEditor(UINT nameId, DWORD* field, DWORD bit, UINT offTextId, UINT onTextId)
{
    auto* editor = new CPropCombo(nameId, field);
    editor->m_kind = 4;
    editor->AddChoiceById(offTextId, ~bit);
    editor->AddChoiceById(onTextId, bit);
    return editor;
}

} // namespace

CHyperFrameOb::CHyperFrameOb()
{
    Title.LoadString(26633);
}

CHyperFrameOb::~CHyperFrameOb() = default;

void CHyperFrameOb::SetWidth(long width)
{
    m_width = static_cast<int>(std::clamp(width, 0L, static_cast<long>(MaxSize)));
}

void CHyperFrameOb::SetHeight(long height)
{
    m_height = static_cast<int>(std::clamp(height, 0L, static_cast<long>(MaxSize)));
}

void CHyperFrameOb::SetView(CHyperRunView* view)
{
    m_view = view;
    CObjectHost* host = GetObjectHost(view);
    m_parentFrame = host ? host->GetFrameWindow() : nullptr;
    Code = GetTypeName();
}

void CHyperFrameOb::UpdateLayout(int, BOOL)
{
    if (m_parentFrame)
        ApplyToFrame(m_parentFrame);
}

void CHyperFrameOb::ApplyToFrame(CFrameWindow* frame) const
{
    BOOL maximized = frame->IsMaximized();
    UINT flags = CFrameWindow::PosNoMove | CFrameWindow::PosNoZOrder | (maximized ? CFrameWindow::PosNoSize : 0);
    DWORD style = frame->GetStyle();
    for (auto [field, bit] : {std::pair{MinimizeBox, CFrameWindow::StyleMinimizeBox},
                              std::pair{MaximizeBox, CFrameWindow::StyleMaximizeBox},
                              std::pair{BorderStyle, CFrameWindow::StyleThickFrame}}) {
        if (IsOn(field, bit) != IsOn(style, bit)) {
            frame->ModifyStyle(IsOn(field, bit) ? 0 : bit, IsOn(field, bit) ? bit : 0);
            flags |= CFrameWindow::PosFrameChanged;
        }
    }
    const DWORD help = CFrameWindow::ExStyleContextHelp;
    if (IsOn(WhatsThisHelp, help) != IsOn(frame->GetExStyle(), help)) {
        frame->ModifyStyleEx(IsOn(WhatsThisHelp, help) ? 0 : help, IsOn(WhatsThisHelp, help) ? help : 0);
        flags |= CFrameWindow::PosFrameChanged;
    }
    frame->SetWindowText(Title);
    CRect window, client;
    frame->GetWindowRect(&window);
    frame->GetClientRect(&client);
    // A maximised window keeps its size but still redraws a changed frame.
    if (!maximized || (flags & CFrameWindow::PosFrameChanged))
        frame->SetWindowPos(m_width + window.Width() - client.Width(), m_height + window.Height() - client.Height(),
                            flags);
}

void CHyperFrameOb::CopyLocalList(CHyperFrameOb* other) const
{
    other->m_locals.CopyFrom(&m_locals);
}

void CHyperFrameOb::CopyFrom(const CHyperBaseOb* base)
{
    auto* other = dynamic_cast<const CHyperFrameOb*>(base);
    if (!other || other == this)
        return;
    Title = other->Title;
    m_width = other->m_width;
    m_height = other->m_height;
    MinimizeBox = other->MinimizeBox;
    MaximizeBox = other->MaximizeBox;
    BorderStyle = other->BorderStyle;
    WhatsThisHelp = other->WhatsThisHelp;
    other->CopyLocalList(this);
    SetView(other->GetView());
    m_parentFrame = other->m_parentFrame;
    m_lastWord = other->m_lastWord;
}

CHyperFrameOb* CHyperFrameOb::Clone() const
{
    auto* clone = static_cast<CHyperFrameOb*>(GetRuntimeClass()->CreateObject());
    clone->CopyFrom(this);
    return clone;
}

void CHyperFrameOb::LoadSizesAndStyles(CArchive& archive)
{
    WORD width = 0, height = 0;
    archive >> Title >> width >> height >> MinimizeBox >> MaximizeBox >> BorderStyle;
    m_width = width;
    m_height = height;
}

void CHyperFrameOb::TakeOldValue(DWORD old)
{
    if (old == 0)
        return;
    if (!m_oldValue)
        m_oldValue = std::make_unique<CObValue>();
    m_oldValue->Set(CObValue::KindNone | (old & 0xFFFF), m_oldValue->GetRawText());
}

void CHyperFrameOb::SerializeRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        archive << Title << static_cast<WORD>(m_width) << static_cast<WORD>(m_height) << MinimizeBox << MaximizeBox
                << BorderStyle;
        m_locals.Serialize(archive);
        archive << WhatsThisHelp;
        return;
    }
    BOOL tagged = tag.Read();
    LoadSizesAndStyles(archive);
    m_locals.DeleteAll();
    DWORD old = 0;
    if (tagged) {
        m_locals.Serialize(archive);
        if (tag.GetVersion() <= 1)
            archive >> old;
        if (tag.GetVersion() == 1) {
            m_oldValue = std::make_unique<CObValue>();
            m_oldValue->Serialize(archive);
        }
        if (tag.GetVersion() >= 2)
            archive >> WhatsThisHelp;
    } else {
        if (CSectionTag(&archive, 0x22222222).Probe())
            m_locals.Serialize(archive);
        if (CSectionTag(&archive, 0x33333333).Probe())
            archive >> old;
    }
    TakeOldValue(old);
}

CPropOb* CHyperFrameOb::CreateProperty(UINT propertyId, BOOL)
{
    switch (propertyId) {
    case TitleId:
        return new CPropStr(propertyId, &Title);
    case WidthId:
        return new CPropInt(propertyId, &m_width, 0, MaxSize);
    case HeightId:
        return new CPropInt(propertyId, &m_height, 0, MaxSize);
    case MinimizeId:
        return StyleEditor(propertyId, &MinimizeBox, MinimizeOn, 27146, 27147);
    case MaximizeId:
        return StyleEditor(propertyId, &MaximizeBox, MaximizeOn, 27146, 27147);
    case BorderId:
        return StyleEditor(propertyId, &BorderStyle, ResizingBorder, 27246, 27247);
    case HelpId:
        return StyleEditor(propertyId, &WhatsThisHelp, HelpButtonOn, 27146, 27147);
    case LocalsId:
        return new CPropLocal(propertyId, &m_locals);
    default:
        return nullptr;
    }
}

void CHyperFrameOb::CollectProperties(CObArray& list, BOOL argument)
{
    static constexpr UINT ids[] = {TitleId, WidthId, HeightId, MinimizeId, MaximizeId, BorderId, HelpId};
    for (UINT id : ids) {
        if (CPropOb* editor = CreateProperty(id, argument))
            list.Add(editor);
    }
}
