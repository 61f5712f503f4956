// A spelling check session over the view's in-place text editor. The editor is (re)started on
// the object before every look at its text, so each correction lands in the object; its
// dialog belongs to the main window.
#pragma once

#include "controls/SpellCheckSession.h"

class CHyperOb;
class CHyperTextEdit;

class CInPlaceSpellSession : public CSpellCheckSession {
public:
    CInPlaceSpellSession(CHyperTextEdit* editor, LXHANDLE* checker, CHyperOb* object);

    void ReplaceCurrentWord(LPCTSTR text) override;

protected:
    BOOL TakeText(CString& text) override;
    CWnd* DialogParent() const override { return nullptr; }
    void BeginSearch() override;
    void EndSearch() override;

private:
    BOOL RestartEdit();

    CHyperTextEdit* m_editor;
    CHyperOb* m_object;
};
