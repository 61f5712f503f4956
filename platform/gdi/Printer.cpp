#include "platform/gdi/Printer.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace gdi {

struct PrintedText {
    QTransform transform;
    QPointF origin;
    QFont font;
    QString text;
};

// A job is written as PDF: into the chosen file for the built-in printer, into a temporary
// file handed to the queue at its end otherwise, so that a cancelled job sends nothing.
struct PrintJob {
    DEVMODE mode{};
    QString output;
    QString queue;
    QString title;
    ABORTPROC abort = nullptr;
    std::unique_ptr<QFileDevice> file;
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

bool IsPrintQueue(const char* name)
{
    EnsureGuiApplication();
    return !QPrinterInfo::printerInfo(QString::fromLocal8Bit(name)).isNull();
}

std::unique_ptr<QFileDevice> OpenJobFile(const PrintJob& job, const QString& output)
{
    std::unique_ptr<QFileDevice> file;
    if (job.queue.isEmpty())
        file = std::make_unique<QSaveFile>(output);
    else
        file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/print-XXXXXX.pdf"));
    if (!file->open(QIODevice::WriteOnly))
        return nullptr;
    return file;
}

// Ends the PDF; the file is kept or sent only when the job finished.
bool CloseJob(PrintJob& job, bool finished)
{
    bool ok = !job.painter || job.painter->end();
    job.painter.reset();
    job.writer.reset();
    if (!job.file)
        return ok;
    if (auto* saved = dynamic_cast<QSaveFile*>(job.file.get())) {
        if (!finished)
            saved->cancelWriting();
        ok = saved->commit() && ok;
    } else if (finished && ok) {
        ok = job.file->flush();
        cups_option_t* options = nullptr;
        const int count = cupsAddOption("copies", std::to_string(std::max<int>(1, job.mode.dmCopies)).c_str(), 0, &options);
        ok = ok && cupsPrintFile(job.queue.toLocal8Bit().constData(), job.file->fileName().toLocal8Bit().constData(),
                                 job.title.toUtf8().constData(), count, options) > 0;
        cupsFreeOptions(count, options);
    }
    job.file.reset();
    return finished ? ok : true;
}

}  // namespace

std::string DefaultPrinterName()
{
    EnsureGuiApplication();
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? std::string(kPdfPrinterName) : name.toLocal8Bit().toStdString();
}

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
    if (device && std::strcmp(device, "DISPLAY") == 0)
        return Attach(::GetDC(nullptr));
    const bool queue = device && std::strcmp(device, kPdfPrinterName) != 0;
    if (queue && !IsPrintQueue(device))
        return FALSE;
    auto job = std::make_shared<PrintJob>();
    if (queue)
        job->queue = QString::fromLocal8Bit(device);
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
    job.title = info && info->lpszDocName ? QString::fromLocal8Bit(info->lpszDocName) : QStringLiteral("Document");
    if (file.isEmpty())
        file = job.title + QStringLiteral(".pdf");
    EnsureGuiApplication();
    job.file = OpenJobFile(job, file);
    if (!job.file)
        return SP_ERROR;
    job.writer = std::make_unique<QPdfWriter>(job.file.get());
    job.writer->setResolution(dc->dpiX);
    job.writer->setPageSize(QPageSize(PaperMillimetres(job.mode), QPageSize::Millimeter));
    job.writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    job.writer->setTitle(job.title);
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
    if (job.abort && !job.abort(hdc, 0))
        return SP_APPABORT;
    return 1;
}

int EndDoc(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc || !dc->printer->writer)
        return SP_ERROR;
    if (dc->target)
        EndPage(hdc);
    return CloseJob(*dc->printer, true) ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc)
        return SP_ERROR;
    dc->target = nullptr;
    CloseJob(*dc->printer, false);
    return 1;
}

int SetAbortProc(HDC hdc, ABORTPROC proc)
{
    Dc* dc = PrinterDc(hdc);
    if (!dc)
        return SP_ERROR;
    dc->printer->abort = proc;
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
