// The standard controls: their messages change their state, their notifications reach the
// parent with the right codes, and owner-drawn items are drawn and measured where they are.
#include "ControlFixture.h"

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/DragListBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/RangeCtrls.h"
#include "platform/ui/Static.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Event = std::pair<UINT, int>; // message, notification or scroll code

struct Recorder {
    std::vector<Event> events;
    std::vector<DRAWITEMSTRUCT> drawn;
    std::vector<ULONG_PTR> deleted;
    // Variable items are 10 + 5 * index high, fixed ones 20.
    bool variable = false;
};
Recorder recorder;

LRESULT recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: recorder.events.emplace_back(WM_COMMAND, HIWORD(wParam)); return 0;
    case WM_NOTIFY: recorder.events.emplace_back(WM_NOTIFY, static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code)); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: recorder.events.emplace_back(message, LOWORD(wParam)); return 0;
    case WM_DRAWITEM: recorder.drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemHeight = recorder.variable ? 10 + 5 * mis->itemID : 20;
        return TRUE;
    }
    case WM_COMPAREITEM: {
        auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        return cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
    }
    case WM_DELETEITEM: recorder.deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData); return TRUE;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

class ControlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        AfxRegisterControlClasses();
        recorder = Recorder{};
        m_parent = MakeWatchingParent("TestRecorder", recordingProc, m_windows, RECT{0, 0, 400, 300});
    }

    HWND MakeControl(const char* cls, DWORD style, RECT r = RECT{10, 10, 110, 90}, const char* text = "")
    {
        HWND h = CreateWindowEx(0, cls, text, style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, m_parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(77)), nullptr,
                                nullptr);
        m_windows.push_back(h);
        return h;
    }

    HWND m_parent = nullptr;
};

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
LPARAM text(const char* s) { return reinterpret_cast<LPARAM>(s); }
void click(HWND h, int x, int y)
{
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
    SendMessage(h, WM_LBUTTONUP, 0, at(x, y));
}
void typeChars(HWND h, const char* s)
{
    for (; *s; ++s)
        SendMessage(h, WM_CHAR, static_cast<unsigned char>(*s), 0);
}
void fill(HWND h, UINT addMessage, std::initializer_list<const char*> items)
{
    for (const char* s : items)
        SendMessage(h, addMessage, 0, text(s));
}

struct NotifyCase {
    const char* name;
    const char* cls;
    DWORD style;
    std::function<void(HWND)> act;
    std::vector<Event> expected;
};

class Notifications : public ControlTest, public ::testing::WithParamInterface<NotifyCase> {};

TEST_P(Notifications, ReachTheParentWithTheirCodes)
{
    const NotifyCase& c = GetParam();
    HWND h = MakeControl(c.cls, c.style);
    recorder.events.clear();
    c.act(h);
    EXPECT_EQ(recorder.events, c.expected);
}

const std::vector<NotifyCase> notifyCases = {
    {"PushClicked", WC_BUTTON, BS_PUSHBUTTON, [](HWND h) { click(h, 5, 5); }, {{WM_COMMAND, BN_CLICKED}}},
    {"ReleasedOutsideIsNoClick", WC_BUTTON, BS_PUSHBUTTON,
     [](HWND h) {
         SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
         SendMessage(h, WM_LBUTTONUP, 0, at(500, 5));
     },
     {}},
    {"SpaceClicks", WC_BUTTON, BS_AUTOCHECKBOX, [](HWND h) { SendMessage(h, WM_KEYDOWN, VK_SPACE, 0); }, {{WM_COMMAND, BN_CLICKED}}},
    {"NotifyButtonFocus", WC_BUTTON, BS_PUSHBUTTON | BS_NOTIFY, [](HWND h) { SetFocus(h); }, {{WM_COMMAND, BN_SETFOCUS}}},
    {"RadioDoubleClick", WC_BUTTON, BS_AUTORADIOBUTTON, [](HWND h) { SendMessage(h, WM_LBUTTONDBLCLK, 0, at(2, 2)); },
     {{WM_COMMAND, BN_DOUBLECLICKED}}},
    {"GroupBoxIsSilent", WC_BUTTON, BS_GROUPBOX, [](HWND h) { click(h, 5, 5); }, {}},
    {"StaticNotifies", WC_STATIC, SS_NOTIFY, [](HWND h) { SendMessage(h, WM_LBUTTONDOWN, 0, at(1, 1)); }, {{WM_COMMAND, STN_CLICKED}}},
    {"StaticWithoutNotify", WC_STATIC, SS_LEFT, [](HWND h) { SendMessage(h, WM_LBUTTONDOWN, 0, at(1, 1)); }, {}},
    {"EditSetText", WC_EDIT, ES_LEFT, [](HWND h) { SetWindowText(h, "x"); }, {{WM_COMMAND, EN_UPDATE}, {WM_COMMAND, EN_CHANGE}}},
    {"EditTyped", WC_EDIT, ES_LEFT, [](HWND h) { typeChars(h, "a"); }, {{WM_COMMAND, EN_UPDATE}, {WM_COMMAND, EN_CHANGE}}},
    {"EditReadOnlyIgnoresTyping", WC_EDIT, ES_READONLY, [](HWND h) { typeChars(h, "a"); }, {}},
    {"EditOverLimit", WC_EDIT, ES_LEFT,
     [](HWND h) {
         SendMessage(h, EM_LIMITTEXT, 1, 0);
         typeChars(h, "ab");
     },
     {{WM_COMMAND, EN_UPDATE}, {WM_COMMAND, EN_CHANGE}, {WM_COMMAND, EN_MAXTEXT}}},
    {"EditFocus", WC_EDIT, ES_LEFT,
     [](HWND h) {
         SetFocus(h);
         SetFocus(nullptr);
     },
     {{WM_COMMAND, EN_SETFOCUS}, {WM_COMMAND, EN_KILLFOCUS}}},
    {"ListClick", WC_LISTBOX, LBS_NOTIFY,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b"});
         click(h, 5, 2);
         SendMessage(h, WM_LBUTTONDBLCLK, 0, at(5, 2));
     },
     {{WM_COMMAND, LBN_SETFOCUS}, {WM_COMMAND, LBN_SELCHANGE}, {WM_COMMAND, LBN_DBLCLK}}},
    {"ListKeys", WC_LISTBOX, LBS_NOTIFY,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b"});
         SendMessage(h, WM_KEYDOWN, VK_DOWN, 0);
     },
     {{WM_COMMAND, LBN_SELCHANGE}}},
    {"ListWithoutNotify", WC_LISTBOX, 0,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b"});
         click(h, 5, 2);
     },
     {}},
    {"ListProgramSelectionIsSilent", WC_LISTBOX, LBS_NOTIFY,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b"});
         SendMessage(h, LB_SETCURSEL, 1, 0);
     },
     {}},
    {"ComboKeys", WC_COMBOBOX, CBS_DROPDOWNLIST,
     [](HWND h) {
         fill(h, CB_ADDSTRING, {"a", "b"});
         SendMessage(h, WM_KEYDOWN, VK_DOWN, 0);
         SendMessage(h, WM_KEYDOWN, VK_DOWN, 0);
     },
     {{WM_COMMAND, CBN_SELCHANGE}, {WM_COMMAND, CBN_SELCHANGE}}},
    {"ComboDropAndClose", WC_COMBOBOX, CBS_DROPDOWNLIST,
     [](HWND h) {
         SendMessage(h, CB_SHOWDROPDOWN, TRUE, 0);
         SendMessage(h, CB_SHOWDROPDOWN, FALSE, 0);
     },
     {{WM_COMMAND, CBN_DROPDOWN}, {WM_COMMAND, CBN_SELENDOK}, {WM_COMMAND, CBN_CLOSEUP}}},
    {"ComboEdit", WC_COMBOBOX, CBS_DROPDOWN, [](HWND h) { typeChars(h, "q"); },
     {{WM_COMMAND, CBN_EDITUPDATE}, {WM_COMMAND, CBN_EDITCHANGE}}},
    {"SliderKey", TRACKBAR_CLASS, TBS_HORZ, [](HWND h) { SendMessage(h, WM_KEYDOWN, VK_RIGHT, 0); },
     {{WM_HSCROLL, TB_LINEDOWN}, {WM_HSCROLL, TB_ENDTRACK}}},
    {"VerticalSliderPage", TRACKBAR_CLASS, TBS_VERT, [](HWND h) { SendMessage(h, WM_KEYDOWN, VK_NEXT, 0); },
     {{WM_VSCROLL, TB_PAGEDOWN}, {WM_VSCROLL, TB_ENDTRACK}}},
    {"SpinClick", UPDOWN_CLASS, 0, [](HWND h) { SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 2)); },
     {{WM_NOTIFY, static_cast<int>(UDN_DELTAPOS)}, {WM_VSCROLL, SB_THUMBPOSITION}, {WM_VSCROLL, SB_ENDSCROLL}}},
    {"ScrollBarArrow", WC_SCROLLBAR, SBS_HORZ, [](HWND h) { SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 2)); },
     {{WM_HSCROLL, SB_LINEUP}, {WM_HSCROLL, SB_ENDSCROLL}}},
    {"ScrollBarPage", WC_SCROLLBAR, SBS_VERT, [](HWND h) { SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 60)); },
     {{WM_VSCROLL, SB_PAGEDOWN}, {WM_VSCROLL, SB_ENDSCROLL}}},
};

INSTANTIATE_TEST_SUITE_P(Controls, Notifications, ::testing::ValuesIn(notifyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each case drives one control through messages and checks the state it answers with.
struct StateCase {
    const char* name;
    const char* cls;
    DWORD style;
    std::function<void(HWND)> act;
    UINT query;
    WPARAM wParam;
    LRESULT expected;
    const char* expectedText;
};

class States : public ControlTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(States, FollowTheMessages)
{
    const StateCase& c = GetParam();
    HWND h = MakeControl(c.cls, c.style);
    c.act(h);
    EXPECT_EQ(SendMessage(h, c.query, c.wParam, 0), c.expected);
    if (c.expectedText) {
        char buffer[256] = {};
        GetWindowText(h, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.expectedText);
    }
}

const std::vector<StateCase> stateCases = {
    {"AutoCheckToggles", WC_BUTTON, BS_AUTOCHECKBOX, [](HWND h) { click(h, 2, 2); }, BM_GETCHECK, 0, BST_CHECKED, nullptr},
    {"AutoCheckTogglesBack", WC_BUTTON, BS_AUTOCHECKBOX, [](HWND h) { click(h, 2, 2); click(h, 2, 2); }, BM_GETCHECK, 0, BST_UNCHECKED, nullptr},
    {"ThreeStateCycles", WC_BUTTON, BS_AUTO3STATE, [](HWND h) { click(h, 2, 2); click(h, 2, 2); }, BM_GETCHECK, 0, BST_INDETERMINATE, nullptr},
    {"PlainCheckBoxLeavesItToTheParent", WC_BUTTON, BS_CHECKBOX, [](HWND h) { click(h, 2, 2); }, BM_GETCHECK, 0, BST_UNCHECKED, nullptr},
    {"PushedState", WC_BUTTON, BS_PUSHBUTTON, [](HWND h) { SendMessage(h, BM_SETSTATE, TRUE, 0); }, BM_GETSTATE, 0, BST_PUSHED, nullptr},
    {"EditReplaceSelection", WC_EDIT, 0,
     [](HWND h) {
         SetWindowText(h, "hello world");
         SendMessage(h, EM_SETSEL, 0, 5);
         SendMessage(h, EM_REPLACESEL, 0, text("bye"));
     },
     EM_GETMODIFY, 0, TRUE, "bye world"},
    {"EditSetTextClearsModify", WC_EDIT, 0, [](HWND h) { typeChars(h, "a"); SetWindowText(h, "b"); }, EM_GETMODIFY, 0, FALSE, "b"},
    {"EditBackspace", WC_EDIT, 0, [](HWND h) { SetWindowText(h, "abc"); SendMessage(h, EM_SETSEL, 3, 3); typeChars(h, "\b"); }, EM_GETSEL, 0, MAKELONG(2, 2), "ab"},
    {"EditDeleteKey", WC_EDIT, 0, [](HWND h) { SetWindowText(h, "abc"); SendMessage(h, WM_KEYDOWN, VK_DELETE, 0); }, WM_GETTEXTLENGTH, 0, 2, "bc"},
    {"EditSelectAll", WC_EDIT, 0, [](HWND h) { SetWindowText(h, "abcd"); SendMessage(h, EM_SETSEL, 0, -1); }, EM_GETSEL, 0, MAKELONG(0, 4), nullptr},
    {"EditLimitCuts", WC_EDIT, 0, [](HWND h) { SendMessage(h, EM_LIMITTEXT, 3, 0); SendMessage(h, EM_REPLACESEL, 0, text("abcdef")); }, EM_GETLIMITTEXT, 0, 3, "abc"},
    {"EditNumberOnly", WC_EDIT, ES_NUMBER, [](HWND h) { typeChars(h, "1a2"); }, WM_GETTEXTLENGTH, 0, 2, "12"},
    {"EditUppercase", WC_EDIT, ES_UPPERCASE, [](HWND h) { typeChars(h, "aB"); }, WM_GETTEXTLENGTH, 0, 2, "AB"},
    {"EditSingleLineDropsBreaks", WC_EDIT, 0, [](HWND h) { SendMessage(h, EM_REPLACESEL, 0, text("one\r\ntwo")); }, EM_GETLINECOUNT, 0, 1, "one"},
    {"EditLineCount", WC_EDIT, ES_MULTILINE, [](HWND h) { SetWindowText(h, "one\r\ntwo\r\nthree"); }, EM_GETLINECOUNT, 0, 3, nullptr},
    {"EditLineIndex", WC_EDIT, ES_MULTILINE, [](HWND h) { SetWindowText(h, "one\r\ntwo\r\nthree"); }, EM_LINEINDEX, 2, 10, nullptr},
    {"EditLineIndexPastEnd", WC_EDIT, ES_MULTILINE, [](HWND h) { SetWindowText(h, "one"); }, EM_LINEINDEX, 5, -1, nullptr},
    {"EditLineFromChar", WC_EDIT, ES_MULTILINE, [](HWND h) { SetWindowText(h, "one\r\ntwo\r\nthree"); }, EM_LINEFROMCHAR, 6, 1, nullptr},
    {"EditLineLength", WC_EDIT, ES_MULTILINE, [](HWND h) { SetWindowText(h, "one\r\ntwo\r\nthree"); }, EM_LINELENGTH, 11, 5, nullptr},
    {"EditEnterInMultiLine", WC_EDIT, ES_MULTILINE, [](HWND h) { typeChars(h, "a\rb"); }, EM_GETLINECOUNT, 0, 2, "a\r\nb"},
    {"EditCaretDown", WC_EDIT, ES_MULTILINE,
     [](HWND h) {
         SetWindowText(h, "abcd\r\nxy");
         SendMessage(h, EM_SETSEL, 3, 3);
         SendMessage(h, WM_KEYDOWN, VK_DOWN, 0);
     },
     EM_GETSEL, 0, MAKELONG(8, 8), nullptr},
    {"EditUndo", WC_EDIT, 0, [](HWND h) { typeChars(h, "ab"); SendMessage(h, EM_UNDO, 0, 0); }, EM_CANUNDO, 0, TRUE, "a"},
    {"EditPasswordChar", WC_EDIT, ES_PASSWORD, [](HWND) {}, EM_GETPASSWORDCHAR, 0, '*', nullptr},
    {"EditReadOnlyFlag", WC_EDIT, 0, [](HWND h) { SendMessage(h, EM_SETREADONLY, TRUE, 0); typeChars(h, "x"); }, WM_GETTEXTLENGTH, 0, 0, ""},
    {"ListSorted", WC_LISTBOX, LBS_SORT, [](HWND h) { fill(h, LB_ADDSTRING, {"pear", "Apple", "fig"}); }, LB_GETTEXTLEN, 0, 5, nullptr},
    {"ListInsertKeepsPlace", WC_LISTBOX, LBS_SORT, [](HWND h) { fill(h, LB_ADDSTRING, {"b", "c"}); SendMessage(h, LB_INSERTSTRING, 0, text("zz")); }, LB_GETTEXTLEN, 0, 2, nullptr},
    {"ListFindPrefixWraps", WC_LISTBOX, 0, [](HWND h) { fill(h, LB_ADDSTRING, {"alpha", "beta", "alpine"}); }, LB_GETCOUNT, 0, 3, nullptr},
    {"ListDeleteMovesSelection", WC_LISTBOX, 0,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b", "c"});
         SendMessage(h, LB_SETCURSEL, 2, 0);
         SendMessage(h, LB_DELETESTRING, 0, 0);
     },
     LB_GETCURSEL, 0, 1, nullptr},
    {"ListBadIndex", WC_LISTBOX, 0, [](HWND h) { fill(h, LB_ADDSTRING, {"a"}); }, LB_GETTEXTLEN, 5, LB_ERR, nullptr},
    {"ListItemData", WC_LISTBOX, 0, [](HWND h) { fill(h, LB_ADDSTRING, {"a", "b"}); SendMessage(h, LB_SETITEMDATA, 1, 1234); }, LB_GETITEMDATA, 1, 1234, nullptr},
    {"MultipleSelectionToggles", WC_LISTBOX, LBS_MULTIPLESEL,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b", "c"});
         click(h, 5, 2);
         click(h, 5, 40);
         click(h, 5, 2);
     },
     LB_GETSELCOUNT, 0, 1, nullptr},
    {"ExtendedShiftRange", WC_LISTBOX, LBS_EXTENDEDSEL,
     [](HWND h) {
         fill(h, LB_ADDSTRING, {"a", "b", "c", "d"});
         click(h, 5, 2);
         SendMessage(h, WM_LBUTTONDOWN, MK_SHIFT, at(5, 40));
     },
     LB_GETSELCOUNT, 0, 3, nullptr},
    {"SingleSelectionRefusesSetSel", WC_LISTBOX, 0, [](HWND h) { fill(h, LB_ADDSTRING, {"a"}); }, LB_SETSEL, TRUE, LB_ERR, nullptr},
    {"ComboSelectionSetsText", WC_COMBOBOX, CBS_DROPDOWNLIST, [](HWND h) { fill(h, CB_ADDSTRING, {"one", "two"}); SendMessage(h, CB_SETCURSEL, 1, 0); }, CB_GETCURSEL, 0, 1, "two"},
    {"ComboClearSelection", WC_COMBOBOX, CBS_DROPDOWNLIST, [](HWND h) { fill(h, CB_ADDSTRING, {"one"}); SendMessage(h, CB_SETCURSEL, 0, 0); SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(-1), 0); }, CB_GETCURSEL, 0, CB_ERR, ""},
    {"ComboSelectString", WC_COMBOBOX, CBS_DROPDOWN | CBS_SORT, [](HWND h) { fill(h, CB_ADDSTRING, {"zeta", "beta"}); SendMessage(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), text("ZE")); }, CB_GETCURSEL, 0, 1, "zeta"},
    {"ComboTypingDropsSelection", WC_COMBOBOX, CBS_DROPDOWN, [](HWND h) { fill(h, CB_ADDSTRING, {"a"}); SendMessage(h, CB_SETCURSEL, 0, 0); typeChars(h, "b"); }, CB_GETCURSEL, 0, CB_ERR, "ab"},
    {"ComboListTypingSelects", WC_COMBOBOX, CBS_DROPDOWNLIST, [](HWND h) { fill(h, CB_ADDSTRING, {"apple", "banana"}); typeChars(h, "b"); }, CB_GETCURSEL, 0, 1, "banana"},
    {"ComboDropped", WC_COMBOBOX, CBS_DROPDOWNLIST, [](HWND h) { SendMessage(h, WM_KEYDOWN, VK_F4, 0); }, CB_GETDROPPEDSTATE, 0, TRUE, nullptr},
    {"SimpleComboNeverDrops", WC_COMBOBOX, CBS_SIMPLE, [](HWND h) { SendMessage(h, CB_SHOWDROPDOWN, TRUE, 0); }, CB_GETDROPPEDSTATE, 0, FALSE, nullptr},
    {"SliderClampsToRange", TRACKBAR_CLASS, 0, [](HWND h) { SendMessage(h, TBM_SETRANGEMAX, 0, 50); SendMessage(h, TBM_SETPOS, TRUE, 80); }, TBM_GETPOS, 0, 50, nullptr},
    {"SliderLineSize", TRACKBAR_CLASS, 0, [](HWND h) { SendMessage(h, TBM_SETLINESIZE, 0, 7); SendMessage(h, WM_KEYDOWN, VK_RIGHT, 0); }, TBM_GETPOS, 0, 7, nullptr},
    {"SliderEnd", TRACKBAR_CLASS, 0, [](HWND h) { SendMessage(h, WM_KEYDOWN, VK_END, 0); }, TBM_GETPOS, 0, 100, nullptr},
    {"SpinUpIncreases", UPDOWN_CLASS, 0, [](HWND h) { SendMessage(h, UDM_SETRANGE32, 0, 10); SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 2)); }, UDM_GETPOS32, 0, 1, nullptr},
    {"SpinStopsAtEnd", UPDOWN_CLASS, 0, [](HWND h) { SendMessage(h, UDM_SETRANGE32, 0, 1); SendMessage(h, UDM_SETPOS32, 0, 1); SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 2)); }, UDM_GETPOS32, 0, 1, nullptr},
    {"SpinWraps", UPDOWN_CLASS, UDS_WRAP, [](HWND h) { SendMessage(h, UDM_SETRANGE32, 0, 3); SendMessage(h, UDM_SETPOS32, 0, 3); SendMessage(h, WM_LBUTTONDOWN, 0, at(2, 2)); }, UDM_GETPOS32, 0, 0, nullptr},
    {"ProgressStepWraps", PROGRESS_CLASS, 0, [](HWND h) { SendMessage(h, PBM_SETPOS, 95, 0); SendMessage(h, PBM_STEPIT, 0, 0); }, PBM_GETPOS, 0, 5, nullptr},
    {"ProgressDelta", PROGRESS_CLASS, 0, [](HWND h) { SendMessage(h, PBM_SETRANGE32, 10, 20); SendMessage(h, PBM_DELTAPOS, 3, 0); }, PBM_GETPOS, 0, 13, nullptr},
    {"ScrollBarRange", WC_SCROLLBAR, 0, [](HWND h) { SendMessage(h, SBM_SETRANGE, 0, 10); SendMessage(h, SBM_SETPOS, 30, TRUE); }, SBM_GETPOS, 0, 10, nullptr},
    {"StaticImage", WC_STATIC, SS_BITMAP, [](HWND h) { SendMessage(h, STM_SETIMAGE, IMAGE_BITMAP, 0x55); }, STM_GETIMAGE, IMAGE_BITMAP, 0x55, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Controls, States, ::testing::ValuesIn(stateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, AutoRadioButtonsAreExclusiveWithinTheirGroup)
{
    HWND a = MakeControl(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP);
    HWND b = MakeControl(WC_BUTTON, BS_AUTORADIOBUTTON);
    HWND other = MakeControl(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP);
    // Children are stacked newest first; keep creation order as a dialog would.
    for (HWND h : {a, b, other})
        SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    click(a, 2, 2);
    click(b, 2, 2);
    EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlTest, FindStringMatchesPrefixAfterStartAndWraps)
{
    HWND h = MakeControl(WC_LISTBOX, 0);
    fill(h, LB_ADDSTRING, {"alpha", "beta", "Alpine"});
    EXPECT_EQ(SendMessage(h, LB_FINDSTRING, static_cast<WPARAM>(-1), text("al")), 0);
    EXPECT_EQ(SendMessage(h, LB_FINDSTRING, 0, text("AL")), 2);
    EXPECT_EQ(SendMessage(h, LB_FINDSTRING, 2, text("al")), 0);
    EXPECT_EQ(SendMessage(h, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text("alp")), LB_ERR);
}

TEST_F(ControlTest, OwnerDrawnFixedListDrawsEachItemInItsRow)
{
    HWND h = MakeControl(WC_LISTBOX, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, RECT{0, 0, 100, 50});
    fill(h, LB_ADDSTRING, {"a", "b", "c", "d"});
    SendMessage(h, LB_SETCURSEL, 1, 0);
    recorder.drawn.clear();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(recorder.drawn.size(), 3u); // the fourth row starts below the client area
    for (UINT i = 0; i < 3; ++i) {
        const DRAWITEMSTRUCT& d = recorder.drawn[i];
        EXPECT_EQ(d.CtlType, ODT_LISTBOX);
        EXPECT_EQ(d.itemID, i);
        EXPECT_EQ(d.rcItem.top, static_cast<LONG>(20 * i));
        EXPECT_EQ(d.rcItem.bottom, static_cast<LONG>(20 * i + 20));
        EXPECT_EQ(d.rcItem.right, 100);
        EXPECT_EQ((d.itemState & ODS_SELECTED) != 0, i == 1);
    }
    RECT r{};
    SendMessage(h, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(SendMessage(h, LB_ITEMFROMPOINT, 0, at(5, 45)), 2);
}

TEST_F(ControlTest, OwnerDrawnVariableListMeasuresEachItem)
{
    recorder.variable = true;
    HWND h = MakeControl(WC_LISTBOX, LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, RECT{0, 0, 100, 200});
    for (ULONG_PTR data : {7u, 8u, 9u})
        SendMessage(h, LB_ADDSTRING, 0, static_cast<LPARAM>(data));
    EXPECT_EQ(SendMessage(h, LB_GETITEMHEIGHT, 2, 0), 20);
    RECT r{};
    SendMessage(h, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 10 + 15);
    recorder.events.clear();
    click(h, 5, 12);
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(h, LB_GETITEMDATA, 1, 0), 8);
}

TEST_F(ControlTest, OwnerDrawnComboWithoutStringsSortsThroughTheParent)
{
    HWND h = MakeControl(WC_COMBOBOX, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT);
    for (ULONG_PTR data : {30u, 10u, 20u})
        SendMessage(h, CB_ADDSTRING, 0, static_cast<LPARAM>(data));
    std::vector<LRESULT> order;
    for (int i = 0; i < 3; ++i)
        order.push_back(SendMessage(h, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    EXPECT_EQ(order, (std::vector<LRESULT>{10, 20, 30}));
    EXPECT_EQ(SendMessage(h, CB_FINDSTRING, static_cast<WPARAM>(-1), 20), 1);
    SendMessage(h, CB_SETCURSEL, 2, 0);
    recorder.drawn.clear();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(recorder.drawn.size(), 1u);
    EXPECT_EQ(recorder.drawn[0].itemID, 2u);
    EXPECT_EQ(recorder.drawn[0].itemData, 30u);
    SendMessage(h, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(recorder.deleted.size(), 3u);
}

TEST_F(ControlTest, OwnerDrawnButtonGetsItsClientRectAndState)
{
    HWND h = MakeControl(WC_BUTTON, BS_OWNERDRAW, RECT{5, 5, 65, 30});
    SendMessage(h, BM_SETSTATE, TRUE, 0);
    recorder.drawn.clear();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(recorder.drawn.size(), 1u);
    const DRAWITEMSTRUCT& d = recorder.drawn[0];
    EXPECT_EQ(d.CtlType, ODT_BUTTON);
    EXPECT_EQ(d.CtlID, 77u);
    EXPECT_EQ(d.hwndItem, h);
    EXPECT_EQ(d.rcItem.left, 0);
    EXPECT_EQ(d.rcItem.right, 60);
    EXPECT_EQ(d.rcItem.bottom, 25);
    EXPECT_TRUE(d.itemState & ODS_SELECTED);
}

// A subclassed owner-drawn button draws itself through reflection.
class SwatchButton : public CButton {
public:
    RECT lastRect{};
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        lastRect = dis->rcItem;
        ++draws;
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, RGB(255, 0, 0));
    }
};

TEST_F(ControlTest, ReflectedDrawItemReachesTheControlObject)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr, 0));
    SwatchButton button;
    ASSERT_TRUE(button.Create("", BS_OWNERDRAW | WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 40}, &parent, 5));
    button.RedrawWindow();
    EXPECT_EQ(button.draws, 1);
    EXPECT_EQ(button.lastRect.right, 40);
    EXPECT_EQ(UiTestHook::PixelAt(button.m_hWnd, POINT{20, 20}), RGB(255, 0, 0));
    parent.DestroyWindow();
}

TEST_F(ControlTest, SpinSetsItsBuddysText)
{
    HWND edit = MakeControl(WC_EDIT, 0);
    HWND spin = MakeControl(UPDOWN_CLASS, UDS_SETBUDDYINT);
    SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessage(spin, UDM_SETRANGE32, 0, 100);
    SendMessage(spin, UDM_SETPOS32, 0, 41);
    SendMessage(spin, WM_LBUTTONDOWN, 0, at(2, 2));
    char buffer[16] = {};
    GetWindowText(edit, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "42");
}

TEST_F(ControlTest, EditLinesThroughTheWrapper)
{
    CWnd parent;
    parent.Attach(m_parent);
    CEdit edit;
    ASSERT_TRUE(edit.Create(ES_MULTILINE | WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 40}, &parent, 9));
    edit.SetWindowText("first\r\nsecond");
    char buffer[16] = {};
    EXPECT_EQ(edit.GetLine(1, buffer, 3), 3);
    EXPECT_STREQ(buffer, "sec");
    EXPECT_EQ(edit.LineLength(edit.LineIndex(1)), 6);
    edit.SetSel(2, 4);
    int from = 0, to = 0;
    edit.GetSel(from, to);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 4);
    edit.DestroyWindow();
    parent.Detach();
}

// Keys as the user presses them: through the focus window's queue.
TEST_F(ControlTest, CtrlASelectsTheWholeTextSoTypingReplacesIt)
{
    for (DWORD style : {DWORD(0), DWORD(ES_MULTILINE)}) {
        HWND h = MakeControl(WC_EDIT, style, RECT{10, 10, 200, 60}, "first\r\nsecond");
        SendMessage(h, EM_SETSEL, 2, 2);
        SetFocus(h);
        UiTestHook::KeyDown(VK_CONTROL);
        UiTestHook::KeyDown('A');
        UiTestHook::KeyUp('A');
        UiTestHook::KeyUp(VK_CONTROL);
        UiTestHook::PumpPending();
        DWORD from = 0, to = 0;
        SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u) << style;
        EXPECT_EQ(to, static_cast<DWORD>(GetWindowTextLength(h))) << style;
        typeChars(h, "x");
        char text[32] = "";
        GetWindowText(h, text, sizeof text);
        EXPECT_STREQ(text, "x") << style;
    }
}

} // namespace

namespace {

class RecordingDragList : public CDragListBox {
public:
    std::vector<std::string> steps;
    BOOL refuse = FALSE;
    BOOL BeginDrag(CPoint pt) override
    {
        steps.push_back("begin");
        return refuse ? FALSE : CDragListBox::BeginDrag(pt);
    }
    void CancelDrag(CPoint pt) override
    {
        steps.push_back("cancel");
        CDragListBox::CancelDrag(pt);
    }
    void Dropped(int from, CPoint pt) override
    {
        steps.push_back("drop " + std::to_string(from) + "->" + std::to_string(ItemFromPt(pt, FALSE)));
        CDragListBox::Dropped(from, pt);
    }
};

struct DragCase {
    const char* name;
    int fromRow;
    int toY; // client y of the release
    bool refuse;
    std::vector<std::string> steps;
    std::vector<std::string> order;
};

class DragLists : public ControlTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragLists, MoveRowsWhereTheyAreDropped)
{
    const DragCase& c = GetParam();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, RECT{0, 0, 200, 200}, nullptr, 0));
    RecordingDragList list;
    list.refuse = c.refuse;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 120}, &parent, 3));
    list.SetItemHeight(0, 20);
    for (const char* s : {"a", "b", "c", "d"})
        list.AddString(s);
    int y = c.fromRow * 20 + 5;
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(y)));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(c.toY)));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, static_cast<WORD>(c.toY)));
    EXPECT_EQ(list.steps, c.steps);
    std::vector<std::string> order;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        order.push_back(text.GetString());
    }
    EXPECT_EQ(order, c.order);
    EXPECT_EQ(list.m_nLast, -1) << "the insertion mark is gone";
    EXPECT_NE(CWnd::GetCapture(), &list);
    parent.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Drag, DragLists,
    ::testing::Values(DragCase{"DownOntoLaterRow", 0, 45, false, {"begin", "drop 0->2"}, {"b", "a", "c", "d"}},
                      DragCase{"UpOntoFirstRow", 3, 5, false, {"begin", "drop 3->0"}, {"d", "a", "b", "c"}},
                      DragCase{"OntoItselfChangesNothing", 1, 25, false, {"begin", "drop 1->1"}, {"a", "b", "c", "d"}},
                      DragCase{"BelowTheRowsChangesNothing", 1, 110, false, {"begin", "drop 1->-1"}, {"a", "b", "c", "d"}},
                      DragCase{"RefusedDrag", 0, 45, true, {"begin"}, {"a", "b", "c", "d"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
