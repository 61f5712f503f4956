#include "platform/gdi/Printer.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstring>

namespace gdi {

struct PrintedText {
    QTransform transform;
    QPointF origin;
    QFont font;
    QString text;
};

struct PrintJob {
    DEVMODE mode{};
    QString output;
    std::unique_ptr<QPdfWriter> writer;
    std::unique_ptr<QPainter> painter;
    QImage page;
    std::vector<PrintedText> texts;
    int pages = 0;
};

void NotePrintedText(Dc& dc, const QTransform& transform, QPointF origin, const QFont& font, const QString& text)
{
    if (dc.printer && dc.target == &dc.printer->page && !text.trimmed().isEmpty())
        dc.printer->texts.push_back({transform, origin, font, text});
}

}  // namespace gdi

using namespace gdi;

namespace {

// A pen without colour: the text is in the file but adds nothing to the page's picture.
void DrawTextLayer(QPainter& painter, const std::vector<PrintedText>& texts)
{
    for (const PrintedText& text : texts) {
        painter.save();
        painter.setTransform(text.transform);
        painter.setFont(text.font);
        painter.setPen(QColor(0, 0, 0, 0));
        painter.drawText(text.origin, text.text);
        painter.restore();
    }
}

Dc* PrinterDc(HDC hdc)
{
    Dc* dc = LookupDc(hdc);
    return dc && dc->kind == DcKind::Printer && dc->printer ? dc : nullptr;
}

QSizeF PaperMillimetres(const DEVMODE& m)
{
    QSizeF mm(210, 297);
    if ((m.dmFields & DM_PAPERSIZE) && m.dmPaperSize == DMPAPER_LETTER)
        mm = QSizeF(215.9, 279.4);
    if ((m.dmFields & DM_PAPERWIDTH) && (m.dmFields & DM_PAPERLENGTH) && m.dmPaperWidth > 0 && m.dmPaperLength > 0)
        mm = QSizeF(m.dmPaperWidth / 10.0, m.dmPaperLength / 10.0);
    if ((m.dmFields & DM_ORIENTATION) && m.dmOrientation == DMORIENT_LANDSCAPE)
        mm.transpose();
    return mm;
}

}  // namespace

void GetDefaultDevMode(DEVMODE* m)
{
    if (!m)
        return;
    *m = DEVMODE{};
    std::strncpy(m->dmDeviceName, kPdfPrinterName, CCHDEVICENAME - 1);
    m->dmSize = sizeof(DEVMODE);
    m->dmSpecVersion = 0x401;
    m->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION;
    m->dmOrientation = DMORIENT_PORTRAIT;
    m->dmPaperSize = DMPAPER_A4;
    m->dmCopies = 1;
    m->dmPrintQuality = 300;
    m->dmYResolution = 300;
}

BOOL CDC::CreateDC(LPCTSTR, LPCTSTR device, LPCTSTR output, const void* initData)
{
    if (device && std::strcmp(device, kPdfPrinterName) != 0 && std::strcmp(device, "DISPLAY") != 0)
        return FALSE;
    if (device && std::strcmp(device, "DISPLAY") == 0)
        return Attach(::GetDC(nullptr));
    auto job = std::make_shared<PrintJob>();
    GetDefaultDevMode(&job->mode);
    if (initData) {
        const auto* given = static_cast<const DEVMODE*>(initData);
        std::memcpy(&job->mode, given, std::min<size_t>(sizeof(DEVMODE), given->dmSize ? given->dmSize : sizeof(DEVMODE)));
        job->mode.dmSize = sizeof(DEVMODE);
    }
    if (output)
        job->output = QString::fromLocal8Bit(output);
    auto dc = std::make_unique<Dc>();
    dc->kind = DcKind::Printer;
    int dpiX = job->mode.dmPrintQuality > 0 ? job->mode.dmPrintQuality : 300;
    int dpiY = job->mode.dmYResolution > 0 ? job->mode.dmYResolution : dpiX;
    dpiX = std::clamp(dpiX, 72, 1200);
    dpiY = std::clamp(dpiY, 72, 1200);
    QSizeF mm = PaperMillimetres(job->mode);
    dc->dpiX = dpiX;
    dc->dpiY = dpiY;
    dc->width = int(mm.width() * dpiX / 25.4);
    dc->height = int(mm.height() * dpiY / 25.4);
    dc->printer = job;
    return Attach(RegisterDc(std::move(dc)));
}

int StartDoc(HDC hdc, const DOCINFO* info)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc || dc->printer->writer)
        return SP_ERROR;
    PrintJob& job = *dc->printer;
    QString file = info && info->lpszOutput ? QString::fromLocal8Bit(info->lpszOutput) : job.output;
    if (file.isEmpty()) {
        QString name = info && info->lpszDocName ? QString::fromLocal8Bit(info->lpszDocName) : QStringLiteral("Document");
        file = name + QStringLiteral(".pdf");
    }
    EnsureGuiApplication();
    job.writer = std::make_unique<QPdfWriter>(file);
    job.writer->setResolution(dc->dpiX);
    job.writer->setPageSize(QPageSize(PaperMillimetres(job.mode), QPageSize::Millimeter));
    job.writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (info && info->lpszDocName)
        job.writer->setTitle(QString::fromLocal8Bit(info->lpszDocName));
    job.pages = 0;
    return 1;
}

int StartPage(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc || !dc->printer->writer || dc->target)
        return SP_ERROR;
    PrintJob& job = *dc->printer;
    job.page = QImage(dc->width, dc->height, QImage::Format_RGB32);
    if (job.page.isNull())
        return SP_ERROR;
    job.page.fill(qRgb(255, 255, 255));
    job.texts.clear();
    dc->target = &job.page;
    return 1;
}

int EndPage(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc || !dc->target)
        return SP_ERROR;
    PrintJob& job = *dc->printer;
    if (!job.painter) {
        job.painter = std::make_unique<QPainter>();
        if (!job.painter->begin(job.writer.get()))
            return SP_ERROR;
    } else if (!job.writer->newPage()) {
        return SP_ERROR;
    }
    job.painter->drawImage(QRectF(0, 0, dc->width, dc->height), job.page);
    DrawTextLayer(*job.painter, job.texts);
    job.texts.clear();
    ++job.pages;
    dc->target = nullptr;
    job.page = QImage();
    return 1;
}

int EndDoc(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc || !dc->printer->writer)
        return SP_ERROR;
    PrintJob& job = *dc->printer;
    if (dc->target)
        EndPage(hdc);
    bool ok = true;
    if (job.painter)
        ok = job.painter->end();
    job.painter.reset();
    job.writer.reset();
    return ok ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc)
        return SP_ERROR;
    PrintJob& job = *dc->printer;
    dc->target = nullptr;
    if (job.painter)
        job.painter->end();
    job.painter.reset();
    job.writer.reset();
    return 1;
}

int CDC::StartDoc(LPCTSTR docName)
{
    DOCINFO info{sizeof(DOCINFO), docName, nullptr, nullptr, 0};
    return ::StartDoc(m_hDC, &info);
}
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
