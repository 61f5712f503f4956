// Private: what the window procedures of the standard controls share — their per-window
// state, notifications to the parent, text and font access, and painting.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/UiApi.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class CDC;

// The window procedures of the standard controls.
LRESULT AfxButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxStaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The pop-up list a combo box drops.
constexpr char kComboListClass[] = "ComboLBox";
LRESULT AfxComboListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxSliderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxSpinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace ctl {

// The state of each window of one control class, dropped when the window goes.
template <class T>
class StateMap {
public:
    static T& Of(HWND hwnd)
    {
        auto& slot = map()[hwnd];
        if (!slot)
            slot = std::make_unique<T>();
        return *slot;
    }
    static void Forget(HWND hwnd) { map().erase(hwnd); }

private:
    static std::unordered_map<HWND, std::unique_ptr<T>>& map()
    {
        static std::unordered_map<HWND, std::unique_ptr<T>> states;
        return states;
    }
};

// WM_COMMAND with the control's id and code to its parent.
void NotifyParent(HWND hwnd, UINT code);
// WM_NOTIFY to the parent; the header's sender fields are filled in.
LRESULT SendNotify(HWND hwnd, NMHDR& header, UINT code);

std::string TextOf(HWND hwnd);
void StoreText(HWND hwnd, const std::string& text);
DWORD StyleOf(HWND hwnd);
UINT IdOf(HWND hwnd);

// The font set with WM_SETFONT (null for the system font).
HFONT FontOf(HWND hwnd);
LRESULT HandleFontMessage(HWND hwnd, UINT message, WPARAM wParam);
// What every control does with messages it leaves: keeps its font and forgets it at the end.
LRESULT DefControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints a control: erases to the face colour (or the parent's WM_CTLCOLOR brush), selects
// its font and calls draw with the client rectangle.
void Paint(HWND hwnd, UINT ctlColorType, const std::function<void(CDC&, const RECT&)>& draw);
// Height of a text line in the control's font.
int LineHeight(HWND hwnd);
int TextWidth(HWND hwnd, const std::string& text);

// Draws a bitmap (IMAGE_BITMAP) or icon (IMAGE_ICON) centred in rect.
void DrawImage(CDC& dc, HANDLE image, UINT type, const RECT& rect);

// Copies text into a caller buffer of size characters (size 0: no limit); returns the length.
LRESULT CopyOut(const std::string& text, LPARAM buffer, size_t size = 0);

} // namespace ctl
