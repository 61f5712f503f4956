// Printer setup records and the printers: the system's own, which writes PDF files, and the
// desktop's print queues.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <string>

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_SCALE = 0x00000010;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_YRESOLUTION = 0x00002000;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A4 = 9;
constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;

struct DEVMODE {
    CHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    SHORT dmOrientation;
    SHORT dmPaperSize;
    SHORT dmPaperLength;  // tenths of a millimetre
    SHORT dmPaperWidth;
    SHORT dmScale;
    SHORT dmCopies;
    SHORT dmDefaultSource;
    SHORT dmPrintQuality;  // dots per inch when positive
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution;
    SHORT dmTTOption;
    SHORT dmCollate;
    CHAR dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
};
using LPDEVMODE = DEVMODE*;

// Offsets (in characters) of the three names that follow the record in the same block.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};

struct DOCINFO {
    int cbSize;
    LPCTSTR lpszDocName;
    LPCTSTR lpszOutput;
    LPCTSTR lpszDatatype;
    DWORD fwType;
};

// The built-in printer's name, as printer set-up shows it.
constexpr const char* kPdfPrinterName = "PDF Printer";
// The desktop's default queue, or the built-in printer when it has none.
std::string DefaultPrinterName();
// Fills a DEVMODE with the printer's defaults (A4 portrait, 300 dpi).
void GetDefaultDevMode(DEVMODE* devMode);
int StartDoc(HDC hdc, const DOCINFO* info);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int EndDoc(HDC hdc);
int AbortDoc(HDC hdc);
// Asked after every printed page whether the job goes on; FALSE makes EndPage fail with
// SP_APPABORT.
using ABORTPROC = BOOL (*)(HDC hdc, int error);
int SetAbortProc(HDC hdc, ABORTPROC proc);
