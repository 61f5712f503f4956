#include "platform/ui/CommonDialogs.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/FileDialogFolder.h"
#include "platform/ui/FileFilter.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowTable.h"

#include <QColorDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QFileDialog>
#include <QFontDialog>

#include <algorithm>
#include <cstring>
#include <deque>
#include <strings.h>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

namespace {

struct ButtonAnswer {
    UINT id;
};
struct ColorAnswer {
    bool ok;
    COLORREF colour;
};
struct FontApply {
    LOGFONT font;
};
struct FontAnswer {
    bool ok;
    LOGFONT font;
    COLORREF colour;
};
struct PrintAnswer {
    bool ok;
    int from, to, copies;
    std::string output, printer;
};
struct PageAnswer {
    bool ok;
    RECT margins;
};

template <class T>
std::deque<T>& answers()
{
    static std::deque<T> queue;
    return queue;
}

template <class T>
bool takeAnswer(T& answer)
{
    auto& queue = answers<T>();
    if (queue.empty())
        return false;
    answer = queue.front();
    queue.pop_front();
    return true;
}

QString toQt(const std::string& text) { return QString::fromLatin1(text.c_str()); }
std::string fromQt(const QString& text) { return text.toLatin1().toStdString(); }

bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string fileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& path)
{
    std::string name = fileNameOf(path);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? "" : name.substr(dot + 1);
}

// Adds the extra buttons to a desktop dialog's button row; a press rejects the dialog and
// leaves the button's id in pressed.
void addButtons(QDialog& dialog, const std::vector<CCommonDialog::ExtraButton>& buttons, UINT& pressed)
{
    auto* row = dialog.findChild<QDialogButtonBox*>();
    if (!row)
        return;
    for (const CCommonDialog::ExtraButton& extra : buttons) {
        QPushButton* button = row->addButton(toQt(Parlex_ShownText(extra.text)), QDialogButtonBox::ResetRole);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &pressed, id = extra.id] {
            pressed = id;
            dialog.reject();
        });
    }
}

int screenPixelsPerInch()
{
    HDC dc = ::GetDC(nullptr);
    int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

// The desktop dialog's font over the fields of base it has no word for.
LOGFONT logFontOf(const QFont& chosen, const LOGFONT& base)
{
    LOGFONT font = base;
    strncpy(font.lfFaceName, chosen.family().toLatin1().constData(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
    font.lfHeight = -MulDiv(chosen.pointSize(), screenPixelsPerInch(), 72);
    font.lfWeight = chosen.bold() ? FW_BOLD : FW_NORMAL;
    font.lfItalic = chosen.italic();
    font.lfUnderline = chosen.underline();
    font.lfStrikeOut = chosen.strikeOut();
    return font;
}

} // namespace

namespace UiTestHook {
void QueueCommonDialogButton(UINT id) { answers<ButtonAnswer>().push_back({id}); }
void QueueFontDialogApply(const LOGFONT& font) { answers<FontApply>().push_back({font}); }
void QueueColorDialogAnswer(bool ok, COLORREF colour) { answers<ColorAnswer>().push_back({ok, colour}); }
void QueueFontDialogAnswer(bool ok, const LOGFONT& font, COLORREF colour)
{
    answers<FontAnswer>().push_back({ok, font, colour});
}
void QueuePrintDialogAnswer(bool ok, int fromPage, int toPage, int copies, const std::string& output,
                            const std::string& printer)
{
    answers<PrintAnswer>().push_back({ok, fromPage, toPage, copies, output, printer});
}
void QueuePageSetupAnswer(bool ok, RECT margins) { answers<PageAnswer>().push_back({ok, margins}); }
} // namespace UiTestHook

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                         CWnd* parent)
    : CCommonDialog(parent), m_bOpenFileDialog(openFileDialog), m_filter(FileFilter::Pairs(filter)),
      m_defExt(defaultExt ? defaultExt : ""), m_file(MAX_PATH, '\0')
{
    if (fileName)
        strncpy(m_file.data(), fileName, m_file.size() - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = m_filter.size() > 1 ? m_filter.data() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnTypeChange() {}

CString CFileDialog::GetFilterPatterns() const
{
    const char* p = m_ofn.lpstrFilter;
    for (DWORD index = 1; p && *p; ++index) {
        const char* patterns = p + strlen(p) + 1;
        if (index == std::max<DWORD>(1, m_ofn.nFilterIndex))
            return patterns;
        p = patterns + strlen(patterns) + 1;
    }
    return CString();
}

bool CFileDialog::ask(std::vector<std::string>& names)
{
    const std::string start = FileDialogFolder::StartOf(m_ofn.lpstrInitialDir, m_ofn.lpstrFile);
    const QString filter = FileFilter::Desktop(m_ofn.lpstrFilter);
    UiTestScript::NoteEvent("file dialog opens at " + start);
    UiTestScript::NoteEvent("file dialog offers " + fromQt(filter));
    std::string answer;
    if (UiTestHook::TakeFileDialogAnswer(answer)) {
        for (size_t start = 0; start < answer.size();) {
            size_t end = std::min(answer.find('\n', start), answer.size());
            if (end > start)
                names.push_back(answer.substr(start, end - start));
            start = end + 1;
        }
        return !names.empty();
    }
    if (!ui::CanAskUser())
        return false;
    QString title = m_ofn.lpstrTitle ? toQt(m_ofn.lpstrTitle) : QString();
    QStringList chosen;
    if (!m_bOpenFileDialog)
        chosen << QFileDialog::getSaveFileName(nullptr, title, toQt(start), filter);
    else if (m_ofn.Flags & OFN_ALLOWMULTISELECT)
        chosen = QFileDialog::getOpenFileNames(nullptr, title, toQt(start), filter);
    else
        chosen << QFileDialog::getOpenFileName(nullptr, title, toQt(start), filter);
    for (const QString& name : chosen)
        if (!name.isEmpty())
            names.push_back(fromQt(name));
    return !names.empty();
}

bool CFileDialog::accept(const std::vector<std::string>& chosen)
{
    std::vector<std::string> names = chosen;
    for (std::string& name : names) {
        std::string ext = extensionOf(name);
        if (ext.empty() && !m_defExt.empty())
            name += "." + m_defExt;
        else if (!m_defExt.empty() && strcasecmp(ext.c_str(), m_defExt.c_str()) != 0)
            m_ofn.Flags |= OFN_EXTENSIONDIFFERENT;
        if (m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !exists(name)) {
            AfxMessageBox((name + "\nFile not found.\nCheck the file name and try again.").c_str(), MB_OK | MB_ICONWARNING);
            return false;
        }
        if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && exists(name) &&
            AfxMessageBox((name + " already exists.\nDo you want to replace it?").c_str(), MB_YESNO | MB_ICONWARNING) != IDYES)
            return false;
    }
    m_chosen = names;
    std::string first = names.front();
    if (!m_ofn.lpstrInitialDir || !*m_ofn.lpstrInitialDir)
        FileDialogFolder::Remember(first);
    if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
        size_t n = std::min<size_t>(first.size(), m_ofn.nMaxFile - 1);
        memcpy(m_ofn.lpstrFile, first.data(), n);
        m_ofn.lpstrFile[n] = 0;
    }
    size_t slash = first.find_last_of('/');
    m_ofn.nFileOffset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
    size_t dot = first.find_last_of('.');
    m_ofn.nFileExtension = static_cast<WORD>(dot == std::string::npos || dot < m_ofn.nFileOffset ? 0 : dot + 1);
    return !OnFileNameOK();
}

INT_PTR CFileDialog::DoModal()
{
    for (;;) {
        std::vector<std::string> names;
        if (!ask(names))
            return IDCANCEL;
        if (accept(names))
            return IDOK;
    }
}

CString CFileDialog::GetPathName() const
{
    return m_chosen.empty() ? CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "") : CString(m_chosen.front().c_str());
}
CString CFileDialog::GetFileName() const { return fileNameOf(GetPathName().GetString()).c_str(); }
CString CFileDialog::GetFileExt() const { return extensionOf(GetPathName().GetString()).c_str(); }

CString CFileDialog::GetFileTitle() const
{
    std::string name = fileNameOf(GetPathName().GetString());
    size_t dot = name.find_last_of('.');
    return name.substr(0, dot).c_str();
}

CString CFileDialog::GetFolderPath() const
{
    std::string path = GetPathName().GetString();
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? CString() : CString(path.substr(0, slash).c_str());
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    auto index = reinterpret_cast<uintptr_t>(pos);
    if (index == 0 || index > m_chosen.size()) {
        pos = nullptr;
        return CString();
    }
    pos = index < m_chosen.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_chosen[index - 1].c_str();
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return custom;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : CCommonDialog(parent)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = flags | (initial ? CC_RGBINIT : 0);
}

void CCommonDialog::AddExtraButton(UINT id, LPCTSTR text)
{
    m_extraButtons.push_back({id, text ? text : ""});
}

bool CCommonDialog::PressExtraButton(UINT id, INT_PTR& result)
{
    m_nModalResult = IDCANCEL;
    OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
    result = m_nModalResult;
    return true;
}

bool CCommonDialog::TakeScriptedButton(INT_PTR& result)
{
    ButtonAnswer answer{};
    return takeAnswer(answer) && PressExtraButton(answer.id, result);
}

INT_PTR CColorDialog::DoModal()
{
    INT_PTR pressedResult = 0;
    if (TakeScriptedButton(pressedResult))
        return pressedResult;
    ColorAnswer answer{};
    if (takeAnswer(answer)) {
        if (answer.ok)
            m_cc.rgbResult = answer.colour;
        return answer.ok ? IDOK : IDCANCEL;
    }
    if (!ui::CanAskUser())
        return IDCANCEL;
    for (int i = 0; i < 16 && m_cc.lpCustColors; ++i)
        QColorDialog::setCustomColor(i, QColor(GetRValue(m_cc.lpCustColors[i]), GetGValue(m_cc.lpCustColors[i]),
                                               GetBValue(m_cc.lpCustColors[i])));
    QColor start(GetRValue(m_cc.rgbResult), GetGValue(m_cc.rgbResult), GetBValue(m_cc.rgbResult));
    QColorDialog dialog(start);
    UINT pressed = 0;
    addButtons(dialog, m_extraButtons, pressed);
    QColor chosen = dialog.exec() == QDialog::Accepted ? dialog.selectedColor() : QColor();
    for (int i = 0; i < 16 && m_cc.lpCustColors; ++i) {
        QColor c = QColorDialog::customColor(i);
        m_cc.lpCustColors[i] = RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
    }
    if (pressed)
        return PressExtraButton(pressed, pressedResult), pressedResult;
    if (!chosen.isValid())
        return IDCANCEL;
    m_cc.rgbResult = RGB(static_cast<BYTE>(chosen.red()), static_cast<BYTE>(chosen.green()), static_cast<BYTE>(chosen.blue()));
    return IDOK;
}

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CDC*, CWnd* parent) : CCommonDialog(parent)
{
    if (initial)
        m_lf = *initial;
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = flags | (initial ? CF_INITTOLOGFONTSTRUCT : 0);
}

void CFontDialog::setChosen(const LOGFONT& font, COLORREF colour)
{
    m_lf = font;
    int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    m_cf.iPointSize = MulDiv(height, 720, screenPixelsPerInch());
    if (m_cf.Flags & CF_EFFECTS)
        m_cf.rgbColors = colour;
    else
        m_lf.lfUnderline = m_lf.lfStrikeOut = 0;
}

void CFontDialog::pressApply(const LOGFONT& font)
{
    setChosen(font, m_cf.rgbColors);
    OnCmdMsg(ID_FONT_APPLY, CN_COMMAND, nullptr, nullptr);
    // The desktop dialog's own loop paints none of the program's windows: what the apply
    // changed is painted now, so it shows behind the dialog.
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd)
        main->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

INT_PTR CFontDialog::DoModal()
{
    for (FontApply apply{}; (m_cf.Flags & CF_APPLY) && takeAnswer(apply);)
        pressApply(apply.font);
    INT_PTR pressedResult = 0;
    if (TakeScriptedButton(pressedResult))
        return pressedResult;
    FontAnswer answer{};
    if (takeAnswer(answer)) {
        if (answer.ok)
            setChosen(answer.font, answer.colour);
        return answer.ok ? IDOK : IDCANCEL;
    }
    if (!ui::CanAskUser())
        return IDCANCEL;
    QFont start(QString::fromLatin1(m_lf.lfFaceName));
    if (m_lf.lfHeight)
        start.setPointSizeF(std::abs(m_lf.lfHeight) * 72.0 / screenPixelsPerInch());
    start.setBold(m_lf.lfWeight >= FW_SEMIBOLD);
    start.setItalic(m_lf.lfItalic);
    QFontDialog dialog(start);
    UINT pressed = 0;
    addButtons(dialog, m_extraButtons, pressed);
    if (auto* row = dialog.findChild<QDialogButtonBox*>(); row && (m_cf.Flags & CF_APPLY))
        QObject::connect(row->addButton(QDialogButtonBox::Apply), &QPushButton::clicked, &dialog,
                         [this, &dialog] { pressApply(logFontOf(dialog.currentFont(), m_lf)); });
    bool ok = dialog.exec() == QDialog::Accepted;
    if (pressed)
        return PressExtraButton(pressed, pressedResult), pressedResult;
    if (!ok)
        return IDCANCEL;
    setChosen(logFontOf(dialog.selectedFont(), m_lf), m_cf.rgbColors);
    return IDOK;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : CCommonDialog(parent)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.nMinPage = m_pd.nFromPage = 1;
    m_pd.nMaxPage = m_pd.nToPage = 0xFFFF;
    m_pd.nCopies = 1;
    GetDefaultDevMode(&m_devMode);
}

BOOL CPrintDialog::GetDefaults()
{
    GetDefaultDevMode(&m_devMode);
    m_printer = DefaultPrinterName();
    if (m_pd.Flags & PD_RETURNDC)
        m_pd.hDC = CreatePrinterDC();
    return TRUE;
}

HDC CPrintDialog::CreatePrinterDC()
{
    CDC dc;
    const CString device = GetDeviceName();
    const char* output = IsPdfPrinter() && !m_output.empty() ? m_output.c_str() : nullptr;
    if (!dc.CreateDC(nullptr, device, output, &m_devMode))
        return nullptr;
    return dc.Detach();
}

void CPrintDialog::setRange(DWORD rangeFlag, int from, int to)
{
    m_pd.Flags = (m_pd.Flags & ~(PD_PAGENUMS | PD_SELECTION | PD_CURRENTPAGE)) | rangeFlag;
    if (rangeFlag != PD_PAGENUMS)
        return;
    m_pd.nFromPage = static_cast<WORD>(std::clamp<int>(from, m_pd.nMinPage, m_pd.nMaxPage));
    m_pd.nToPage = static_cast<WORD>(std::clamp<int>(to, m_pd.nFromPage, m_pd.nMaxPage));
}

namespace {

// Hides a control of a desktop dialog each time the dialog shows it.
class StaysHidden : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QWidget*>(watched)->hide();
        return false;
    }
};

} // namespace

// The desktop's print dialog: its printers are the desktop's queues and, as printing to a
// file, the built-in PDF printer.
bool CPrintDialog::askUser()
{
    QPrinter printer(QPrinter::HighResolution);
    if (IsPdfPrinter()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(m_output));
    } else {
        printer.setPrinterName(QString::fromStdString(m_printer));
    }
    printer.setCopyCount(m_pd.nCopies);
    QPrintDialog dialog(&printer);
    dialog.setMinMax(m_pd.nMinPage, m_pd.nMaxPage);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
    if (!(m_pd.Flags & PD_NOPAGENUMS))
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!(m_pd.Flags & PD_NOCURRENTPAGE))
        options |= QAbstractPrintDialog::PrintCurrentPage;
    dialog.setOptions(options);
    // A job carries the printer, one range of pages in one order and the copies, on the
    // printer's paper set-up: lists of pages, odd or even pages, the reversed order, the
    // printer's properties and its options are not offered, also when another printer is
    // chosen.
    StaysHidden hidden;
    for (const char* name :
         {"pagesRadioButton", "pagesLineEdit", "pageSetLabel", "pageSetCombo", "reverse", "properties"})
        if (auto* control = dialog.findChild<QWidget*>(name)) {
            control->hide();
            control->installEventFilter(&hidden);
        }
    if (auto* tabs = dialog.findChild<QTabWidget*>("tabs"))
        if (auto* options = dialog.findChild<QWidget*>("optionsTab"))
            tabs->removeTab(tabs->indexOf(options));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile && printer.outputFileName().isEmpty())
        return false;
    m_printer = toFile ? std::string(kPdfPrinterName) : fromQt(printer.printerName());
    m_output = toFile ? fromQt(printer.outputFileName()) : std::string();
    switch (printer.printRange()) {
    case QPrinter::PageRange: setRange(PD_PAGENUMS, printer.fromPage(), printer.toPage()); break;
    case QPrinter::CurrentPage: setRange(PD_CURRENTPAGE, 0, 0); break;
    default: setRange(PD_ALLPAGES, 0, 0); break;
    }
    m_pd.nCopies = static_cast<WORD>(std::max(1, printer.copyCount()));
    return true;
}

INT_PTR CPrintDialog::DoModal()
{
    PrintAnswer answer{};
    if (takeAnswer(answer)) {
        if (!answer.ok)
            return IDCANCEL;
        if (answer.from < 0)
            setRange(PD_CURRENTPAGE, 0, 0);
        else if (answer.from > 0 || answer.to > 0)
            setRange(PD_PAGENUMS, answer.from, answer.to);
        else
            setRange(PD_ALLPAGES, 0, 0);
        m_pd.nCopies = static_cast<WORD>(std::max(1, answer.copies));
        m_printer = answer.printer.empty() ? std::string(kPdfPrinterName) : answer.printer;
        m_output = answer.output;
    } else {
        if (!ui::CanAskUser())
            return IDCANCEL;
        // The printer (and file) chosen last comes first, as long as the program runs.
        static std::string lastPrinter, lastOutput;
        if (m_printer.empty()) {
            m_printer = lastPrinter.empty() ? DefaultPrinterName() : lastPrinter;
            m_output = lastOutput;
        }
        if (!askUser())
            return IDCANCEL;
        lastPrinter = m_printer;
        lastOutput = m_output;
    }
    m_devMode.dmCopies = static_cast<SHORT>(m_pd.nCopies);
    if ((m_pd.Flags & PD_RETURNDC) && !(m_pd.Flags & PD_PRINTSETUP))
        m_pd.hDC = CreatePrinterDC();
    return IDOK;
}

CPageSetupDialog::CPageSetupDialog(DWORD flags, CWnd* parent) : CCommonDialog(parent)
{
    m_psd.lStructSize = sizeof m_psd;
    m_psd.Flags = flags;
    GetDefaultDevMode(&m_devMode);
    bool inches = flags & PSD_INTHOUSANDTHSOFINCHES;
    // Paper size from the device record (tenths of a millimetre).
    auto convert = [inches](int tenthsMm) { return inches ? MulDiv(tenthsMm, 1000, 254) : tenthsMm * 10; };
    bool letter = m_devMode.dmPaperSize == DMPAPER_LETTER;
    int width = m_devMode.dmPaperWidth > 0 ? m_devMode.dmPaperWidth : letter ? 2159 : 2100;
    int length = m_devMode.dmPaperLength > 0 ? m_devMode.dmPaperLength : letter ? 2794 : 2970;
    m_psd.ptPaperSize = POINT{convert(width), convert(length)};
    if (!(flags & PSD_MARGINS)) {
        int margin = inches ? 1000 : 2500;
        m_psd.rtMargin = RECT{margin, margin, margin, margin};
    }
}

INT_PTR CPageSetupDialog::DoModal()
{
    PageAnswer answer{};
    if (takeAnswer(answer)) {
        if (answer.ok)
            m_psd.rtMargin = answer.margins;
        return answer.ok ? IDOK : IDCANCEL;
    }
    return IDCANCEL;
}

void CPageSetupDialog::GetMargins(LPRECT margins, LPRECT minMargins) const
{
    if (margins)
        *margins = m_psd.rtMargin;
    if (minMargins)
        *minMargins = m_psd.rtMinMargin;
}
