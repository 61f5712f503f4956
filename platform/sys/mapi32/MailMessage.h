// A mail message written as a standard e-mail file (MIME, attachments in base64).
#pragma once

#include <string>
#include <vector>

struct MailAttachment {
    std::string name; // UTF-8, as the recipient sees it
    std::string bytes;
};

struct MailMessage {
    std::vector<std::string> to, cc, bcc; // addresses
    std::string subject; // UTF-8
    std::string body; // UTF-8
    std::vector<MailAttachment> attachments;
};

// Marked unsent, so that mail programs open it as a draft.
std::string FormatMailMessage(const MailMessage& message, const std::string& boundary);
