// Simple mail, loaded by name ("MAPI32.DLL"). There is no mail system here: a message is
// handed to the desktop's mail program (xdg-email), its attachments as copies that stay
// when the caller deletes its files, and is kept beside them as a standard e-mail file.
#pragma once

#include "platform/core/Types.h"

extern "C" {

using LHANDLE = uintptr_t;
using FLAGS = ULONG;

constexpr ULONG SUCCESS_SUCCESS = 0;
constexpr ULONG MAPI_USER_ABORT = 1;
constexpr ULONG MAPI_E_FAILURE = 2;
constexpr ULONG MAPI_E_LOGIN_FAILURE = 3;
constexpr ULONG MAPI_E_INSUFFICIENT_MEMORY = 5;
constexpr ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
constexpr ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
constexpr ULONG MAPI_E_BAD_RECIPTYPE = 15;
constexpr ULONG MAPI_E_INVALID_MESSAGE = 17;
constexpr ULONG MAPI_E_INVALID_RECIPS = 25;

constexpr FLAGS MAPI_LOGON_UI = 0x00000001;
constexpr FLAGS MAPI_DIALOG = 0x00000008;

constexpr ULONG MAPI_ORIG = 0;
constexpr ULONG MAPI_TO = 1;
constexpr ULONG MAPI_CC = 2;
constexpr ULONG MAPI_BCC = 3;

struct MapiRecipDesc {
    ULONG ulReserved;
    ULONG ulRecipClass;
    LPSTR lpszName;
    LPSTR lpszAddress; // "SMTP:" before the address is allowed
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};

struct MapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    LPSTR lpszPathName; // the file to send
    LPSTR lpszFileName; // the name the recipient sees; NULL: that of the path
    LPVOID lpFileType;
};

struct MapiMessage {
    ULONG ulReserved;
    LPSTR lpszSubject;
    LPSTR lpszNoteText;
    LPSTR lpszMessageType;
    LPSTR lpszDateReceived;
    LPSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDesc* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDesc* lpRecips;
    ULONG nFileCount;
    MapiFileDesc* lpFiles;
};

// The message goes to a new folder under the user's cache folder ("Vantrel/Mail"): a copy
// of each attachment and "message.eml"; then the mail program opens a new mail with them.
// Without a mail program, or when it fails, MAPI_E_FAILURE.
ULONG MAPISendMail(LHANDLE session, uintptr_t uiParam, MapiMessage* message, FLAGS flags, ULONG reserved);

using LPMAPISENDMAIL = decltype(&MAPISendMail);

} // extern "C"
