// The common dialogs: choosing files, a colour, a font, a printer with the pages and copies
// to print, and page set-up. Each asks the test hook first; without a scripted answer they show the
// desktop's dialog, or cancel when there is no display.
#pragma once

#include "platform/core/Position.h"
#include "platform/core/String.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

class CDC;

constexpr DWORD OFN_READONLY = 0x1, OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_NOCHANGEDIR = 0x8,
                OFN_SHOWHELP = 0x10, OFN_ENABLEHOOK = 0x20, OFN_NOVALIDATE = 0x100, OFN_ALLOWMULTISELECT = 0x200,
                OFN_EXTENSIONDIFFERENT = 0x400, OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000,
                OFN_CREATEPROMPT = 0x2000, OFN_EXPLORER = 0x80000, OFN_NOREADONLYRETURN = 0x8000,
                OFN_ENABLESIZING = 0x800000;

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    LPCSTR lpstrFilter; // pairs of zero-terminated strings, ended by an empty one
    DWORD nFilterIndex; // 1-based
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
};

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* parent = nullptr) : CDialog(0, parent) {}

    // A push button beside the colour or font dialog's own. Pressing it runs the command
    // handler of id, which ends the dialog with EndDialog.
    void AddExtraButton(UINT id, LPCTSTR text);

    struct ExtraButton {
        UINT id;
        std::string text;
    };

protected:
    // After a press of an extra button (scripted or real): runs its handler and sets result.
    bool PressExtraButton(UINT id, INT_PTR& result);
    bool TakeScriptedButton(INT_PTR& result);

    std::vector<ExtraButton> m_extraButtons;
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    OPENFILENAME m_ofn{};

    // filter: "Name|*.a;*.b|Other|*.c||".
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);

    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Multiple selection: positions over the chosen paths.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;
    // The patterns of the filter that is chosen (nFilterIndex).
    CString GetFilterPatterns() const;

protected:
    // Called with the chosen names before the dialog closes; TRUE refuses them.
    virtual BOOL OnFileNameOK();
    virtual void OnTypeChange();

    BOOL m_bOpenFileDialog;

private:
    bool accept(const std::vector<std::string>& names);
    bool ask(std::vector<std::string>& names);

    std::string m_filter;  // the pairs, zero-separated
    std::string m_defExt;
    std::string m_title;
    std::vector<char> m_file;
    std::vector<std::string> m_chosen;
};

constexpr DWORD CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2, CC_PREVENTFULLOPEN = 0x4, CC_ANYCOLOR = 0x100,
                CC_SOLIDCOLOR = 0x80;

struct CHOOSECOLOR {
    DWORD lStructSize;
    HWND hwndOwner;
    COLORREF rgbResult;
    COLORREF* lpCustColors; // 16 colours
    DWORD Flags;
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    CHOOSECOLOR m_cc{};

    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF colour) { m_cc.rgbResult = colour; }
    // The custom colours shared by every colour dialog of the program.
    static COLORREF* GetSavedCustomColors();
};

// The font dialog's Apply button (with CF_APPLY): its command reaches the dialog's handler
// with the font shown then as the current font.
constexpr UINT ID_FONT_APPLY = 1026;

constexpr DWORD CF_SCREENFONTS = 0x1, CF_PRINTERFONTS = 0x2, CF_BOTH = 0x3, CF_INITTOLOGFONTSTRUCT = 0x40,
                CF_APPLY = 0x200, CF_EFFECTS = 0x100, CF_TTONLY = 0x40000, CF_NOVECTORFONTS = 0x800, CF_LIMITSIZE = 0x2000,
                CF_FORCEFONTEXIST = 0x10000, CF_SCALABLEONLY = 0x20000, CF_NOSCRIPTSEL = 0x800000;

struct CHOOSEFONT {
    DWORD lStructSize;
    HWND hwndOwner;
    LOGFONT* lpLogFont;
    int iPointSize; // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    int nSizeMin;
    int nSizeMax;
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    CHOOSEFONT m_cf{};
    LOGFONT m_lf{};

    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printerDC = nullptr, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LOGFONT* font) const { *font = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

private:
    void setChosen(const LOGFONT& font, COLORREF colour);
    // Shows font as the current one and runs the Apply handler.
    void pressApply(const LOGFONT& font);
};

constexpr DWORD PD_ALLPAGES = 0x0, PD_SELECTION = 0x1, PD_PAGENUMS = 0x2, PD_NOSELECTION = 0x4,
                PD_NOPAGENUMS = 0x8, PD_COLLATE = 0x10, PD_PRINTTOFILE = 0x20, PD_PRINTSETUP = 0x40,
                PD_RETURNDC = 0x100, PD_RETURNDEFAULT = 0x400, PD_USEDEVMODECOPIES = 0x40000,
                PD_DISABLEPRINTTOFILE = 0x80000, PD_HIDEPRINTTOFILE = 0x100000, PD_CURRENTPAGE = 0x400000,
                PD_NOCURRENTPAGE = 0x800000;

struct PRINTDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
};

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    PRINTDLG m_pd{};

    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    // The printer's settings without asking: the desktop's default printer.
    BOOL GetDefaults();
    // A drawing context on the chosen printer; the built-in printer writes the chosen file
    // (PD_RETURNDC makes DoModal create it into m_pd.hDC).
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    DEVMODE* GetDevMode() { return &m_devMode; }
    CString GetDeviceName() const { return m_printer.empty() ? kPdfPrinterName : m_printer.c_str(); }
    CString GetDriverName() const { return IsPdfPrinter() ? "PDF" : "CUPS"; }
    // The built-in printer's file, or the queue's name.
    CString GetPortName() const { return IsPdfPrinter() ? m_output.c_str() : m_printer.c_str(); }
    int GetCopies() const { return m_pd.nCopies; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection() && !PrintCurrentPage(); }
    BOOL PrintCurrentPage() const { return (m_pd.Flags & PD_CURRENTPAGE) != 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }

private:
    bool IsPdfPrinter() const { return m_printer.empty() || m_printer == kPdfPrinterName; }
    bool askUser();
    void setRange(DWORD rangeFlag, int from, int to);

    DEVMODE m_devMode{};
    std::string m_printer;
    std::string m_output;
};

constexpr DWORD PSD_MARGINS = 0x2, PSD_INTHOUSANDTHSOFINCHES = 0x4, PSD_INHUNDREDTHSOFMILLIMETERS = 0x8,
                PSD_DISABLEMARGINS = 0x10, PSD_DISABLEPRINTER = 0x20, PSD_DISABLEORIENTATION = 0x100,
                PSD_DISABLEPAPER = 0x200;

struct PAGESETUPDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    DWORD Flags;
    POINT ptPaperSize;
    RECT rtMinMargin;
    RECT rtMargin;
};

class CPageSetupDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPageSetupDialog)
public:
    PAGESETUPDLG m_psd{};

    explicit CPageSetupDialog(DWORD flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    void GetMargins(LPRECT margins, LPRECT minMargins) const;
    DEVMODE* GetDevMode() { return &m_devMode; }

private:
    DEVMODE m_devMode{};
};

// Scripted answers for the colour, font, print and page set-up dialogs; each queued answer
// ends the next dialog of its kind, with OK (ok) or Cancel. File dialogs take theirs from
// QueueFileDialogAnswer; names of a multiple selection are separated by '\n'.
namespace UiTestHook {
void QueueColorDialogAnswer(bool ok, COLORREF colour = 0);
void QueueFontDialogAnswer(bool ok, const LOGFONT& font = LOGFONT{}, COLORREF colour = 0);
// Pages 0 to 0 print everything, -1 to -1 the current page; output is the PDF file the
// built-in printer writes, printer a desktop queue to print to instead.
void QueuePrintDialogAnswer(bool ok, int fromPage = 0, int toPage = 0, int copies = 1, const std::string& output = "",
                            const std::string& printer = "");
void QueuePageSetupAnswer(bool ok, RECT margins = RECT{});
// The next colour or font dialog ends by a press of its extra button id.
void QueueCommonDialogButton(UINT id);
// The next font dialog with an Apply button shows this font and presses Apply, before it ends.
void QueueFontDialogApply(const LOGFONT& font);
} // namespace UiTestHook
