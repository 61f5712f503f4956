#include "platform/sys/mapi32/Mapi.h"

#include "platform/core/FilePath.h"
#include "platform/core/String.h"
#include "platform/sys/AtomicFile.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/sys/XdgFolders.h"
#include "platform/sys/mapi32/MailMessage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxAttachmentBytes = 256 * 1024 * 1024;

std::string Utf8(LPCSTR text)
{
    return text != nullptr ? ToUtf8(std::string_view(text)) : std::string();
}

// A plain file name: no folders, quotes or control characters.
std::string SafeFileName(std::string name)
{
    name = fs::path(name).filename().string();
    std::replace_if(
        name.begin(), name.end(),
        [](char ch) { return ch == '\\' || ch == ':' || ch == '"' || (ch >= 0 && ch < 0x20) || ch == 0x7F; },
        '_');
    return name.empty() || name == "." || name == ".." ? "attachment" : name;
}

// A name not yet used in the mail: "2 plan.trn" for the second plan.trn.
std::string UniqueName(const std::string& name, std::set<std::string>& used)
{
    std::string unique = name;
    for (int n = 2; !used.insert(unique).second; ++n)
        unique = std::to_string(n) + " " + name;
    return unique;
}

ULONG ReadAttachment(const MapiFileDesc& file, std::set<std::string>& used, MailAttachment& attachment)
{
    if (file.lpszPathName == nullptr)
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    fs::path path = SystemPathFromName(file.lpszPathName);
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    if (fs::file_size(path, error) > kMaxAttachmentBytes)
        return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!(bytes << in.rdbuf()))
        return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    std::string shown = file.lpszFileName != nullptr && *file.lpszFileName != '\0' ? Utf8(file.lpszFileName)
                                                                                   : path.filename().string();
    attachment = { UniqueName(SafeFileName(shown), used), bytes.str() };
    return SUCCESS_SUCCESS;
}

// The address without its "SMTP:" kind; empty when it could be taken for an option or
// would break a header.
std::string Address(const MapiRecipDesc& recipient)
{
    std::string address = Utf8(recipient.lpszAddress != nullptr ? recipient.lpszAddress : recipient.lpszName);
    if (address.rfind("SMTP:", 0) == 0)
        address.erase(0, 5);
    bool unsafe = address.empty() || address.front() == '-'
        || std::any_of(
            address.begin(), address.end(), [](char ch) { return (ch >= 0 && ch < 0x20) || ch == ','; });
    return unsafe ? std::string() : address;
}

ULONG ReadRecipients(const MapiMessage& message, MailMessage& mail)
{
    for (ULONG i = 0; i < message.nRecipCount; ++i) {
        const MapiRecipDesc& recipient = message.lpRecips[i];
        std::string address = Address(recipient);
        if (address.empty())
            return MAPI_E_INVALID_RECIPS;
        switch (recipient.ulRecipClass) {
        case MAPI_TO:
            mail.to.push_back(address);
            break;
        case MAPI_CC:
            mail.cc.push_back(address);
            break;
        case MAPI_BCC:
            mail.bcc.push_back(address);
            break;
        default:
            return MAPI_E_BAD_RECIPTYPE;
        }
    }
    return SUCCESS_SUCCESS;
}

ULONG ReadMessage(const MapiMessage& message, MailMessage& mail)
{
    if ((message.nRecipCount > 0 && message.lpRecips == nullptr)
        || (message.nFileCount > 0 && message.lpFiles == nullptr))
        return MAPI_E_INVALID_MESSAGE;
    mail.subject = Utf8(message.lpszSubject);
    mail.body = Utf8(message.lpszNoteText);
    if (ULONG result = ReadRecipients(message, mail); result != SUCCESS_SUCCESS)
        return result;
    std::set<std::string> used { "message.eml" };
    mail.attachments.resize(message.nFileCount);
    for (ULONG i = 0; i < message.nFileCount; ++i)
        if (ULONG result = ReadAttachment(message.lpFiles[i], used, mail.attachments[i]);
            result != SUCCESS_SUCCESS)
            return result;
    return SUCCESS_SUCCESS;
}

// A new folder that stays after the call: the mail program reads the copies later.
std::string WriteMailFolder(const MailMessage& mail)
{
    std::string parent = XdgBaseFolder("XDG_CACHE_HOME", ".cache", "Vantrel/Mail");
    std::error_code error;
    fs::create_directories(parent, error);
    std::string folder = parent + "/XXXXXX";
    if (parent.empty() || mkdtemp(folder.data()) == nullptr)
        return {};
    bool written = WriteFileAtomically(
        folder + "/message.eml", FormatMailMessage(mail, "=_" + fs::path(folder).filename().string()));
    for (const MailAttachment& attachment : mail.attachments)
        written = written && WriteFileAtomically(folder + "/" + attachment.name, attachment.bytes);
    if (!written)
        fs::remove_all(folder, error);
    return written ? folder : std::string();
}

ShellLaunch MailLaunch(const MailMessage& mail, const std::string& folder)
{
    ShellLaunch launch { { "xdg-email", "--utf8", "--subject", mail.subject }, "", kDesktopToolWait };
    if (!mail.body.empty())
        launch.argv.insert(launch.argv.end(), { "--body", mail.body });
    for (const std::string& address : mail.cc)
        launch.argv.insert(launch.argv.end(), { "--cc", address });
    for (const std::string& address : mail.bcc)
        launch.argv.insert(launch.argv.end(), { "--bcc", address });
    for (const MailAttachment& attachment : mail.attachments)
        launch.argv.insert(launch.argv.end(), { "--attach", folder + "/" + attachment.name });
    launch.argv.insert(launch.argv.end(), mail.to.begin(), mail.to.end());
    return launch;
}

} // namespace

ULONG MAPISendMail(LHANDLE, uintptr_t, MapiMessage* message, FLAGS, ULONG)
{
    if (message == nullptr)
        return MAPI_E_INVALID_MESSAGE;
    MailMessage mail;
    if (ULONG result = ReadMessage(*message, mail); result != SUCCESS_SUCCESS)
        return result;
    std::string folder = WriteMailFolder(mail);
    if (folder.empty())
        return MAPI_E_FAILURE;
    int exit = LaunchProgram(MailLaunch(mail, folder));
    return exit == 0 || exit == kLaunchRunning ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}
