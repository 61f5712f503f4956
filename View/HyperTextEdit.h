// The edit control that the editing view lays over an object's text so that the user types
// the text in place: started by a click into the text or a key, committed or cancelled, with
// the standard edit commands forwarded to it, spelling checked through the spelling library
// and the finished words auto-corrected.
#pragma once

#include "View/TextServices.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Edit.h"
#include "spell/Lexigard.h"

#include <memory>

class CHyperOb;
class CHyperRunView;

class CHyperTextEdit : public CEdit {
public:
    static constexpr UINT ControlId = 9999;
    static constexpr UINT UndoTextEdit = 26687;
    static constexpr UINT CmdSpellCheck = 32805;
    static constexpr UINT CmdCancelEdit = 60445;
    static constexpr UINT FirstEditCommand = 57632;
    static constexpr UINT LastEditCommand = 57644;
    static constexpr UINT SpellCompleteText = 145;
    // Below this many pixels on screen a text is not edited in place (900 / height = zoom).
    static constexpr int MinimumZoomedHeight = 900;

    CHyperTextEdit();
    ~CHyperTextEdit() override;
    CHyperTextEdit(const CHyperTextEdit&) = delete;
    CHyperTextEdit& operator=(const CHyperTextEdit&) = delete;

    // x, y in page units; nChar 0 for a click, else the key or character that started it.
    BOOL BeginEdit(int x, int y, CHyperOb* object, UINT nChar);
    BOOL EndEdit(BOOL commit, UINT command, BOOL);
    BOOL IsEditing() const { return m_editing; }
    BOOL IsEditTarget(UINT id) const { return m_editing && m_object && id == m_controlId; }
    BOOL HitTestEditRect(int x, int y) const;
    CString GetText();
    BOOL SpellCheck(BOOL report);
    BOOL OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile);

    BOOL GetAlwaysSuggest() const { return m_alwaysSuggest; }
    void SetAlwaysSuggest(BOOL on) { m_alwaysSuggest = on; }
    BOOL GetIgnoreWordsWithNumbers() const { return m_ignoreNumbers; }
    void SetIgnoreWordsWithNumbers(BOOL on) { m_ignoreNumbers = on; }
    BOOL GetIgnoreWordsInUppercase() const { return m_ignoreUppercase; }
    void SetIgnoreWordsInUppercase(BOOL on) { m_ignoreUppercase = on; }
    void SetAutoCorrector(std::unique_ptr<CAutoCorrector> corrector) { m_corrector = std::move(corrector); }

    BOOL PreTranslateMessage(MSG* msg) override;

    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newWnd);
    void OnSpellCheck() { SpellCheck(FALSE); }

    CHyperOb* m_object = nullptr;
    UINT m_controlId = ControlId;
    BOOL m_editing = FALSE;
    CFont m_font;
    std::unique_ptr<CAutoCorrector> m_corrector;
    LXHANDLE m_spell = nullptr;
    CString m_text;
    BOOL m_spellRunning = FALSE;
    BOOL m_alwaysSuggest = TRUE;
    BOOL m_ignoreNumbers = TRUE;
    BOOL m_ignoreUppercase = TRUE;

protected:
    BOOL CanStart(int x, int y, CHyperOb* object, UINT nChar, LOGFONT* font) const;
    CRect GetControlRect(int zoom);
    void Commit(const CString& text);

    DECLARE_MESSAGE_MAP()
};

// A command while a view edits in place: edit commands go to the edit control (TRUE: done),
// any other command first commits the edit (FALSE: the command goes on).
BOOL OfferCommandToTextEdit(CHyperRunView* view, UINT command);

// The first word in [start, end) of the text that the checker does not know, as [start, end)
// in *found; FALSE when every word is known.
BOOL FindMisspelledWord(LXHANDLE checker, const CString& text, int start, int end, int found[2]);
