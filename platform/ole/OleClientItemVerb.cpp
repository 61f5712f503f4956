// Opening an item: its file goes into a private folder of its own and the desktop's
// handler for its type opens it; changes to that file are read back into the item.
// Programs and scripts are never opened.
#include "platform/ole/ItemPackage.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/WinApp.h"

#include <QDesktopServices>
#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QUrl>

namespace {

constexpr const char* kRefusedTypes[] = {
    "application/x-executable",   "application/x-sharedlib",   "application/x-shellscript",
    "application/x-desktop",      "application/x-ms-dos-executable", "application/x-msdownload",
    "application/x-msi",          "application/x-java-archive", "application/x-python-code",
    "text/x-python",              "text/x-python3",            "application/x-perl",
    "text/x-perl",                "application/x-ruby",        "application/javascript",
    "text/javascript",            "application/x-csh",         "application/x-appimage",
    "application/x-deb",          "application/x-rpm",
};

bool Refused(const QMimeType& type)
{
    for (const char* refused : kRefusedTypes)
        if (type.inherits(QString::fromLatin1(refused)))
            return true;
    return false;
}

bool OpenWithDesktop(const char* path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(path))); }

OleTestHook::DesktopOpener desktopOpener = &OpenWithDesktop;

bool ReadBack(const QString& path, std::vector<BYTE>& data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ole::kMaxPackageBytes)
        return false;
    QByteArray bytes = file.readAll();
    data.assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace

bool ole::SafeToOpen(const CString& name, const std::vector<BYTE>& data)
{
    QMimeDatabase types;
    QString fileName = QString::fromUtf8(ToUtf8(name));
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    if (Refused(types.mimeTypeForData(bytes)) || Refused(types.mimeTypeForFileNameAndData(fileName, bytes)))
        return false;
    for (const QMimeType& type : types.mimeTypesForFileName(fileName))
        if (Refused(type))
            return false;
    return true;
}

struct COleClientItem::OpenFile {
    QTemporaryDir folder{QDir::tempPath() + "/vantrel-item-XXXXXX"};
    QString path;
    QFileSystemWatcher watcher;
    // The file as last written or read, so that an unchanged file is not read again.
    QDateTime stamp;
    qint64 size = -1;

    bool Unchanged()
    {
        QFileInfo info(path);
        return info.exists() && info.lastModified() == stamp && info.size() == size;
    }
    void Remember()
    {
        QFileInfo info(path);
        stamp = info.lastModified();
        size = info.size();
    }
};

void COleClientItem::OpenFileDeleter::operator()(OpenFile* open) const { delete open; }

BOOL COleClientItem::DoVerb(LONG nVerb, CView*, MSG*)
{
    if (nVerb == OLEIVERB_HIDE)
        return TRUE;
    if (!m_package || (nVerb != OLEIVERB_PRIMARY && nVerb != OLEIVERB_SHOW && nVerb != OLEIVERB_OPEN))
        return FALSE;
    if (!ole::SafeToOpen(m_package->fileName, m_package->data)) {
        AfxMessageBox("\"" + m_package->fileName + "\" is a program or script. Embedded programs are not opened.",
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    bool opened = m_open != nullptr;
    if (!opened) {
        std::unique_ptr<OpenFile, OpenFileDeleter> open(new OpenFile);
        open->path = open->folder.filePath(QString::fromUtf8(ToUtf8(m_package->fileName)));
        QFile file(open->path);
        if (!open->folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            file.write(reinterpret_cast<const char*>(m_package->data.data()),
                       static_cast<qint64>(m_package->data.size())) != static_cast<qint64>(m_package->data.size()))
            return FALSE;
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        open->Remember();
        open->watcher.addPath(open->path);
        QObject::connect(&open->watcher, &QFileSystemWatcher::fileChanged, [this] { UpdateFromOpenFile(); });
        m_open = std::move(open);
    }
    if (!desktopOpener(m_open->path.toUtf8().constData())) {
        if (!opened)
            m_open.reset();
        return FALSE;
    }
    if (!opened)
        NotifyChange(OLE_CHANGED_STATE);
    return TRUE;
}

std::vector<CString> COleClientItem::GetVerbNames() const
{
    if (!m_package)
        return {};
    return {"&Open"};
}

BOOL COleClientItem::UpdateFromOpenFile()
{
    std::vector<BYTE> data;
    if (!m_open || !m_package || m_open->Unchanged() || !ReadBack(m_open->path, data))
        return FALSE;
    m_open->Remember();
    if (data == m_package->data)
        return FALSE;
    if (!m_open->watcher.files().contains(m_open->path))
        m_open->watcher.addPath(m_open->path); // an editor that saves by renaming drops the watch
    m_package->data = std::move(data);
    NotifyChange(OLE_CHANGED);
    return TRUE;
}

void COleClientItem::Close(OLECLOSE dwCloseOption)
{
    if (!m_open)
        return;
    if (dwCloseOption != OLECLOSE_NOSAVE)
        UpdateFromOpenFile();
    m_open.reset();
    NotifyChange(OLE_CHANGED_STATE);
}

namespace OleTestHook {

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    DesktopOpener previous = desktopOpener;
    desktopOpener = opener ? opener : &OpenWithDesktop;
    return previous;
}

} // namespace OleTestHook
