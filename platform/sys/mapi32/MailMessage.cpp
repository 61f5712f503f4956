#include "platform/sys/mapi32/MailMessage.h"

#include <openssl/evp.h>

#include <algorithm>

namespace {

constexpr size_t kBytesPerLine = 57; // 76 characters of base64

std::string Base64(const std::string& bytes, const char* lineEnd)
{
    std::string out;
    for (size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
        size_t count = std::min(kBytesPerLine, bytes.size() - at);
        unsigned char line[4 * kBytesPerLine / 3 + 1];
        int length = EVP_EncodeBlock(
            line, reinterpret_cast<const unsigned char*>(bytes.data() + at), static_cast<int>(count));
        out.append(reinterpret_cast<const char*>(line), static_cast<size_t>(length));
        out += lineEnd;
    }
    return out;
}

bool IsPlainAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 0x20 && ch < 0x7F; });
}

// Header texts: as they are when plain, else as one encoded word.
std::string HeaderText(const std::string& text)
{
    return IsPlainAscii(text) ? text : "=?UTF-8?B?" + Base64(text, "") + "?=";
}

std::string AddressHeader(const char* name, const std::vector<std::string>& addresses)
{
    if (addresses.empty())
        return {};
    std::string line = std::string(name) + ": ";
    for (size_t i = 0; i < addresses.size(); ++i)
        line += (i > 0 ? ", " : "") + addresses[i];
    return line + "\r\n";
}

} // namespace

std::string FormatMailMessage(const MailMessage& message, const std::string& boundary)
{
    std::string out = AddressHeader("To", message.to) + AddressHeader("Cc", message.cc)
        + AddressHeader("Bcc", message.bcc);
    out += "Subject: " + HeaderText(message.subject) + "\r\n";
    out += "X-Unsent: 1\r\nMIME-Version: 1.0\r\n";
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "--" + boundary
        + "\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    out += Base64(message.body, "\r\n");
    for (const MailAttachment& attachment : message.attachments) {
        std::string name = HeaderText(attachment.name);
        out += "--" + boundary + "\r\nContent-Type: application/octet-stream; name=\"" + name + "\"\r\n";
        out += "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"" + name
            + "\"\r\n\r\n";
        out += Base64(attachment.bytes, "\r\n");
    }
    return out + "--" + boundary + "--\r\n";
}
