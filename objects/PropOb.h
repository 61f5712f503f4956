// A property editor: edits one property of an object through an edited copy, the value
// saved when it was built and the object's field itself. A property list holds the editors
// of one object; a list of lists those of a multi-selection.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CPropChoiceBox;
class CPropDialog;
class CPropExchange;

class CPropOb : public CObject {
    DECLARE_DYNAMIC(CPropOb)
public:
    // Controls of the properties dialog.
    static constexpr UINT EditControl = 27650;
    static constexpr UINT DropListControl = 27651;
    static constexpr UINT ButtonControl = 27652;
    static constexpr UINT EditComboControl = 27657;
    static constexpr UINT ComboButtonControl = 27658;
    // Name ids that mean no name.
    static constexpr UINT NoNameLow = 0xFFFFFFFE;

    explicit CPropOb(UINT nameId = 0, UINT arg = 0);

    virtual BOOL IsEqual(const CPropOb* other) const = 0;
    virtual void CopyValueFrom(const CPropOb*) { }
    virtual void Apply() = 0;
    virtual void ApplyFrom(const CPropOb* peer) = 0;
    virtual void Restore() = 0;
    virtual BOOL Reload() { return FALSE; }
    // Checks the text typed into the editor; a failure ends the exchange.
    virtual void Validate(CPropExchange*, CString&) { }
    virtual void OnValueChanged() { }
    virtual CString GetName() const;
    virtual BOOL GetValueText(CString& text) const;
    // The text of the dialog's button for this property; empty without a caption.
    virtual CString GetButtonCaption() const;
    virtual int GetPage() const { return m_page; }
    virtual BOOL SkipRefreshAfterEdit() const { return FALSE; }
    virtual BOOL GetStringValue(CString& value) const;
    virtual BOOL GetDoubleValue(double* value) const;
    virtual BOOL GetLongValue(long* value) const;
    virtual BOOL GetIntValue(int* value) const;
    virtual BOOL SetStringValue(LPCTSTR) { return FALSE; }
    virtual BOOL SetDoubleValue(double) { return FALSE; }
    virtual BOOL SetLongValue(long) { return FALSE; }
    virtual BOOL SetIntValue(int) { return FALSE; }
    // A linked editor is being deleted from the list: forget it.
    virtual void DropLinkTo(const CPropOb*) { }

    UINT GetNameId() const { return m_nameId; }
    // A text of the string table as the user reads it: its keys get their texts.
    static CString LoadText(UINT id);
    void SetOwnerDialog(CPropDialog* dialog) { m_ownerDialog = dialog; }

    UINT m_controlId = EditControl;
    UINT m_kind = 0;
    int m_captionId = -1;
    UINT m_nameId;
    CString m_nameText;
    int m_editable = 1;
    int m_reserved = 0;
    int m_page = 0;
    UINT m_arg;

protected:
    // Tells the owner dialog that this editor changed a linked editor.
    void NotifyListChanged();

    CPropDialog* m_ownerDialog = nullptr;
};

// The editors of one object; owns them.
class CPropObArray : public CObArray {
public:
    CPropObArray() = default;
    ~CPropObArray() override;
    CPropObArray(const CPropObArray&) = delete;
    CPropObArray& operator=(const CPropObArray&) = delete;

    CPropOb* GetProp(INT_PTR index) const { return static_cast<CPropOb*>(GetAt(index)); }
    void ApplyAll();
    // Every editor whose flag is set takes the edited value of the same index in first.
    void ApplyFrom(const CPropObArray& first, const BOOL* changed);
    void RestoreAll();
};

// The lists of a multi-selection, one per object, all with the same properties; owns them.
class CPropListArray : public CObArray {
public:
    CPropListArray() = default;
    ~CPropListArray() override;
    CPropListArray(const CPropListArray&) = delete;
    CPropListArray& operator=(const CPropListArray&) = delete;

    CPropObArray* GetList(INT_PTR index) const { return static_cast<CPropObArray*>(GetAt(index)); }
    // The first list writes its edited values; the others take the flagged ones from it.
    void ApplyAll(const BOOL* changed);
    void RestoreAll();
};
