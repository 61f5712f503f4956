// The state every property dialog shares: the list (or the lists of a multi-selection) it
// edits, the objects it tells about changes, and applying, propagating and restoring values.
#pragma once

#include "controls/FlexSizeDialog.h"
#include "objects/PropControls.h"

class CHyperBaseOb;
class CHyperObArray;
class CPropListArray;
class CPropOb;
class CPropObArray;

class CPropDialogBase : public CFlexSizeDialog, public CPropDialog {
public:
    CPropDialogBase(UINT idTemplate, CWnd* parent);
    ~CPropDialogBase() override;

    // Starting an edit; each first resets the state as ResetProperties does. The dialog owns
    // the lists and flags from now on, never the objects.
    void ResetProperties(CPropObArray* list);
    void SetProperties(CPropObArray* list, CHyperBaseOb* owner, LPCTSTR caption);
    void SetMultiProperties(CPropListArray* lists, BOOL* commonFlags, CHyperObArray* owners, LPCTSTR caption);
    void SetPropertiesEx(CPropObArray* list, CHyperBaseOb* second, CHyperBaseOb* third, LPCTSTR caption);

    virtual BOOL ExchangeProperty(BOOL save) = 0;
    virtual CHyperBaseOb* GetOwnerObject() const;
    virtual UINT GetCurrentPropertyId() const { return 0; }
    void OnPropertyListChanged(CPropOb*) override { }
    virtual void DeleteProperties();
    virtual void ApplyProperties();
    virtual void RestoreProperties();
    virtual void ApplyAndNotify();
    virtual void ApplyAndSaveDefault();
    virtual void RestoreAll();

    BOOL IsMultiSelection() const { return m_lists != nullptr; }
    CPropObArray* GetCurrentList() const { return m_list; }
    CPropListArray* GetLists() const { return m_lists; }
    const BOOL* GetCommonFlags() const { return m_commonFlags; }
    BOOL IsModified() const { return m_modified; }
    const CString& GetCaption() const { return m_caption; }

protected:
    void ApplyLists();
    // Frees the lists and flags held, all but the list kept.
    void ReleaseLists(const CPropObArray* keep);
    void NotifyOwnerList(UINT propertyId);
    void UpdateExtraOwners(int reason);

    CHyperObArray* m_owners = nullptr;
    CHyperBaseOb* m_owner = nullptr;
    CHyperBaseOb* m_secondOwner = nullptr;
    CHyperBaseOb* m_thirdOwner = nullptr;
    CPropObArray* m_list = nullptr;
    CPropListArray* m_lists = nullptr;
    BOOL* m_commonFlags = nullptr;
    CString m_caption;
    BOOL m_modified = FALSE;
};
