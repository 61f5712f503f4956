#include "controls/EditBitmapDlg.h"

#include "controls/RelativeFileDialog.h"
#include "imaging/ExtDib.h"
#include "imaging/TransparentDraw.h"
#include "objects/ShellServices.h"
#include "objects/ViewSettings.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"
#include "platform/ole/Clipboard.h"
#include "platform/ui/DataExchange.h"

#include <array>

namespace {

BitmapEditorFn g_bitmapEditor = nullptr;

struct FileType {
    const char* key;
    const char* patterns;
};
constexpr std::array<FileType, 14> kFileTypes = {{{"BMP file", "*.bmp;*.dib;*.rle"},
                                                  {"JPEG file", "*.jpg;*.jpeg;*.jif"},
                                                  {"PNG file", "*.png"},
                                                  {"PICT file", "*.pct"},
                                                  {"TIFF file", "*.tif;*.eps"},
                                                  {"TARGA file", "*.tga"},
                                                  {"Windows Metafile", "*.wmf"},
                                                  {"Windows Enhanced Metafile", "*.emf"},
                                                  {"PCX file", "*.pcx"},
                                                  {"Portable Greymap File", "*.pgm"},
                                                  {"Portable Pixmap File", "*.ppm"},
                                                  {"Photoshop File", "*.psd"},
                                                  {"GIF", "*.gif"},
                                                  {"Icon", "*.ico"}}};
constexpr DWORD kAllSupportedIndex = 15;
constexpr UINT kAllFilesText = 61441;

CString LoadText(UINT id, const char* fallback)
{
    CString text;
    return LookupStringResource(id, text) ? text : CString(fallback);
}

} // namespace

void SetBitmapEditor(BitmapEditorFn editor) { g_bitmapEditor = editor; }
BitmapEditorFn GetBitmapEditor() { return g_bitmapEditor; }

BEGIN_MESSAGE_MAP(CEditBitmapDlg, CFlexSizeDialog)
    ON_WM_DRAWITEM()
    ON_WM_ACTIVATE()
    ON_BN_CLICKED(CEditBitmapDlg::IdCopy, CopyPicture)
    ON_BN_CLICKED(CEditBitmapDlg::IdPaste, PastePicture)
    ON_BN_CLICKED(CEditBitmapDlg::IdLoad, LoadPicture)
    ON_BN_CLICKED(CEditBitmapDlg::IdClear, ClearPicture)
    ON_BN_CLICKED(CEditBitmapDlg::IdRle, OnRleClicked)
    ON_BN_CLICKED(CEditBitmapDlg::IdLink, OnLinkClicked)
    ON_CBN_SELCHANGE(CEditBitmapDlg::IdColours, OnColourChanged)
END_MESSAGE_MAP()

CEditBitmapDlg::CEditBitmapDlg(CExtDib** picture, CWnd* view, UINT templateId, CWnd* parent)
    : CFlexSizeDialog(templateId, parent)
    , m_ppPicture(picture)
    , m_pView(view)
{
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL), 27696u, IdCopy, IdPaste, IdLoad, IdClear, IdRle, IdLink, IdEdit})
        AddFlexControl(id, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(IdPreview, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    for (UINT id : {27722u, 27723u, IdColours})
        AddFlexControl(id, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move);
    AddFlexControl(IdFileName, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
}

CEditBitmapDlg::~CEditBitmapDlg()
{
    if (!m_MemDC.GetSafeHdc())
        return;
    HGDIOBJ made = ::SelectObject(m_MemDC.GetSafeHdc(), m_hOldBitmap);
    if (made && made != m_hOldBitmap)
        ::DeleteObject(made);
}

BOOL CEditBitmapDlg::CanCompress() const
{
    const CExtDib* picture = *m_ppPicture;
    return picture && !picture->GetPackRoutine() && picture->GetBitCount() <= 4;
}

BOOL CEditBitmapDlg::OnInitDialog()
{
    CFlexSizeDialog::OnInitDialog();
    const CExtDib* picture = *m_ppPicture;
    if (picture && picture->GetPackRoutine())
        m_bRLE = 1;
    else
        m_bRLE = picture && picture->m_kind == CExtDib::InPlace && picture->UsesCompression();
    m_bLink = picture && picture->m_kind == CExtDib::Linked;
    UpdateControls();
    if (CWnd* rle = GetDlgItem(IdRle))
        rle->EnableWindow(CanCompress());
    CClientDC client(this);
    m_MemDC.CreateCompatibleDC(&client);
    CBitmap* first = m_MemDC.GetCurrentBitmap();
    m_hOldBitmap = first ? first->GetSafeHandle() : nullptr;
    if (CWnd* preview = GetDlgItem(IdPreview))
        preview->ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
    m_Colours.SubclassDlgItem(IdColours, this);
    m_Colours.Fill(TRUE, &GetViewSettings().m_defaultFont, 20);
    SelectColour(picture ? picture->m_colour : CExtDib::NoColour);
    SelectPicture();
    return TRUE;
}

void CEditBitmapDlg::DoDataExchange(CDataExchange* dx)
{
    CFlexSizeDialog::DoDataExchange(dx);
    DDX_Text(dx, IdFileName, m_strFileName);
    DDX_Check(dx, IdRle, m_bRLE);
    DDX_Check(dx, IdLink, m_bLink);
}

void CEditBitmapDlg::SelectColour(COLORREF colour)
{
    if (!m_Colours.GetSafeHwnd())
        return;
    int chosen = 0;
    for (int i = 0; i < m_Colours.GetCount(); ++i)
        if (static_cast<COLORREF>(m_Colours.GetItemData(i)) == colour)
            chosen = i;
    m_Colours.SetCurSel(chosen);
}

COLORREF CEditBitmapDlg::GetSelectedColour() const
{
    const int index = m_Colours.GetSafeHwnd() ? m_Colours.GetCurSel() : -1;
    return index < 0 ? CExtDib::NoColour : static_cast<COLORREF>(m_Colours.GetItemData(index));
}

// The picture's device bitmap goes into the memory DC; the one it replaces was made for the
// previous picture and is deleted.
void CEditBitmapDlg::SelectPicture()
{
    if (!m_MemDC.GetSafeHdc())
        return;
    CExtDib* picture = *m_ppPicture;
    CBitmap* previous = picture && picture->m_kind != CExtDib::None ? picture->SelectIntoDC(&m_MemDC, &m_sizePicture)
                                                                    : nullptr;
    HGDIOBJ replaced = previous ? previous->GetSafeHandle() : nullptr;
    if (!previous) {
        m_sizePicture = CSize(0, 0);
        replaced = ::SelectObject(m_MemDC.GetSafeHdc(), m_hOldBitmap);
    }
    if (replaced && replaced != m_hOldBitmap)
        ::DeleteObject(replaced);
}

void CEditBitmapDlg::UpdateControls()
{
    const CExtDib* picture = *m_ppPicture;
    const UINT kind = picture ? picture->m_kind : CExtDib::None;
    if (kind == CExtDib::None)
        m_strFileName = LoadText(IdsNone, "(None)");
    else if (kind == CExtDib::InPlace)
        m_strFileName = LoadText(IdsBitmap, "(Bitmap)");
    else
        m_strFileName = picture->m_name;
    UpdateData(FALSE);
    const auto enable = [this](UINT id, BOOL on) {
        if (CWnd* item = GetDlgItem(static_cast<int>(id)))
            item->EnableWindow(on);
    };
    enable(IdCopy, kind != CExtDib::None);
    enable(IdPaste, ::IsClipboardFormatAvailable(CF_BITMAP));
    enable(IdRle, CanCompress() && kind == CExtDib::InPlace);
    enable(IdLink, kind == CExtDib::Embedded || kind == CExtDib::Linked);
    // Only the editable variant offers the paint editor.
    if (CWnd* edit = GetDlgItem(IdEdit))
        edit->ShowWindow(SW_HIDE);
}

void CEditBitmapDlg::ReplacePicture(std::unique_ptr<CExtDib> fresh)
{
    CExtDib* old = *m_ppPicture;
    if (old)
        fresh->SetPackRoutine(old->GetPackRoutine());
    *m_ppPicture = fresh.release();
    SelectPicture();
    delete old;
}

void CEditBitmapDlg::TakeBitmap(CBitmap* bitmap, UINT bitCount)
{
    BITMAP bm{};
    if (!bitmap || !bitmap->GetBitmap(&bm))
        return;
    if (!bitCount)
        bitCount = static_cast<UINT>(bm.bmPlanes * bm.bmBitsPixel);
    const CExtDib* old = *m_ppPicture;
    const BOOL compress = m_bRLE && !(old && old->GetPackRoutine());
    auto fresh = std::make_unique<CExtDib>();
    CClientDC client(this);
    if (!fresh->CreateFromBitmap(&client, bitmap, bitCount, compress))
        return;
    fresh->m_kind = CExtDib::InPlace;
    fresh->m_colour = CExtDib::NoColour;
    m_bLink = 0;
    ReplacePicture(std::move(fresh));
}

void CEditBitmapDlg::Retake(CDib& source)
{
    CDC dc;
    dc.CreateCompatibleDC(&m_MemDC);
    CBitmap* previous = source.SelectIntoDC(&dc, nullptr);
    if (!previous)
        return;
    CBitmap own;
    own.Attach(dc.GetCurrentBitmap()->GetSafeHandle());
    ::SelectObject(dc.GetSafeHdc(), previous->GetSafeHandle());
    TakeBitmap(&own, source.GetBitCount());
}

void CEditBitmapDlg::PastePicture()
{
    UpdateData(TRUE);
    if (!::OpenClipboard(m_hWnd))
        return;
    if (HANDLE data = ::GetClipboardData(CF_BITMAP)) {
        TakeBitmap(CBitmap::FromHandle(static_cast<HBITMAP>(data)), 0);
        UpdateControls();
        RedrawPreview();
    }
    ::CloseClipboard();
}

void CEditBitmapDlg::CopyPicture()
{
    CExtDib* picture = *m_ppPicture;
    CDC dc;
    dc.CreateCompatibleDC(&m_MemDC);
    CBitmap* previous = picture ? picture->SelectIntoDC(&dc, nullptr) : nullptr;
    CBitmap* made = previous ? dc.GetCurrentBitmap() : nullptr;
    if (made) {
        const HGDIOBJ handle = made->GetSafeHandle();
        ::SelectObject(dc.GetSafeHdc(), previous->GetSafeHandle());
        if (::OpenClipboard(m_hWnd)) {
            ::EmptyClipboard();
            ::SetClipboardData(CF_BITMAP, handle);
            ::CloseClipboard();
        } else {
            ::DeleteObject(handle);
        }
    }
    UpdateControls();
}

void CEditBitmapDlg::ClearPicture()
{
    ReplacePicture(std::make_unique<CExtDib>());
    m_bRLE = (*m_ppPicture)->GetPackRoutine() != nullptr;
    m_bLink = 0;
    UpdateControls();
    RedrawPreview();
}

CString CEditBitmapDlg::BuildFilter()
{
    CString filter;
    CString all;
    for (const FileType& type : kFileTypes) {
        filter += GetShellServices().GetLanguageText(type.key) + " (" + type.patterns + ")|" + type.patterns + "|";
        if (!all.IsEmpty())
            all += ";";
        all += type.patterns;
    }
    filter += GetShellServices().GetLanguageText("All supported graphic formats") + "|" + all + "|";
    filter += LoadText(kAllFilesText, "All Files (*.*)") + "|*.*||";
    return filter;
}

// The file chooser's Cancel changes nothing; only its reset button empties the picture.
BOOL CEditBitmapDlg::ChooseFile()
{
    const CExtDib* picture = *m_ppPicture;
    CString name = picture ? picture->m_name : CString();
    CRelativeFileDialog dialog(nullptr, name, BuildFilter(), this);
    dialog.m_ofn.nFilterIndex = kAllSupportedIndex;
    const INT_PTR result = dialog.DoModal();
    if (result != IDOK) {
        if (dialog.m_bReset)
            ClearPicture();
        return FALSE;
    }
    const CString path = dialog.GetRelativePathName();
    if (path.IsEmpty()) {
        ClearPicture();
        return FALSE;
    }
    // File names keep their case: on this system a lower-cased name is another file.
    m_strFileName = path;
    return TRUE;
}

// The new picture replaces the old one only once it has loaded.
void CEditBitmapDlg::LoadPicture()
{
    UpdateData(TRUE);
    if (!ChooseFile())
        return;
    auto fresh = std::make_unique<CExtDib>();
    if (!fresh->Load(m_strFileName, CExtDib::Linked, TRUE) || !fresh->GetSize())
        return;
    ReplacePicture(std::move(fresh));
    m_bLink = 1;
    m_bRLE = (*m_ppPicture)->GetPackRoutine() != nullptr;
    SelectColour((*m_ppPicture)->m_colour);
    UpdateControls();
    RedrawPreview();
}

// Compressing is done in memory: the picture is taken again from its own bitmap.
void CEditBitmapDlg::OnRleClicked()
{
    UpdateData(TRUE);
    CExtDib* picture = *m_ppPicture;
    if (picture && picture->m_kind != CExtDib::None)
        Retake(*picture);
    UpdateControls();
    RedrawPreview();
}

void CEditBitmapDlg::OnLinkClicked()
{
    CExtDib* picture = *m_ppPicture;
    if (picture && picture->m_kind == CExtDib::Embedded)
        picture->m_kind = CExtDib::Linked;
    else if (picture && picture->m_kind == CExtDib::Linked)
        picture->m_kind = CExtDib::Embedded;
    UpdateData(TRUE);
}

void CEditBitmapDlg::OnColourChanged() { RedrawPreview(); }

void CEditBitmapDlg::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CFlexSizeDialog::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE)
        return;
    if (CWnd* paste = GetDlgItem(IdPaste))
        paste->EnableWindow(::IsClipboardFormatAvailable(CF_BITMAP));
}

CRect CEditBitmapDlg::PreviewPlace(CSize picture, const CRect& area)
{
    if (picture.cx <= 0 || picture.cy <= 0 || area.IsRectEmpty())
        return CRect(area.TopLeft(), CSize(0, 0));
    CSize shown = picture;
    if (picture.cx > area.Width() || picture.cy > area.Height()) {
        const bool heightLimits = double(picture.cy) / area.Height() >= double(picture.cx) / area.Width();
        shown = heightLimits ? CSize(picture.cx * area.Height() / picture.cy, area.Height())
                             : CSize(area.Width(), picture.cy * area.Width() / picture.cx);
    }
    const CPoint at(area.left + (area.Width() - shown.cx) / 2, area.top + (area.Height() - shown.cy) / 2);
    return CRect(at, shown);
}

// The preview is drawn by its own control, so that nothing paints over the picture.
void CEditBitmapDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != static_cast<int>(IdPreview)) {
        CFlexSizeDialog::OnDrawItem(id, item);
        return;
    }
    CDC* dc = CDC::FromHandle(item->hDC);
    CRect area(item->rcItem);
    area.DeflateRect(1, 1);
    dc->FillSolidRect(area, ::GetSysColor(COLOR_WINDOW));
    const CExtDib* picture = *m_ppPicture;
    if (!picture || picture->m_kind == CExtDib::None || !m_MemDC.GetSafeHdc() || m_sizePicture.cx <= 0)
        return;
    // A bitmap is drawn from a DC of its own, so it leaves the memory DC meanwhile.
    const HGDIOBJ shown = ::SelectObject(m_MemDC.GetSafeHdc(), m_hOldBitmap);
    if (!shown)
        return;
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(area);
    dc->SetStretchBltMode(COLORONCOLOR);
    const CRect place = PreviewPlace(m_sizePicture, area);
    POINT at = place.TopLeft();
    CSize source = m_sizePicture;
    CSize target = place.Size();
    DrawBitmapTransparent(CBitmap::FromHandle(static_cast<HBITMAP>(shown)), &at, &source, &target,
                          GetSelectedColour(), dc, FALSE);
    dc->RestoreDC(saved);
    ::SelectObject(m_MemDC.GetSafeHdc(), shown);
}

void CEditBitmapDlg::RedrawPreview()
{
    if (CWnd* preview = GetDlgItem(IdPreview))
        preview->Invalidate();
}

void CEditBitmapDlg::OnOK()
{
    UpdateData(TRUE);
    if (CExtDib* picture = *m_ppPicture)
        picture->m_colour = GetSelectedColour();
    CFlexSizeDialog::OnOK();
}

BEGIN_MESSAGE_MAP(CEditableBitmapDlg, CEditBitmapDlg)
    ON_BN_CLICKED(CEditBitmapDlg::IdEdit, OnEditClicked)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CEditableBitmapDlg::UpdateControls()
{
    CEditBitmapDlg::UpdateControls();
    const CExtDib* picture = *m_ppPicture;
    if (CWnd* edit = GetDlgItem(IdEdit)) {
        edit->ShowWindow(SW_SHOW);
        edit->EnableWindow(!(m_bRLE && !(picture && picture->GetPackRoutine())));
    }
}

void CEditableBitmapDlg::EditPicture()
{
    CExtDib* picture = *m_ppPicture;
    BitmapEditorFn editor = GetBitmapEditor();
    if (!picture || !editor)
        return;
    CDib edited;
    if (picture->m_kind != CExtDib::None)
        edited.CopyFrom(picture);
    COLORREF transparent = GetSelectedColour();
    if (!editor(edited, transparent, this))
        return;
    SelectColour(transparent);
    Retake(edited);
    UpdateControls();
    RedrawPreview();
}

void CEditableBitmapDlg::OnLButtonDblClk(UINT flags, CPoint point)
{
    EditPicture();
    CEditBitmapDlg::OnLButtonDblClk(flags, point);
}

BOOL EditBitmapProperty(CExtDib** picture, CWnd* view)
{
    CEditableBitmapDlg dialog(picture, view, CEditBitmapDlg::TemplateId, view);
    return dialog.DoModal() == IDOK;
}

// The dialog may replace the picture object it works on, so it gets one of its own.
BOOL EditPictureCopy(CExtDib* bitmap, CWnd* parent, BOOL editable)
{
    if (!bitmap)
        return FALSE;
    auto* picture = new CExtDib;
    picture->CopyFrom(*bitmap);
    BOOL taken = FALSE;
    if (editable) {
        taken = EditBitmapProperty(&picture, parent);
    } else {
        CEditBitmapDlg dialog(&picture, parent, CEditBitmapDlg::TemplateId, parent);
        taken = dialog.DoModal() == IDOK;
    }
    if (taken)
        bitmap->CopyFrom(*picture);
    delete picture;
    return taken;
}
