// The auto-correction exceptions and the Calender window: what they store and restore.
#include "shell/CalendarDlg.h"
#include "shell/CopyAsTextDlg.h"
#include "shell/ExceptionsDlg.h"
#include "shell/SelectLanguageDlg.h"
#include "shell/Settings.h"

#include "PaneFixture.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRecognitionResult.h"
#include "platform/ole/Clipboard.h"
#include "platform/sys/PrivateProfile.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

class SmallDialogsTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        SetSettingString(Setting::DictionaryDirectory, (home + "/dic").c_str());
        // An empty list of the user's own keeps the one that ships out of the way.
        std::filesystem::create_directories(home + "/dic");
        std::ofstream(GetEditableRectivoListFile().GetString(), std::ios::trunc);
    }
    std::string Exception(const std::string& word)
    {
        char value[16] = {};
        ::GetPrivateProfileString("FirstLetterExceptions", word.c_str(), "-", value, sizeof value, GetRectivoListFile());
        return value;
    }
    void Type(CDialog& dialog, LPCTSTR text)
    {
        dialog.SetDlgItemText(1033, text);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1033, EN_CHANGE), 0);
    }
    void Press(CDialog& dialog, UINT id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(SmallDialogsTest, ExceptionsAreAddedAndDeletedWholeInTheListFile)
{
    const std::string longWord(40, 'w');
    ::WritePrivateProfileString("FirstLetterExceptions", longWord.c_str(), "1", GetRectivoListFile());
    ::WritePrivateProfileString("FirstLetterExceptions", "etc.", "1", GetRectivoListFile());
    ScriptedDialog<CExceptionsDlg> dialog;
    dialog.steps = {[&] {
        CListCtrl& list = dialog.GetList();
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_FALSE(dialog.GetDlgItem(1031)->IsWindowEnabled());
        EXPECT_FALSE(dialog.GetDlgItem(1032)->IsWindowEnabled());
        Type(dialog, "approx.");
        EXPECT_TRUE(dialog.GetDlgItem(1031)->IsWindowEnabled());
        Press(dialog, 1031);
        EXPECT_FALSE(dialog.GetDlgItem(1031)->IsWindowEnabled());
        EXPECT_EQ(list.GetItemCount(), 3);
        int longRow = -1;
        for (int row = 0; row < list.GetItemCount(); ++row)
            if (list.GetItemText(row, 0).GetLength() == 31)
                longRow = row;
        ASSERT_GE(longRow, 0) << "a long word shows its first 31 characters";
        list.SetItemState(longRow, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_TRUE(dialog.GetDlgItem(1032)->IsWindowEnabled());
        Press(dialog, 1032);
        EXPECT_EQ(list.GetItemCount(), 2);
        dialog.EndDialog(IDOK);
    }};
    dialog.DoModal();
    EXPECT_EQ(Exception("approx."), "1");
    EXPECT_EQ(Exception(longWord), "-") << "the whole word is deleted";
    EXPECT_EQ(Exception("etc."), "1");
}

TEST_F(SmallDialogsTest, WithoutAStoredPlaceTheCalenderKeepsItsTemplatePlace)
{
    CCalendarDlg calendar;
    ASSERT_TRUE(calendar.Create(CCalendarDlg::IDD, nullptr));
    CRect made;
    calendar.GetWindowRect(&made);
    calendar.DestroyWindow();
    EXPECT_EQ(GetCalendarLeft(), made.left) << "closing stores the place even when never moved";
    EXPECT_EQ(GetCalendarWidth(), made.Width());
    EXPECT_EQ(GetCalendarHeight(), made.Height());
}

TEST_F(SmallDialogsTest, TheCalenderComesBackWhereItWasClosed)
{
    SetCalendarLeft(40);
    SetCalendarTop(30);
    SetCalendarWidth(500);
    SetCalendarHeight(420);
    CCalendarDlg calendar;
    ASSERT_TRUE(calendar.Create(CCalendarDlg::IDD, nullptr));
    CRect rect;
    calendar.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(40, 30, 540, 450));
    CRect client, inside;
    calendar.GetClientRect(&client);
    calendar.GetCalendar().GetWindowRect(&inside);
    calendar.ScreenToClient(&inside);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(inside.left, edge);
    EXPECT_EQ(inside.right, client.right - edge) << "the calendar fills the window";
    calendar.MoveWindow(60, 70, 400, 380);
    calendar.SendMessage(WM_CLOSE);
    EXPECT_EQ(calendar.m_hWnd, nullptr);
    EXPECT_EQ(GetCalendarLeft(), 60);
    EXPECT_EQ(GetCalendarTop(), 70);
    EXPECT_EQ(GetCalendarWidth(), 400);
    EXPECT_EQ(GetCalendarHeight(), 380);
}

TEST_F(SmallDialogsTest, CalenderTipsNameThePartUnderTheMouse)
{
    struct Case {
        UINT hit;
        const char* text;
    };
    const Case cases[] = {
        {MCHT_TITLEBTNNEXT, "<Next>"},      {MCHT_TITLEBTNPREV, "<Previous>"}, {MCHT_TITLE, "<Resizable Calender>"},
        {MCHT_NOWHERE, "<Now Here>"},        {MCHT_CALENDARDATE, "<Month>"},    {MCHT_TODAYLINK, "<Today>"},
        {MCHT_CALENDARDATEPREV, "<Date from previous month>"}, {0x12345, ""},
    };
    CCalendarDlg calendar;
    ASSERT_TRUE(calendar.Create(CCalendarDlg::IDD, nullptr));
    for (const Case& c : cases) {
        MCHITTESTINFO hit{};
        hit.uHit = c.hit;
        CalendarTipRequest request{};
        request.hdr.idFrom = CCalendarDlg::kCalendarId;
        request.hdr.code = CalendarTipNotification;
        request.hdr.hwndFrom = calendar.GetCalendar().m_hWnd;
        request.hit = &hit;
        EXPECT_EQ(calendar.SendMessage(WM_NOTIFY, CCalendarDlg::kCalendarId, reinterpret_cast<LPARAM>(&request)), 0);
        EXPECT_STREQ(request.buffer, c.text) << c.hit;
    }
    calendar.DestroyWindow();
}

TEST_F(SmallDialogsTest, TheCalendersTipIsTheStringOfThePartUnderTheMouse)
{
    CCalendarDlg calendar;
    ASSERT_TRUE(calendar.Create(CCalendarDlg::IDD, nullptr));
    CDayStateCalendar& months = calendar.GetCalendar();
    ASSERT_TRUE(months.ToolTipsEnabled());
    CRect client;
    months.GetClientRect(&client);
    CPoint title(-1, -1);
    for (int y = 0; y < client.bottom && title.x < 0; ++y)
        for (int x = 0; x < client.right && title.x < 0; ++x) {
            MCHITTESTINFO hit{sizeof(MCHITTESTINFO), {x, y}, 0, {}};
            if (months.HitTest(&hit) == MCHT_TITLEMONTH)
                title = CPoint(x, y);
        }
    ASSERT_GE(title.x, 0);
    months.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(title.x, title.y));
    CString text;
    months.GetToolTips().GetText(text, &months, MCHT_TITLEMONTH);
    EXPECT_EQ(std::string(text), "<Month>");
    calendar.DestroyWindow();
}

TEST_F(SmallDialogsTest, SelectListsTheDictionariesAndStoresTheChosenOne)
{
    for (const char* file : {"English (USA).lex", "Deutsch.lex", "notes.txt"})
        WriteFile(home + "/dic/" + file, "");
    EXPECT_EQ(std::string(GetDictionaryLanguage()), "English (USA)") << "the default";
    CSelectLanguageDlg select;
    ASSERT_TRUE(select.Create(CSelectLanguageDlg::IDD, nullptr));
    CListCtrl& list = select.GetList();
    ASSERT_EQ(list.GetItemCount(), 2);
    const int english = list.GetItemText(0, 0) == "English (USA)" ? 0 : 1;
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), english) << "the current language is preselected";
    list.SetItemState(english, 0, LVIS_SELECTED);
    list.SetItemState(1 - english, LVIS_SELECTED, LVIS_SELECTED);
    select.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(std::string(GetDictionaryLanguage()), "Deutsch");
    if (select.m_hWnd)
        select.DestroyWindow();
}

TEST_F(SmallDialogsTest, WithoutAResultTheTextSaysNoResultsAndCopiesWhole)
{
    CCopyAsTextDlg dialog;
    ASSERT_TRUE(dialog.Create(CCopyAsTextDlg::IDD, nullptr));
    CString text;
    dialog.GetTextEdit().GetWindowText(text);
    EXPECT_EQ(std::string(text), "No results!");
    int start = -1, end = -1;
    dialog.GetTextEdit().GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 1) << "the empty selection at the start covers the first character";
    EXPECT_EQ(dialog.GetAlternates().GetCount(), 0);
    dialog.GetTextEdit().SetSel(3, 5);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CCopyAsTextDlg::kCopyId, BN_CLICKED));
    dialog.GetTextEdit().GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 5) << "the selection is left as it was";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE copied = GetClipboardData(CF_TEXT);
    ASSERT_NE(copied, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(copied)), "No results!");
    GlobalUnlock(copied);
    CloseClipboard();
    dialog.DestroyWindow();
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "(no clipboard)";
    HANDLE copied = GetClipboardData(CF_TEXT);
    std::string text = copied ? static_cast<const char*>(GlobalLock(copied)) : "(no text)";
    if (copied)
        GlobalUnlock(copied);
    CloseClipboard();
    return text;
}

std::vector<std::string> Listed(CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        texts.emplace_back(text);
    }
    return texts;
}

TEST_F(SmallDialogsTest, RecognisedTextIsCorrectedFromTheAlternatesOfTheSelectedWordAndCopied)
{
    auto ink = InkDisp::Create();
    const LONG first = ink->CreateStroke({{0, 0}, {100, 100}})->ID();
    const LONG second = ink->CreateStroke({{200, 0}, {300, 100}})->ID();
    auto result = std::make_shared<InkRecognitionResult>(
        ink->Strokes(), std::vector<InkRecognizedWord>{{{"ab", "db", "ah"}, {0, 0, 100, 100}, false},
                                                       {{"cd", "cl"}, {200, 0, 300, 100}, false}});
    CCopyAsTextDlg dialog;
    dialog.SetResult(result);
    ASSERT_TRUE(dialog.Create(CCopyAsTextDlg::IDD, nullptr));
    CString text;
    dialog.GetTextEdit().GetWindowText(text);
    EXPECT_EQ(std::string(text), "ab cd");
    int start = -1, end = -1;
    dialog.GetTextEdit().GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2) << "the caret at the start selects the first word";
    ASSERT_EQ(dialog.GetShownStrokes().Count(), 1u);
    EXPECT_EQ(dialog.GetShownStrokes().Item(0)->ID(), first);
    EXPECT_EQ(Listed(dialog.GetAlternates()), (std::vector<std::string>{"ab", "db", "ah"}));
    EXPECT_EQ(dialog.GetAlternates().GetCurSel(), 0) << "the word as read is picked";

    // A click at the end of the text takes the last word.
    dialog.GetTextEdit().SetSel(5, 5);
    MSG click{dialog.GetTextEdit().m_hWnd, WM_LBUTTONUP, 0, 0, 0, {0, 0}};
    dialog.PreTranslateMessage(&click);
    dialog.GetTextEdit().GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 5);
    ASSERT_EQ(dialog.GetShownStrokes().Count(), 1u);
    EXPECT_EQ(dialog.GetShownStrokes().Item(0)->ID(), second);
    EXPECT_EQ(Listed(dialog.GetAlternates()), (std::vector<std::string>{"cd", "cl"}));

    dialog.GetAlternates().SetCurSel(1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CCopyAsTextDlg::kAlternatesId, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(dialog.GetAlternates().m_hWnd));
    dialog.GetTextEdit().GetWindowText(text);
    EXPECT_EQ(std::string(text), "ab cl");
    dialog.GetTextEdit().GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(Listed(dialog.GetAlternates()), (std::vector<std::string>{"cl", "cd"}));
    EXPECT_EQ(dialog.GetAlternates().GetCurSel(), 0) << "the reading now in the text is picked";
    EXPECT_EQ(result->TopString(), "ab cl");

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CCopyAsTextDlg::kCopyId, BN_CLICKED));
    EXPECT_EQ(ClipboardText(), "ab cl");
    dialog.DestroyWindow();
}

} // namespace
