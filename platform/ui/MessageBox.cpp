// Message boxes: the scripted answer when a test queued one, a Qt box with a display, and
// otherwise the default button (reported on standard error).
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    int defaultAnswer;
};

ButtonSet buttonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {QMessageBox::Ok | QMessageBox::Cancel, IDOK};
    case MB_ABORTRETRYIGNORE: return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, IDABORT};
    case MB_YESNOCANCEL: return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, IDYES};
    case MB_YESNO: return {QMessageBox::Yes | QMessageBox::No, IDYES};
    case MB_RETRYCANCEL: return {QMessageBox::Retry | QMessageBox::Cancel, IDRETRY};
    default: return {QMessageBox::Ok, IDOK};
    }
}

int answerFor(int button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

QMessageBox::Icon iconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    int answer = 0;
    if (TakeScriptedMessageBoxAnswer(text, type, answer))
        return answer;
    ButtonSet set = buttonsFor(type);
    if (!ui::CanAskUser()) {
        fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
        return set.defaultAnswer;
    }
    HWND top = owner ? GetAncestorTopLevel(owner) : nullptr;
    BOOL wasEnabled = top ? IsWindowEnabled(top) : FALSE;
    if (top)
        EnableWindow(top, FALSE);
    QMessageBox box(iconFor(type), QString::fromLatin1(caption ? caption : ""), QString::fromLatin1(text ? text : ""),
                    set.buttons);
    answer = answerFor(box.exec());
    if (top && wasEnabled && IsWindow(top))
        EnableWindow(top, TRUE);
    return answer;
}

BOOL MessageBeep(UINT)
{
    if (ui::HaveDisplay())
        QApplication::beep();
    return TRUE;
}
