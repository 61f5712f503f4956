// A document sent as a mail attachment through the system's simple mail library, which hands
// the message to the desktop's mail program.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CCmdUI;
class CDocument;
class CWnd;

// Found out once per process: the desktop can start a mail program and the mail library is
// on the search path.
BOOL IsMailAvailable();
// The next question finds it out again.
void ForgetMailAvailability();

// Enabled while mail is available. Otherwise a menu item of the command leaves its menu, and
// when separators then meet, one of them goes too.
void UpdateMailCommand(CCmdUI* cmdUI);

// The name the recipient sees: the file name of the document's path, or its title with the
// template's extension when the title has none.
CString MailAttachmentName(const CDocument& document);

// Sends the document with the subject "prefix: name". A saved, unchanged document goes as
// its file; otherwise a temporary copy goes and is removed afterwards, and the document keeps
// its path and its modified state.
void SendDocumentByMail(CDocument& document, const CString& subjectPrefix, CWnd* owner);
