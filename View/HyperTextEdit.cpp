#include "View/HyperTextEdit.h"

#include "View/HyperView.h"
#include "objects/HyperOb.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CHyperTextEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_COMMAND(CHyperTextEdit::CmdSpellCheck, OnSpellCheck)
END_MESSAGE_MAP()

namespace {

// Keys that open the editor on the object's own text instead of replacing it.
constexpr UINT kKeepTextKeys[] = {0, VK_RETURN, VK_ESCAPE, VK_INSERT, VK_DELETE};

struct EditMessage {
    UINT command;
    UINT message;
};
constexpr EditMessage kEditMessages[] = {
    {57632, WM_CLEAR}, {57634, WM_COPY}, {57635, WM_CUT}, {57637, WM_PASTE}, {57643, EM_UNDO},
};

constexpr int kLongestWord = 63;
constexpr UINT kLastKeyMessage = 0x0108;

BOOL IsWordCharacter(LXHANDLE checker, char ch)
{
    return ch == '\'' || LX_IsCharAlpha(checker, static_cast<WORD>(static_cast<BYTE>(ch)));
}

BOOL IsIgnored(LXHANDLE checker, const CString& word)
{
    if (word.GetLength() > kLongestWord || word[0] == '\'')
        return TRUE;
    if (LX_GetIgnoreWordsInUppercase(checker)) {
        BOOL upper = TRUE;
        for (int i = 0; i < word.GetLength() && upper; ++i)
            upper = word[i] == '\'' || LX_IsCharUpper(checker, static_cast<WORD>(static_cast<BYTE>(word[i])));
        if (upper)
            return TRUE;
    }
    return LX_IsWordExist(checker, word);
}

} // namespace

BOOL FindMisspelledWord(LXHANDLE checker, const CString& text, int start, int end, int found[2])
{
    if (start > end)
        std::swap(start, end);
    end = std::min(end, text.GetLength());
    for (int i = std::max(start, 0); i < end;) {
        if (!IsWordCharacter(checker, text[i])) {
            ++i;
            continue;
        }
        int stop = i;
        while (stop < text.GetLength() && IsWordCharacter(checker, text[stop]))
            ++stop;
        if (!IsIgnored(checker, text.Mid(i, stop - i))) {
            found[0] = i;
            found[1] = stop;
            return TRUE;
        }
        i = stop;
    }
    return FALSE;
}

BOOL OfferCommandToTextEdit(CHyperRunView* view, UINT command)
{
    auto* editing = dynamic_cast<CHyperView*>(view);
    if (!editing || !editing->GetTextEdit().IsEditing())
        return FALSE;
    CHyperTextEdit& edit = editing->GetTextEdit();
    if (command >= CHyperTextEdit::FirstEditCommand && command <= CHyperTextEdit::LastEditCommand)
        return edit.EndEdit(TRUE, command, TRUE);
    edit.EndEdit(TRUE, command, TRUE);
    return FALSE;
}

CHyperTextEdit::CHyperTextEdit()
    : m_corrector(GetTextServices().CreateAutoCorrector())
    , m_spell(LX_Init())
{
    const CTextServices& services = GetTextServices();
    if (!services.GetMainDictionary().IsEmpty())
        OpenDictionary(services.GetMainDictionary(), services.GetCustomDictionary());
}

CHyperTextEdit::~CHyperTextEdit()
{
    if (m_hWnd)
        DestroyWindow();
    LX_Destroy(m_spell);
}

BOOL CHyperTextEdit::OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile)
{
    return LX_OpenDictionary(m_spell, mainFile, customFile);
}

BOOL CHyperTextEdit::CanStart(int x, int y, CHyperOb* object, UINT nChar, LOGFONT* font) const
{
    // Control characters (Backspace, Ctrl+Z ...) would replace the text by an unprintable one.
    const BOOL control = nChar != 0 && nChar < ' ' && nChar != VK_RETURN && nChar != VK_ESCAPE;
    CString text;
    if (!object || nChar == VK_TAB || control || !object->GetText(text))
        return FALSE;
    if (nChar == 0 && !object->m_textRect1.PtInRect(CPoint(x, y)))
        return FALSE;
    CHyperRunView* view = object->GetView();
    if (!view)
        return FALSE;
    object->GetFont(font, TRUE);
    const int height = std::abs(static_cast<int>(font->lfHeight));
    return height == 0 || view->GetZoom() >= MinimumZoomedHeight / height;
}

CRect CHyperTextEdit::GetControlRect(int zoom)
{
    CHyperRunView* view = m_object->GetView();
    CClientDC dc(view);
    CFont* old = dc.SelectObject(&m_font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(old);
    const int lineHeight = metrics.tmHeight * 100 / std::max(zoom, 1);
    CRect rect = m_object->m_textRect2.IsRectEmpty() ? m_object->m_textRect1 : m_object->m_textRect2;
    rect.bottom = std::max<LONG>(rect.bottom, rect.top + lineHeight + 2);
    view->LogicalToDeviceRect(&rect, nullptr);
    return rect;
}

BOOL CHyperTextEdit::BeginEdit(int x, int y, CHyperOb* object, UINT nChar)
{
    if (m_editing)
        EndEdit(TRUE, 0, TRUE);
    LOGFONT font{};
    if (!CanStart(x, y, object, nChar, &font))
        return FALSE;
    CHyperRunView* view = object->GetView();
    const int zoom = view->GetZoom();
    font.lfHeight = font.lfHeight * zoom / 100;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
    m_object = object;
    const CRect rect = GetControlRect(zoom);
    const DWORD style = static_cast<DWORD>(object->GetTextAlign()) | WS_CHILD | WS_VISIBLE | ES_MULTILINE
        | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (!Create(style, rect, view, m_controlId)) {
        m_object = nullptr;
        m_font.DeleteObject();
        return FALSE;
    }
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    m_editing = TRUE;
    CString text;
    int caret = 0;
    if (std::find(std::begin(kKeepTextKeys), std::end(kKeepTextKeys), nChar) != std::end(kKeepTextKeys)) {
        object->GetText(text);
    } else {
        text = CString(static_cast<char>(nChar));
        caret = 1;
    }
    SetWindowText(text);
    SetFocus();
    SetSel(caret, caret);
    SendMessage(EM_SCROLLCARET, 0, 0);
    return TRUE;
}

CString CHyperTextEdit::GetText()
{
    GetWindowText(m_text);
    return m_text;
}

BOOL CHyperTextEdit::HitTestEditRect(int x, int y) const
{
    return m_editing && m_object && m_object->m_textRect2.PtInRect(CPoint(x, y));
}

BOOL CHyperTextEdit::EndEdit(BOOL commit, UINT command, BOOL)
{
    if (!m_editing || !m_object)
        return FALSE;
    if (m_corrector)
        m_corrector->CorrectLastWord(this);
    if (command >= FirstEditCommand && command <= LastEditCommand) {
        for (const EditMessage& entry : kEditMessages)
            if (entry.command == command)
                SendMessage(entry.message, 0, 0);
        return TRUE;
    }
    const CString text = GetText();
    m_editing = FALSE;
    CWnd* view = GetParent();
    DestroyWindow();
    m_font.DeleteObject();
    if (view)
        view->SetFocus();
    if (commit && command != CmdCancelEdit)
        Commit(text);
    m_object = nullptr;
    return TRUE;
}

void CHyperTextEdit::Commit(const CString& text)
{
    auto* view = dynamic_cast<CHyperView*>(m_object->GetView());
    CString old;
    m_object->GetText(old);
    const BOOL changed = text != old;
    // Text that comes back unchanged is no edit: no undo step, the document stays unmodified.
    if (changed && view)
        view->PushUndo(view->CreateUndoRecord(UndoTextEdit), FALSE);
    if (changed)
        m_object->SetText(text);
    m_object->UpdateLayout(TRUE, FALSE);
    CRect area;
    m_object->InvalidateArea(&area);
    if (!view || view->IsInsertingObject())
        return;
    if (changed && !view->OnEndTextEdit())
        return;
    view->UpdateGroupRects();
}

void CHyperTextEdit::OnKeyDown(UINT key, UINT, UINT)
{
    const BOOL control = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_F7:
        SpellCheck(TRUE);
        break;
    case VK_ESCAPE:
        SetModify(FALSE);
        if (m_object)
            m_object->SetEditPending(FALSE);
        EndEdit(FALSE, 0, TRUE);
        return;
    case VK_RETURN:
        if (!(control || shift) || !m_object || !m_object->AllowsMultiLineText()) {
            EndEdit(TRUE, 0, TRUE);
            return;
        }
        break;
    default:
        break;
    }
    Default();
}

void CHyperTextEdit::OnChar(UINT ch, UINT, UINT)
{
    // The Enter that committed the edit arrives after the control is gone.
    if (!m_editing)
        return;
    Default();
    if (m_corrector && ch != '\r')
        m_corrector->CorrectTypedWord(this);
}

void CHyperTextEdit::OnKillFocus(CWnd*)
{
    Default();
    if (!m_spellRunning)
        EndEdit(TRUE, 0, TRUE);
}

BOOL CHyperTextEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd || msg->message < WM_KEYDOWN || msg->message > kLastKeyMessage)
        return CEdit::PreTranslateMessage(msg);
    ::TranslateMessage(msg);
    ::DispatchMessage(msg);
    return TRUE;
}

BOOL CHyperTextEdit::SpellCheck(BOOL report)
{
    SendMessage(WM_SETREDRAW, FALSE, 0);
    LX_SetAlwaysSuggest(m_spell, m_alwaysSuggest);
    LX_SetIgnoreWordsInUppercase(m_spell, m_ignoreUppercase);
    LX_SetIgnoreWordsWithNumbers(m_spell, m_ignoreNumbers);
    int start = 0, end = 0;
    GetSel(start, end);
    m_spellRunning = TRUE;
    const CString text = GetText();
    if (start == end) {
        start = 0;
        end = text.GetLength();
    }
    BOOL completed = FALSE;
    if (m_object) {
        SendMessage(WM_SETREDRAW, TRUE, 0);
        completed = GetTextServices().RunSpellSession(this, &m_spell, m_object, start, end);
        // A check that stopped at a word leaves it selected; "complete" would be untrue.
        if (report && completed)
            AfxMessageBox(SpellCompleteText, MB_ICONEXCLAMATION);
        if (m_object)
            m_object->SetEditPending(FALSE);
        m_alwaysSuggest = LX_GetAlwaysSuggest(m_spell);
        m_ignoreUppercase = LX_GetIgnoreWordsInUppercase(m_spell);
        m_ignoreNumbers = LX_GetIgnoreWordsWithNumbers(m_spell);
    } else {
        SendMessage(WM_SETREDRAW, TRUE, 0);
    }
    m_spellRunning = FALSE;
    return completed;
}
