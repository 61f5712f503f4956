// The properties dialog as the editing view drives it. The dialog itself is built by the
// dialogs layer, which installs a factory here; without one the view edits nothing.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CExtDib;
class CHyperBaseOb;
class CHyperObArray;
class CHyperRunView;
class CHyperView;
class CObArray;
class CPropListArray;
class CPropObArray;
class CWnd;

class CViewPropertyDialog {
public:
    // FillObjectCombo's index for a multi-selection.
    static constexpr int MultiSelectionIndex = 26636;

    virtual ~CViewPropertyDialog() = default;

    virtual CWnd* GetDialogWindow() = 0;
    // Modeless: creates the window as a child or popup of parent.
    virtual BOOL CreateDialogWindow(CWnd* parent) = 0;
    virtual INT_PTR RunModal() = 0;
    // The view the dialog reports to; the docked dialog changes views.
    virtual void SetOwnerView(CWnd* view) = 0;
    virtual CWnd* GetOwnerView() const = 0;
    virtual void SetModal(BOOL modal) = 0;

    virtual void SetProperties(CPropObArray* list, CHyperBaseOb* owner, LPCTSTR caption) = 0;
    virtual void SetMultiProperties(CPropListArray* lists, BOOL* flags, CHyperObArray* owners, LPCTSTR caption) = 0;
    virtual void SetPropertiesEx(CPropObArray* list, CHyperBaseOb* second, CHyperBaseOb* third, LPCTSTR caption) = 0;
    virtual void DeleteProperties() = 0;
    virtual void ResetProperties(CPropObArray* list) = 0;
    virtual CHyperBaseOb* GetOwnerObject() const = 0;
    // Nothing is being edited.
    virtual BOOL IsIdle() const = 0;
    virtual void SetCaptionText(const CString& text) = 0;
    virtual CString GetCaptionText() const = 0;

    virtual void FillObjectCombo(const CObArray& objects, CHyperBaseOb* page, int index, BOOL drill) = 0;
    // Adds the group's entry to the object combo, selected when asked.
    virtual void AddGroupEntry(int itemData, BOOL select) = 0;
    virtual void RefreshPropertyList() = 0;
    virtual void ReloadValues() = 0;
    virtual BOOL GetPinState() const = 0;
    virtual void SetPinState(BOOL pinned) = 0;
    virtual BOOL GetDrillMulti() const = 0;
    virtual void SetDrillMulti(BOOL drill) = 0;
    // The dialog's Edit Bitmap dialog on a picture of the view's; TRUE when the user took the
    // edited picture. Without one nothing is taken.
    virtual BOOL EditPicture(CExtDib*, CHyperRunView*) { return FALSE; }
};

// Makes the properties dialog of a view: template id, number of tabs and the string id of
// the first tab's caption.
using PropertyDialogFactory = CViewPropertyDialog* (*)(CHyperView* view, UINT templateId, int tabs, UINT firstTabId);
void SetPropertyDialogFactory(PropertyDialogFactory factory);
PropertyDialogFactory GetPropertyDialogFactory();
// Shows the window that hosts the docked dialog (the main frame's Properties pane).
using PropertyHostShower = void (*)();
void SetPropertyHostShower(PropertyHostShower shower);
void ShowPropertyHost();
