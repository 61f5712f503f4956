// Controls of the command bars: buttons, pop-ups and hosted windows, and the list a bar keeps.
// Controls are reference counted: the bar that holds one keeps a reference, and whoever made
// one drops its own with InternalRelease.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/ui/UiTypes.h"

#include <vector>

class CDC;
class CWnd;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControlList;

// Notifications that controls send to the site frame (WM_NOTIFY, routed like commands).
constexpr UINT XTPN_EXECUTE = 100;      // a colour selector chose a colour
constexpr UINT XTPN_COMBOEXECUTE = 4096; // a combo box chose an entry
constexpr UINT XTPN_COMBOQUERY = 4097;   // a combo box asks for the current value (pData to fill)
struct XTPControlNotify {
    NMHDR hdr;
    CXTPControl* pControl;
    void* pData;
};

// Flag on a control whose update handler is left to its owner (no idle update).
constexpr DWORD ControlFlagManualUpdate = 0x0008;

class CXTPControl : public CObject {
    DECLARE_DYNCREATE(CXTPControl)
public:
    CXTPControl() = default;
    ~CXTPControl() override = default;
    CXTPControl(const CXTPControl&) = delete;
    CXTPControl& operator=(const CXTPControl&) = delete;

    void InternalAddRef() { ++m_refs; }
    void InternalRelease();

    CommandControlType GetType() const { return m_type; }
    void SetType(CommandControlType type) { m_type = type; }
    UINT GetID() const { return m_nId; }
    void SetID(UINT id) { m_nId = id; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int id) { m_nIconId = id; }
    // The icon shown: the icon id, else the id.
    UINT GetImageId() const { return m_nIconId > 0 ? static_cast<UINT>(m_nIconId) : m_nId; }
    CString GetCaption() const { return m_caption; }
    void SetCaption(LPCTSTR caption);
    CString GetTooltip() const { return m_tooltip; }
    void SetTooltip(LPCTSTR text) { m_tooltip = text; }
    DWORD_PTR GetParameter() const { return m_parameter; }
    void SetParameter(DWORD_PTR value) { m_parameter = value; }
    DWORD GetFlags() const { return m_flags; }
    void SetFlags(DWORD flags) { m_flags = flags; }
    CommandButtonStyle GetStyle() const { return m_style; }
    void SetStyle(CommandButtonStyle style);
    BOOL GetBeginGroup() const { return m_beginGroup; }
    void SetBeginGroup(BOOL begin) { m_beginGroup = begin; }

    BOOL GetEnabled() const { return m_enabled; }
    void SetEnabled(BOOL enabled);
    // 0 clear, 1 checked, 2 indeterminate.
    int GetChecked() const { return m_checked; }
    void SetChecked(int checked);
    // Rarely used commands show only where the bar shows them (an expanded drop-down).
    BOOL IsVisible() const;
    void SetVisible(BOOL visible);
    // Set for rarely used commands that a menu shows only once expanded.
    BOOL IsHiddenCommand() const { return m_hiddenCommand; }
    void SetHiddenCommand(BOOL hidden) { m_hiddenCommand = hidden; }

    CXTPCommandBar* GetParent() const { return m_parent; }
    void SetParent(CXTPCommandBar* bar) { m_parent = bar; }
    CXTPControlList* GetControls() const { return m_controls; }
    void SetControls(CXTPControlList* controls) { m_controls = controls; }
    // The bar's window of this control, in client coordinates of the bar.
    CRect GetRect() const { return m_rect; }
    void SetRect(const CRect& rect);
    BOOL GetSelected() const { return m_selected; }
    void SetSelected(BOOL selected);
    BOOL GetPressed() const { return m_pressed; }
    void SetPressed(BOOL pressed);

    // The drop-down bar of a pop-up control (null for others).
    virtual CXTPCommandBar* GetCommandBar() const { return nullptr; }
    virtual CSize GetSize(CDC* dc);
    virtual void Draw(CDC* dc);
    // Sends the control's command to the frame that hosts its bars.
    virtual void OnExecute();
    // The mouse released on the control at a point in bar coordinates.
    virtual void OnClick(CPoint point);
    // Places the window the control hosts, if any, in its rectangle (hidden when the bar
    // has no room for the control).
    virtual void PlaceWindow() {}
    // The site's update handler has run: a control showing a value asks for it then.
    virtual void OnUpdated() {}
    virtual void Copy(const CXTPControl* source);

    void RedrawParent();
    void DelayRedrawParent();
    CXTPCommandBars* GetCommandBars() const;

protected:
    // Sends the site frame a WM_NOTIFY of the code with this control and the data.
    void NotifySite(WORD code, void* data = nullptr);

    int m_refs = 1;
    CommandControlType m_type = ControlTypeButton;
    UINT m_nId = 0;
    int m_nIconId = 0;
    CString m_caption;
    CString m_tooltip;
    DWORD_PTR m_parameter = 0;
    DWORD m_flags = 0;
    CommandButtonStyle m_style = ButtonAutomatic;
    BOOL m_beginGroup = FALSE;
    BOOL m_enabled = TRUE;
    int m_checked = 0;
    BOOL m_visible = TRUE;
    BOOL m_hiddenCommand = FALSE;
    BOOL m_selected = FALSE;
    BOOL m_pressed = FALSE;
    CXTPCommandBar* m_parent = nullptr;
    CXTPControlList* m_controls = nullptr;
    CRect m_rect{0, 0, 0, 0};
};

class CXTPControlButton : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlButton)
};

// A control that opens a drop-down bar: a menu entry, a drop-down button or a split button.
class CXTPControlPopup : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlPopup)
public:
    CXTPControlPopup() { m_type = ControlTypePopup; }
    ~CXTPControlPopup() override;
    static CXTPControlPopup* CreateControlPopup(CommandControlType type);

    CXTPCommandBar* GetCommandBar() const override { return m_popupBar; }
    // Takes a reference to the bar (the caller keeps its own and drops it when done).
    void SetCommandBar(CXTPCommandBar* bar);
    // Opens the drop-down below (or beside) the control; FALSE when it has none.
    BOOL OpenPopup(BOOL selectFirst = FALSE);
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void OnClick(CPoint point) override;
    void Copy(const CXTPControl* source) override;
    // The split part of a split button: the right strip with the arrow.
    CRect GetSplitRect() const;
    // A click anywhere on the control opens the drop-down: every pop-up but a split button
    // outside menus.
    BOOL OpensOnWholeFace() const;

protected:
    CXTPCommandBar* m_popupBar = nullptr;
};

// A control that hosts a window of its own (a slider, a meter).
class CXTPControlCustom : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlCustom)
public:
    CXTPControlCustom() { m_type = ControlTypeCustom; }
    void SetControl(CWnd* wnd) { m_pControl = wnd; }
    CWnd* GetControl() const { return m_pControl; }
    void SetBorders(int left, int top, int right, int bottom) { m_borders = CRect(left, top, right, bottom); }
    // 0 stretch, 1 top, 2 centre, 3 bottom inside the bar's row.
    void SetVerticalPositionOption(int option) { m_verticalOption = option; }
    CSize GetSize(CDC* dc) override;
    void Draw(CDC*) override {}
    void PlaceWindow() override;
    // A copy hosts the same window, so a control moved in Customize takes its window along.
    void Copy(const CXTPControl* source) override;

protected:
    CWnd* m_pControl = nullptr;
    CRect m_borders{0, 0, 0, 0};
    int m_verticalOption = 0;
};

// The controls of one bar, in order. The list owns one reference to each control.
class CXTPControlList {
public:
    explicit CXTPControlList(CXTPCommandBar* parent) : m_parent(parent) {}
    ~CXTPControlList();
    CXTPControlList(const CXTPControlList&) = delete;
    CXTPControlList& operator=(const CXTPControlList&) = delete;

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    CXTPControl* GetAt(int index) const;
    // Takes over the caller's reference; before < 0 appends.
    CXTPControl* Add(CXTPControl* control, UINT id, LPCTSTR parameter = nullptr, int before = -1);
    // A new control of the kind that the type asks for.
    CXTPControl* Add(CommandControlType type, UINT id, LPCTSTR parameter = nullptr, int before = -1);
    CXTPControl* FindControl(UINT id) const;
    CXTPControl* FindControl(CommandControlType type, UINT id) const;
    int IndexOf(const CXTPControl* control) const;
    void Remove(int index);
    void RemoveAll();
    CXTPCommandBar* GetParent() const { return m_parent; }

private:
    CXTPCommandBar* m_parent;
    std::vector<CXTPControl*> m_controls;
};

// The caption of a command: the tip part of its string resource ("prompt\ntip"), else all of
// it; empty without one.
CString CommandCaption(UINT id);

// A new control of the same class with the same settings (a drop-down is shared, a hosted
// window is not); for tool bars made from drop-downs.
CXTPControl* CloneControl(const CXTPControl* source);

// A new control for the type: buttons for button types, pop-ups for pop-up types.
CXTPControl* CreateControlOfType(CommandControlType type);
