// The choosers of the property editor dialog: font, file, date and time, colour, picture and
// lists, and the notifications by which the popups hand their choice back.
#include "controls/PropEditDlg.h"

#include "controls/ColourComboBox.h"
#include "controls/ColourPickerPopup.h"
#include "controls/ColourTable.h"
#include "controls/CoolComboNotify.h"
#include "controls/DateTimeDlg.h"
#include "controls/EditBitmapDlg.h"
#include "controls/HyperColorDlg.h"
#include "controls/HyperFontDlg.h"
#include "controls/RelativeFileDialog.h"
#include "controls/SnapPointsDlg.h"
#include "objects/HyperBaseOb.h"
#include "objects/PropText.h"
#include "platform/core/System.h"
#include "platform/core/Time.h"

#include <algorithm>

namespace {

constexpr UINT AllFilesFilterId = 26641;
constexpr UINT AutomaticTextId = 26631;
constexpr UINT MoreColoursTextId = 26691;
constexpr LPCTSTR DateTimeFormat = "%d.%m.%Y %H:%M:%S";

} // namespace

// The font dialog works on the value itself: its Apply stores the font shown there before it
// asks this dialog to apply it.
void CPropEditDlg::ChooseFont()
{
    RunFontDialog(&m_fontValue.GetLogFont(), this, FALSE, CF_SCREENFONTS);
    ExchangeProperty(TRUE);
}

void CPropEditDlg::ChooseFile()
{
    const UINT filterId = m_current ? static_cast<CPropFile*>(m_current)->m_filterId : 0;
    CString filter;
    if (filterId == 0 || !filter.LoadString(filterId) || filter.IsEmpty())
        filter.LoadString(AllFilesFilterId);
    if (filter.IsEmpty())
        filter = "All Files (*.*)|*.*||";
    CRelativeFileDialog dialog(nullptr, m_textValue, filter, this);
    if (dialog.DoModal() == IDOK) {
        m_textValue = dialog.GetRelativePathName();
        m_textValue.MakeLower();
    } else if (dialog.m_bReset) {
        m_textValue.Empty();
    }
    ExchangeProperty(TRUE);
}

void CPropEditDlg::ChooseDateTimeIn(BOOL compact)
{
    const CRect screen = ScreenEditorRect();
    CString text = m_textValue;
    if (text.IsEmpty())
        text = CTime::GetCurrentTime().Format(DateTimeFormat);
    CDateTimeDlg dialog(screen.left, screen.top, DateTimeDialogId, text, this, compact);
    dialog.DoModal();
}

void CPropEditDlg::ChooseDateTime()
{
    ChooseDateTimeIn(FALSE);
}

void CPropEditDlg::ChooseDateTimeAlt()
{
    ChooseDateTimeIn(TRUE);
}

void CPropEditDlg::ChooseColour()
{
    COLORREF initial = m_colourValue;
    CHyperBaseOb* owner = GetOwnerObject();
    if (initial == AutomaticColour && owner)
        initial = owner->GetPageColor();
    CHyperColorDlg dialog(initial, this);
    COLORREF none[16] = {};
    COLORREF* custom = owner ? owner->GetCustomColors() : nullptr;
    dialog.m_cc.lpCustColors = custom ? custom : none;
    if (!custom) {
        dialog.m_cc.Flags |= CC_PREVENTFULLOPEN;
        dialog.m_cc.Flags &= ~static_cast<DWORD>(CC_FULLOPEN);
    }
    if (dialog.DoModal() == IDOK)
        m_colourValue = dialog.GetColor();
    else if (dialog.m_bReset)
        m_colourValue = AutomaticColour;
    ExchangeProperty(TRUE);
}

void CPropEditDlg::ShowColourPopup()
{
    CString automatic;
    CString more;
    automatic.LoadString(AutomaticTextId);
    more.LoadString(MoreColoursTextId);
    if (automatic.IsEmpty())
        automatic = "Automatic";
    if (more.IsEmpty())
        more = "More Colors...";
    CHyperBaseOb* owner = GetOwnerObject();
    CColourPickerPopup::Content content;
    content.columns = 8;
    content.extraText = more;
    CStringArray entries;
    entries.Add(automatic);
    content.textEntries = &entries;
    CColourPickerPopup::Colours colours{ProgramColours.data(), static_cast<int>(ProgramColours.size()),
                                        m_colourValue, owner ? owner->GetCustomColors() : nullptr, TRUE};
    auto* popup = new CColourPickerPopup;
    const CRect screen = ScreenEditorRect();
    if (!popup->CreateColour(CPoint(screen.left, screen.bottom), this, ColourPopupId, content, colours))
        delete popup;
}

void CPropEditDlg::BrowseBitmap()
{
    CHyperBaseOb* owner = GetOwnerObject();
    CExtDib copy;
    copy.CopyFrom(m_bitmapValue);
    const BOOL edited = EditBitmapProperty(&copy, owner ? owner->GetView() : nullptr);
    if (edited)
        m_bitmapValue.CopyFrom(copy);
    ExchangeProperty(TRUE);
    // A picture has no value text that would show the change, so it is applied here.
    if (edited) {
        MarkCurrentChanged();
        ApplyAndNotify();
    }
}

// The plain Edit Bitmap dialog; the catalogue layer offers the paint editor as well.
BOOL CPropEditDlg::EditBitmapProperty(CExtDib* bitmap, CHyperRunView*)
{
    return EditPictureCopy(bitmap, this, FALSE);
}

void CPropEditDlg::EditSnapPoints()
{
    CSnapPointsDlg dialog(&m_snapPoints, CSnapPointsDlg::TemplateId, this);
    m_listEdited = dialog.DoModal() == IDOK;
    ExchangeProperty(TRUE);
}

void CPropEditDlg::BrowseLayers()
{
    CHyperBaseOb* owner = GetOwnerObject();
    m_layers.SetView(owner ? owner->GetView() : nullptr);
    ExchangeProperty(TRUE);
}

CRect CPropEditDlg::ScreenEditorRect() const
{
    CRect rect = m_editorRect;
    ClientToScreen(&rect);
    return rect;
}

CString CPropEditDlg::GetProgramFolder() const
{
    char path[1024] = {};
    GetModuleFileName(nullptr, path, sizeof path);
    CString module(path);
    const int last = std::max(module.ReverseFind('/'), module.ReverseFind('\\'));
    return last < 0 ? CString() : module.Left(last);
}

BOOL CPropEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    BOOL arrived = FALSE;
    if (header && header->idFrom == ColourPopupId && (header->code == CCN_SELECT || header->code == CCN_EXTRA)) {
        auto* popup = dynamic_cast<CColourPickerPopup*>(reinterpret_cast<NMCOOLCOMBO*>(lParam)->sender);
        if (popup && popup->GetColour() != m_colourValue) {
            m_colourValue = popup->GetColour();
            arrived = TRUE;
        }
    } else if (header && header->idFrom == DateTimeDialogId && header->code == CCN_SELECT) {
        if (auto* dialog = dynamic_cast<CDateTimeDlg*>(reinterpret_cast<NMCOOLCOMBO*>(lParam)->sender)) {
            m_textValue = dialog->GetText();
            arrived = TRUE;
        }
    }
    if (arrived && ExchangeProperty(TRUE)) {
        MarkCurrentChanged();
        ApplyAndNotify();
    }
    Invalidate();
    return CPropDialogBase::OnNotify(wParam, lParam, result);
}

