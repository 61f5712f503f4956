// The desktop clipboard through Qt. Our content goes out as a QMimeData that renders on
// request: every format under a private MIME type named after it, and text, pictures and
// file lists also in the desktop's own types. Content from other programs is read back
// from those types.
#include "platform/core/String.h"
#include "platform/ole/ClipMime.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include <algorithm>
#include <cstring>

namespace ole {

namespace {

const QString kPrivatePrefix = QStringLiteral("application/x-vantrel-clip;");
const QString kText = QStringLiteral("text/plain");
const QString kBmp = QStringLiteral("image/bmp");
const QString kQtImage = QStringLiteral("application/x-qt-image");
const QString kUris = QStringLiteral("text/uri-list");

QString MimeOf(UINT format)
{
    char name[256];
    int length = GetClipboardFormatName(format, name, sizeof name);
    if (length > 0)
        return kPrivatePrefix + "name=" + QString::fromLatin1(QByteArray(name, length).toPercentEncoding());
    return kPrivatePrefix + "id=" + QString::number(format);
}

UINT FormatOfMime(const QString& mime)
{
    if (!mime.startsWith(kPrivatePrefix))
        return 0;
    QString rest = mime.mid(kPrivatePrefix.size());
    if (rest.startsWith("name="))
        return RegisterClipboardFormat(QByteArray::fromPercentEncoding(rest.mid(5).toLatin1()).constData());
    return rest.startsWith("id=") ? rest.mid(3).toUInt() : 0;
}

// CF_TEXT holds code-page bytes up to a NUL, lines ending in CR LF.
QString TextFromBytes(const Bytes& bytes)
{
    size_t end = std::find(bytes.begin(), bytes.end(), BYTE(0)) - bytes.begin();
    std::string text(reinterpret_cast<const char*>(bytes.data()), end);
    QString utf = QString::fromUtf8(ToUtf8(std::string_view(text)));
    return utf.replace("\r\n", "\n");
}

Bytes BytesFromText(const QString& text)
{
    QString crlf = text;
    crlf.replace("\r\n", "\n").replace("\n", "\r\n");
    CString bytes = CStringFromUtf8(crlf.toUtf8().toStdString());
    Bytes out(bytes.GetString(), bytes.GetString() + bytes.GetLength());
    out.push_back(0);
    return out;
}

QByteArray BmpFromDib(const Bytes& dib)
{
    size_t offset = PackedDibBitsOffset(dib);
    if (!offset)
        return {};
    QByteArray file(14, '\0');
    DWORD size = static_cast<DWORD>(14 + dib.size());
    DWORD bits = static_cast<DWORD>(14 + offset);
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(file.data() + 2, &size, 4);
    std::memcpy(file.data() + 10, &bits, 4);
    return file + QByteArray(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
}

Bytes DibFromBmp(const QByteArray& file)
{
    if (file.size() <= 14 || !file.startsWith("BM"))
        return {};
    return Bytes(file.begin() + 14, file.end());
}

Bytes DibFromImage(const QImage& image)
{
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP"))
        return {};
    return DibFromBmp(file);
}

Bytes DropFilesFromUrls(const QList<QUrl>& urls)
{
    Bytes out(20, 0);
    DWORD offset = 20;
    std::memcpy(out.data(), &offset, 4);
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        QByteArray path = url.toLocalFile().toUtf8();
        out.insert(out.end(), path.begin(), path.end());
        out.push_back(0);
    }
    out.push_back(0);
    return out.size() > 21 ? out : Bytes();
}

QList<QUrl> UrlsFromDropFiles(const Bytes& drop)
{
    QList<QUrl> urls;
    DWORD offset = 0;
    if (drop.size() >= 20)
        std::memcpy(&offset, drop.data(), 4);
    for (size_t at = offset; offset >= 20 && at < drop.size() && drop[at];) {
        size_t end = std::find(drop.begin() + static_cast<ptrdiff_t>(at), drop.end(), BYTE(0)) - drop.begin();
        urls.append(QUrl::fromLocalFile(QString::fromUtf8(reinterpret_cast<const char*>(&drop[at]),
                                                          static_cast<qsizetype>(end - at))));
        at = end + 1;
    }
    return urls;
}

class FormatMime : public QMimeData {
public:
    explicit FormatMime(std::shared_ptr<ClipSource> source) : m_source(std::move(source)) { }

    const std::shared_ptr<ClipSource>& Source() const { return m_source; }

    QStringList formats() const override
    {
        QStringList list;
        for (UINT format : OfferedFormats(*m_source)) {
            list << MimeOf(format);
            if (format == CF_TEXT)
                list << kText;
            if (format == CF_DIB || format == CF_BITMAP || format == CF_ENHMETAFILE)
                list << kQtImage << kBmp;
            if (format == CF_HDROP)
                list << kUris;
        }
        list.removeDuplicates();
        return list;
    }

    bool hasFormat(const QString& mime) const override { return formats().contains(mime); }

protected:
    QVariant retrieveData(const QString& mime, QMetaType) const override
    {
        Bytes bytes;
        if (mime == kText)
            return RenderFormat(*m_source, CF_TEXT, bytes) ? QVariant(TextFromBytes(bytes)) : QVariant();
        if (mime == kBmp || mime == kQtImage) {
            QByteArray file = PictureForOthers(bytes) ? BmpFromDib(bytes) : QByteArray();
            return mime == kBmp ? QVariant(file) : QVariant(QImage::fromData(file, "BMP"));
        }
        if (mime == kUris) {
            QList<QVariant> urls;
            if (RenderFormat(*m_source, CF_HDROP, bytes))
                for (const QUrl& url : UrlsFromDropFiles(bytes))
                    urls << url;
            return urls;
        }
        UINT format = FormatOfMime(mime);
        if (!format || !RenderFormat(*m_source, format, bytes))
            return {};
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }

private:
    // Other programs cannot read metafiles here; they get the picture one draws.
    bool PictureForOthers(Bytes& dib) const
    {
        Bytes metafile;
        return RenderFormat(*m_source, CF_DIB, dib) ||
               (m_source->Render(CF_ENHMETAFILE, metafile) && DibFromMetafile(metafile, dib));
    }

    std::shared_ptr<ClipSource> m_source;
};

// What another program (or another of ours) put on the clipboard.
class ForeignSource : public ClipSource {
public:
    explicit ForeignSource(const QMimeData* mime) : m_mime(mime) { }

    std::vector<UINT> Formats() override
    {
        std::vector<UINT> formats;
        if (!m_mime)
            return formats;
        for (const QString& mime : m_mime->formats())
            if (UINT format = FormatOfMime(mime))
                formats.push_back(format);
        if (m_mime->hasText())
            formats.push_back(CF_TEXT);
        if (m_mime->hasImage() || m_mime->hasFormat(kBmp)) {
            formats.push_back(CF_DIB);
            formats.push_back(CF_BITMAP);
        }
        if (m_mime->hasUrls() && !DropFilesFromUrls(m_mime->urls()).empty())
            formats.push_back(CF_HDROP);
        std::sort(formats.begin(), formats.end());
        formats.erase(std::unique(formats.begin(), formats.end()), formats.end());
        return formats;
    }

    bool Render(UINT format, Bytes& bytes) override
    {
        if (!m_mime)
            return false;
        QString own = MimeOf(format);
        if (m_mime->hasFormat(own)) {
            QByteArray data = m_mime->data(own);
            bytes.assign(data.begin(), data.end());
            return true;
        }
        if (format == CF_TEXT && m_mime->hasText())
            bytes = BytesFromText(m_mime->text());
        else if ((format == CF_DIB || format == CF_BITMAP) && m_mime->hasFormat(kBmp))
            bytes = DibFromBmp(m_mime->data(kBmp));
        else if ((format == CF_DIB || format == CF_BITMAP) && m_mime->hasImage())
            bytes = DibFromImage(qvariant_cast<QImage>(m_mime->imageData()));
        else if (format == CF_HDROP && m_mime->hasUrls())
            bytes = DropFilesFromUrls(m_mime->urls());
        else
            return false;
        return !bytes.empty();
    }

private:
    QPointer<const QMimeData> m_mime;
};

// Without a Qt application (tools, some tests) the clipboard stays inside the process.
std::shared_ptr<ClipSource>& LocalClipboard()
{
    static std::shared_ptr<ClipSource> content;
    return content;
}

QClipboard* DesktopClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

std::shared_ptr<ClipSource> CurrentClipboard()
{
    QClipboard* clipboard = DesktopClipboard();
    if (!clipboard)
        return LocalClipboard();
    const QMimeData* mime = clipboard->mimeData();
    if (auto* own = dynamic_cast<const FormatMime*>(mime))
        return own->Source();
    if (!mime || mime->formats().isEmpty())
        return nullptr;
    return std::make_shared<ForeignSource>(mime);
}

void PublishClipboard(std::shared_ptr<ClipSource> source)
{
    QClipboard* clipboard = DesktopClipboard();
    if (!clipboard)
        LocalClipboard() = std::move(source);
    else if (source)
        clipboard->setMimeData(new FormatMime(std::move(source)));
    else
        clipboard->clear();
}

bool IsPublished(const ClipSource* source)
{
    std::shared_ptr<ClipSource> current = CurrentClipboard();
    return source && current.get() == source;
}

std::shared_ptr<ClipSource> SourceOfMime(const QMimeData* mime)
{
    if (auto* own = dynamic_cast<const FormatMime*>(mime))
        return own->Source();
    return mime ? std::make_shared<ForeignSource>(mime) : nullptr;
}

QMimeData* MimeOfSource(std::shared_ptr<ClipSource> source) { return new FormatMime(std::move(source)); }

} // namespace ole
