#include "controls/CharFilterEdit.h"

#include "platform/ui/UiApi.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CCharFilterEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {

// The characters each class takes besides letters; classes 5 and 6 also take a-z and A-Z.
constexpr const char* kClassChars[16] = {
    "", "-0123456789", "0123456789", "-.0123456789", ".0123456789", "", ":\\~$.0123456789", "", "01",
    "", "", "", "", "", "", ""};

constexpr UINT kBackspace = 8, kTab = 9, kEnter = 13;

} // namespace

BOOL CCharFilterEdit::Accepts(UINT charClass, UINT ch)
{
    charClass &= 0xF;
    if (ch == 0 || ch > 0xFF)
        return FALSE;
    if (charClass == ClassPrintable)
        return ch >= 32;
    const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    if ((charClass == ClassLetters || charClass == ClassPath) && letter)
        return TRUE;
    return std::strchr(kClassChars[charClass], static_cast<int>(ch)) != nullptr;
}

void CCharFilterEdit::SetKind(UINT kind)
{
    m_kind = kind;
    if (m_hWnd)
        LimitText(static_cast<int>(GetLimit()));
}

void CCharFilterEdit::ApplyLimit()
{
    if (GetLimit() != 0)
        LimitText(static_cast<int>(GetLimit()));
}

void CCharFilterEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    ApplyLimit();
}

int CCharFilterEdit::OnCreate(LPCREATESTRUCT cs)
{
    if (CEdit::OnCreate(cs) == -1)
        return -1;
    ApplyLimit();
    return 0;
}

void CCharFilterEdit::OnChar(UINT ch, UINT, UINT)
{
    if (Accepts(GetCharClass(), ch) || ch == kBackspace || ch == kEnter) {
        Default();
        return;
    }
    if (ch == kTab) {
        if (::GetKeyState(VK_CONTROL) >= 0 && GetParent())
            GetParent()->SendMessage(WM_FILTER_TAB, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
        return;
    }
    ::MessageBeep(static_cast<UINT>(-1));
}
