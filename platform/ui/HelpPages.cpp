#include "platform/ui/HelpPages.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextBrowser>
#include <QTextDocument>

#include <cstring>

namespace {

// Room around the text, as a page on paper has.
constexpr int kMargin = 12;

QUrl AddressOf(const std::string& page)
{
    const QString text = QString::fromStdString(page);
    return HelpPages::IsLocal(page) && !text.startsWith("file:", Qt::CaseInsensitive) ? QUrl::fromLocalFile(text)
                                                                                       : QUrl(text);
}

QTextDocument& LaidOut(QTextBrowser& browser, int width)
{
    QTextDocument& document = *browser.document();
    document.setDocumentMargin(kMargin);
    if (document.textWidth() != width)
        document.setTextWidth(width);
    return document;
}

} // namespace

HelpPages::HelpPages() : m_browser(std::make_unique<QTextBrowser>())
{
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
}

HelpPages::~HelpPages() = default;

bool HelpPages::IsLocal(const std::string& address)
{
    const QUrl url(QString::fromStdString(address));
    return url.scheme().isEmpty() || url.isLocalFile();
}

bool HelpPages::Open(const std::string& page)
{
    const QUrl address = AddressOf(page);
    if (!IsLocal(page) || !QFileInfo(address.toLocalFile()).isFile() || !QFileInfo(address.toLocalFile()).isReadable())
        return false;
    m_browser->setSource(address);
    return true;
}

bool HelpPages::Back()
{
    if (!CanGoBack())
        return false;
    m_browser->backward();
    return true;
}

bool HelpPages::Forward()
{
    if (!CanGoForward())
        return false;
    m_browser->forward();
    return true;
}

bool HelpPages::CanGoBack() const { return m_browser->isBackwardAvailable(); }
bool HelpPages::CanGoForward() const { return m_browser->isForwardAvailable(); }

std::string HelpPages::Title() const
{
    const QString title = m_browser->documentTitle().trimmed();
    return (title.isEmpty() ? m_browser->source().fileName() : title).toStdString();
}

std::string HelpPages::LinkAt(int width, int x, int y) const
{
    const QString link = LaidOut(*m_browser, width).documentLayout()->anchorAt(QPointF(x, y));
    return link.isEmpty() ? std::string() : m_browser->source().resolved(QUrl(link)).toString().toStdString();
}

int HelpPages::Height(int width) const { return static_cast<int>(LaidOut(*m_browser, width).size().height()); }

std::vector<uint32_t> HelpPages::Picture(int width, int height, int top) const
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(0, -top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, top, width, height);
        context.palette.setColor(QPalette::Text, Qt::black);
        LaidOut(*m_browser, width).documentLayout()->draw(&painter, context);
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width), image.constScanLine(y),
                    static_cast<size_t>(width) * 4);
    return pixels;
}
