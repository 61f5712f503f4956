// The main view's own behaviour: alarms that go off on the view's timer, links on objects and
// files dropped on the page, the context menu for the selection, the spelling check of a page
// through the in-place editor, and catalogue and project files that open in their panes.
#include "EditViewFixture.h"

#include "View/HyperTextEdit.h"
#include "View/MainViewHost.h"
#include "objects/GenFrameOb.h"
#include "objects/HyperDrawOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/ShellServices.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/TextGen.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/StringTable.h"
#include "platform/core/Time.h"
#include "platform/media/Sound.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/tests/BmpBytes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

class TestSettings : public CShellServices {
public:
    int GetSettingInt(LPCTSTR key, int defaultValue) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? defaultValue : found->second;
    }
    std::map<std::string, int> values;
};

class RecordingHost : public CMainViewHost {
public:
    BOOL OpenCatalogue(LPCTSTR path) override { return opened.push_back("cat " + std::string(path)), TRUE; }
    BOOL OpenProject(LPCTSTR path) override { return opened.push_back("prj " + std::string(path)), TRUE; }
    void SetSetting(LPCTSTR key, int value) override { written[key] = value; }
    std::vector<std::string> opened;
    std::map<std::string, int> written;
};

time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    return CTime(year, month, day, hour, minute, second).GetTime();
}

class MainViewTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        RegisterStringResource(CMyView::AlarmSoundText, "Alarm.wav");
        RegisterStringResource(CMyView::SpellCompleteText, "<Spelling check is complete.>");
        SetShellServices(&settings);
        SetMainViewHost(&host);
        previousPlayer = SetSoundPlayer([this](const SoundRequest& request) {
            sounds.push_back(request.name ? request.name : "");
            return true;
        });
    }
    void TearDown() override
    {
        COleDateTime::SetTestClock(0);
        SetSoundPlayer(previousPlayer);
        SetMainViewHost(nullptr);
        SetShellServices(nullptr);
        EditViewTest::TearDown();
    }

    CHyperOb* AddText(const CRect& rect, const char* text)
    {
        auto* object = new CTextGen;
        object->Init(view, &rect, TRUE);
        object->Text = text;
        LOGFONT font = object->Font.GetLogFont();
        font.lfHeight = -12;
        std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Sans");
        object->SetFont(&font);
        EXPECT_TRUE(view->AddObject(object, FALSE, TRUE));
        return object;
    }

    // A border with an alarm that is on.
    CHyperOb* AddAlarm(const char* alarmTime, const char* created, const char* sound = "bell.wav")
    {
        CHyperOb* object = AddBorder(CRect(100, 100, 200, 160));
        object->SetAlarmTime(alarmTime);
        object->CreationDate = created;
        object->SetAlarmSound(sound);
        object->AlarmActive = 1;
        return object;
    }

    void DropFile(const std::string& name, POINT at)
    {
        view->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(UiTestHook::MakeDrop({name}, at)));
    }

    TestSettings settings;
    RecordingHost host;
    SoundPlayer previousPlayer;
    std::vector<std::string> sounds;
};

TEST_F(MainViewTest, ThePagesFrameKeepsAFrameObjectWithoutTheWindowEditors)
{
    ASSERT_NE(frame->GetFrameObject(), nullptr);
    EXPECT_TRUE(frame->GetFrameObject()->IsKindOf(RUNTIME_CLASS(CGenFrameOb)));
    EXPECT_EQ(frame->GetFrameObject()->CreateProperty(CHyperFrameOb::WidthId, FALSE), nullptr);
}

// When an alarm goes off: a duration counts from the object's creation, anything else is the
// moment itself.
TEST_F(MainViewTest, TheAlarmMomentComesFromTheDurationOrTheDate)
{
    struct Case {
        const char* alarmTime;
        const char* created;
        bool found;
        COleDateTime moment;
    } cases[] = {
        {"1d", "24.12.2026 10:00:00", true, COleDateTime(2026, 12, 25, 10, 0, 0)},
        {"+2h 30m", "24.12.2026 10:00:00", true, COleDateTime(2026, 12, 24, 12, 30, 0)},
        {"24.12.2026 10:00", "01.01.2020 08:00:00", true, COleDateTime(2026, 12, 24, 10, 0, 0)},
        {"24.12.2026 10:00", "", true, COleDateTime(2026, 12, 24, 10, 0, 0)},
        {"1d", "", false, {}},
        {"1d", "yesterday", false, {}},
        {"31.02.2026 10:00", "", false, {}},
        {"soon", "24.12.2026 10:00:00", false, {}},
    };
    for (const Case& c : cases) {
        CHyperOb* object = AddAlarm(c.alarmTime, c.created);
        COleDateTime moment;
        EXPECT_EQ(CMyView::GetAlarmMoment(object, moment) != FALSE, c.found) << c.alarmTime << " / " << c.created;
        if (c.found) {
            EXPECT_LT(std::abs((moment - c.moment).GetTotalSeconds()), 1.0) << c.alarmTime << " / " << c.created;
        }
    }
}

TEST_F(MainViewTest, AnAlarmGoesOffOnceAtItsMomentWithSignalFlashAndSound)
{
    CHyperOb* object = AddAlarm("1d", "24.12.2026 10:00:00");
    auto* drawn = static_cast<CHyperDrawOb*>(object);
    COleDateTime::SetTestClock(LocalTime(2026, 12, 25, 9, 59, 59));
    view->OnAlarmCheck();
    EXPECT_TRUE(sounds.empty()) << "not yet due";
    EXPECT_EQ(object->AlarmActive, 1);

    COleDateTime::SetTestClock(LocalTime(2026, 12, 25, 10, 0, 0));
    doc->SetModifiedFlag(FALSE);
    view->OnAlarmCheck();
    EXPECT_EQ(sounds, std::vector<std::string>{"bell.wav"});
    EXPECT_TRUE(drawn->GetAlarmSignal());
    EXPECT_EQ(view->m_flashCount, 6) << "three flashes, each on and off";
    EXPECT_EQ(object->AlarmActive, 2) << "over";
    EXPECT_TRUE(doc->IsModified());

    view->OnAlarmCheck();
    EXPECT_EQ(sounds.size(), 1u) << "an alarm that is over stays quiet";
}

TEST_F(MainViewTest, WithoutAutoDeactivationAnAlarmGoesOffAtEveryCheck)
{
    settings.values["Alarm.Autodeactivate"] = 0;
    settings.values["Alarm.Flashwindow"] = 0;
    settings.values["Alarm.Showbitmap"] = 0;
    CHyperOb* object = AddAlarm("24.12.2026 10:00", "", "");
    COleDateTime::SetTestClock(LocalTime(2026, 12, 24, 11, 0, 0));
    view->OnAlarmCheck();
    view->OnAlarmCheck();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].substr(sounds[0].size() - 10), "/Alarm.wav") << "the program's sound without one of its own";
    EXPECT_EQ(object->AlarmActive, 1);
    EXPECT_FALSE(static_cast<CHyperDrawOb*>(object)->GetAlarmSignal());
    EXPECT_EQ(view->m_flashCount, 0);
}

TEST_F(MainViewTest, AlarmsThatAreOffOverOrUnreadableStayQuiet)
{
    COleDateTime::SetTestClock(LocalTime(2027, 1, 1, 0, 0, 0));
    AddAlarm("1d", "24.12.2026 10:00:00")->AlarmActive = 0;
    AddAlarm("1d", "24.12.2026 10:00:00")->AlarmActive = 2;
    AddAlarm("1d", "not a date");
    AddAlarm("", "24.12.2026 10:00:00");
    view->OnAlarmCheck();
    EXPECT_TRUE(sounds.empty());
    settings.values["Alarm.Enabled"] = 0;
    AddAlarm("1d", "24.12.2026 10:00:00");
    view->OnTimer(CMyView::AlarmTimer);
    EXPECT_TRUE(sounds.empty()) << "alarms switched off in the settings";
}

// A flash of n shows n times (at least once), each time on and off, then stops.
TEST_F(MainViewTest, AFlashRunsItsTogglesAndStops)
{
    for (int count : {0, 1, 3}) {
        view->StartFlash(count);
        int ticks = 0;
        while (view->m_flashCount > 0 && ticks < 20) {
            view->OnTimer(CMyView::FlashTimer);
            ++ticks;
        }
        EXPECT_EQ(ticks, std::max(count, 1) * 2) << count;
    }
}

TEST_F(MainViewTest, AlarmsOffActsOnTheSelectionOrTheWholePage)
{
    CHyperOb* first = AddAlarm("1d", "24.12.2026 10:00:00");
    CHyperOb* second = AddAlarm("1d", "24.12.2026 10:00:00");
    view->SelectOnly(view->FindObjectIndex(first));
    view->OnAlarmsOff();
    EXPECT_EQ(first->AlarmActive, 0);
    EXPECT_EQ(second->AlarmActive, 1);
    view->ClearSelection(FALSE);
    view->OnAlarmsOff();
    EXPECT_EQ(second->AlarmActive, 0);
}

TEST_F(MainViewTest, ADroppedFileNameBecomesALink)
{
    const struct {
        const char* name;
        const char* link;
    } cases[] = {
        {"C:\\notes\\a.txt", "file://C:/notes/a.txt"},
        {"d:/plans/b.trn", "file://d:/plans/b.trn"},
        {"/home/ann/notes.txt", "file:///home/ann/notes.txt"},
        {"notes.txt", "notes.txt"},
        {"\\\\server\\share\\a.txt", ""},
        {"1st.txt", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMyView::LinkForDroppedFile(c.name), CString(c.link)) << c.name;
}

TEST_F(MainViewTest, AFileDroppedOnAnObjectBecomesItsLinkAndOnEmptySpaceChangesNothing)
{
    CHyperOb* border = AddBorder(CRect(100, 100, 200, 160));
    DropFile("/home/ann/plan.txt", {150, 130});
    EXPECT_EQ(border->GetURL(), CString("file:///home/ann/plan.txt"));
    EXPECT_EQ(view->GetCurrentObject(), border) << "the drop selects the object";
    EXPECT_TRUE(doc->IsModified());
    DropFile("\\\\server\\x.txt", {150, 130});
    EXPECT_EQ(border->GetURL(), CString("file:///home/ann/plan.txt")) << "a network name is no link";
    DropFile(folder + "/nothing.txt", {400, 400});
    EXPECT_EQ(ObjectCount(), 1);
}

TEST_F(MainViewTest, APictureDroppedOnEmptySpaceBecomesAPictureObjectThere)
{
    const std::vector<BYTE> picture = SolidBmp(20, 10, RGB(0, 0, 255));
    const std::string path = folder + "/blue.bmp";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(picture.data()), picture.size());
    DropFile(path, {300, 200});
    ASSERT_EQ(ObjectCount(), 1);
    auto* bitmap = dynamic_cast<CBitmapOb*>(Object(0));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetPicture().GetDimensions(), CSize(20, 10));
    CRect placed = RectOf(0);
    placed.InflateRect(1, 1);
    EXPECT_TRUE(placed.PtInRect(CPoint(300, 200))) << "placed where it was dropped";
}

TEST_F(MainViewTest, AGroupMemberTakesTheLinkOfTheMemberHoldingTheGroup)
{
    CHyperOb* holder = AddBorder(CRect(0, 0, 50, 50));
    CHyperOb* member = AddBorder(CRect(60, 0, 110, 50));
    CHyperOb* alone = AddBorder(CRect(200, 0, 250, 50));
    holder->SetURL("https://example.org/");
    member->SetURL("https://member.example/");
    alone->SetURL("mailto:ann@example.org");
    CObArray both;
    both.Add(holder);
    both.Add(member);
    view->GroupObjects(both);
    CHyperOb* owner = holder->GetOwnGroupInfo() ? holder : member;
    EXPECT_EQ(view->GetLinkOf(member), owner->GetURL());
    EXPECT_EQ(view->GetLinkOf(holder), owner->GetURL());
    EXPECT_EQ(view->GetLinkAt(CPoint(225, 25)), CString("mailto:ann@example.org"));
    EXPECT_EQ(view->GetLinkAt(CPoint(400, 400)), CString());
}

TEST_F(MainViewTest, TheContextMenuFollowsTheSelectionAndItsLayer)
{
    EXPECT_EQ(view->ChooseContextMenu(), CMyView::ViewMenu);
    CHyperOb* border = AddBorder(CRect(100, 100, 200, 160));
    view->SelectOnly(view->FindObjectIndex(border));
    EXPECT_EQ(view->ChooseContextMenu(), CMyView::ObjectMenu);
    const CLayerFmt* layers = view->GetPageObject()->GetLayerList();
    ASSERT_NE(layers, nullptr);
    int notice = -1;
    for (INT_PTR i = 0; i < layers->GetSize(); ++i)
        if (layers->GetLayerItem(i)->IsNoticeLayer())
            notice = layers->GetLayerItem(i)->GetId();
    ASSERT_GE(notice, CMyView::NoticeLayers);
    border->LayerID = notice;
    EXPECT_EQ(view->ChooseContextMenu(), CMyView::NoticeObjectMenu);
    border->LayerID = notice + 500;
    EXPECT_EQ(view->ChooseContextMenu(), CMyView::ObjectMenu) << "a layer the page does not have is ordinary";
}

TEST_F(MainViewTest, CatalogueAndProjectFilesOpenInTheirPanes)
{
    const struct {
        const char* name;
        const char* opened;
    } cases[] = {
        {"/data/Parts.cat", "cat /data/Parts.cat"},
        {"/data/Plan.PRJ", "prj /data/Plan.PRJ"},
        {"/data/plan.prj.bak", nullptr},
        {"/data/cat", nullptr},
    };
    for (const auto& c : cases) {
        host.opened.clear();
        // A file that is no catalogue or project is read as a document: here it is missing.
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        EXPECT_FALSE(doc->OnOpenDocument(c.name)) << c.name;
        UiTestHook::Reset();
        const std::vector<std::string> expected = c.opened ? std::vector<std::string>{c.opened} : std::vector<std::string>{};
        EXPECT_EQ(host.opened, expected) << c.name;
    }
}

#ifdef LEXIGARD_ENGLISH
// Answers the session for the test: notes the unknown word the dictionary found in each text,
// then goes on as Ignore would, or cancels at the named text.
class WalkingServices : public CTextServices {
public:
    CString GetMainDictionary() const override { return LEXIGARD_ENGLISH; }
    BOOL RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb*, int start, int end) const override
    {
        CString text;
        editor->GetWindowText(text);
        int found[2] = {0, 0};
        const BOOL unknown = FindMisspelledWord(*checker, text, start, end, found);
        walked.push_back(std::string(text) + (unknown ? " [" + std::string(text.Mid(found[0], found[1] - found[0])) + "]" : ""));
        // The user's change in the session's options dialog.
        if (stopIgnoringNumbers)
            LX_SetIgnoreWordsWithNumbers(*checker, FALSE);
        return text != cancelAt;
    }
    mutable std::vector<std::string> walked;
    CString cancelAt;
    bool stopIgnoringNumbers = false;
};

class PageSpellingTest : public MainViewTest {
protected:
    void SetUp() override
    {
        MainViewTest::SetUp();
        SetTextServices(&services);
        AddText(CRect(100, 300, 300, 340), "third one");
        AddText(CRect(100, 200, 300, 240), "a seccond text");
        AddText(CRect(100, 100, 300, 140), "Hello world");
        view->UpdateWindow();
        Pump();
        UiTestHook::QueueMessageBoxAnswer(IDOK);
    }
    void TearDown() override
    {
        UiTestHook::Reset();
        SetTextServices(nullptr);
        MainViewTest::TearDown();
    }
    WalkingServices services;
};

TEST_F(PageSpellingTest, EveryTextOfThePageIsCheckedInPageOrderWithTheEnglishDictionary)
{
    view->ClearSelection(FALSE);
    const int boxes = UiTestHook::MessageBoxCount();
    view->OnSpellCheck();
    const std::vector<std::string> expected = {"Hello world", "a seccond text [seccond]", "third one"};
    EXPECT_EQ(services.walked, expected);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "<Spelling check is complete.>");
    EXPECT_FALSE(view->GetTextEdit().IsEditing());
    EXPECT_TRUE(host.written.empty()) << "unchanged options are not written";
}

TEST_F(PageSpellingTest, AnOptionChangedDuringTheCheckGoesBackToTheSettings)
{
    services.stopIgnoringNumbers = true;
    view->OnSpellCheck();
    const std::map<std::string, int> expected = {{"Dictionary.IgnorNumbers", 0}};
    EXPECT_EQ(host.written, expected);
}

TEST_F(PageSpellingTest, ACancelEndsTheWalkAndStillSaysTheCheckIsComplete)
{
    services.cancelAt = "a seccond text";
    view->OnSpellCheck();
    EXPECT_EQ(services.walked.size(), 2u);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "<Spelling check is complete.>");
}

TEST_F(PageSpellingTest, OneSelectedTextIsCheckedAloneAndTheWholePageWhenAsked)
{
    view->SelectOnly(1);
    view->OnSpellCheck();
    EXPECT_EQ(services.walked, std::vector<std::string>{"a seccond text [seccond]"});
    services.walked.clear();
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    view->SpellCheckWholePage();
    EXPECT_EQ(services.walked.size(), 3u);
}

TEST_F(PageSpellingTest, AnInPlaceEditThatChangedTheTextIsCheckedWhenTheSettingAsks)
{
    for (int checkAfterUpdate : {1, 0}) {
        settings.values["Dictionary.CheckAfterUpdate"] = checkAfterUpdate;
        services.walked.clear();
        CHyperOb* object = Object(0);
        const CPoint centre = object->m_textRect1.CenterPoint();
        ASSERT_TRUE(view->GetTextEdit().BeginEdit(centre.x, centre.y, object, 0));
        view->GetTextEdit().SetWindowText(checkAfterUpdate ? "Hello wrld" : "Hello again");
        view->GetTextEdit().EndEdit(TRUE, 0, TRUE);
        const std::vector<std::string> expected =
            checkAfterUpdate ? std::vector<std::string>{"Hello wrld [wrld]"} : std::vector<std::string>{};
        EXPECT_EQ(services.walked, expected);
        EXPECT_FALSE(view->GetTextEdit().IsEditing());
    }
}

TEST_F(PageSpellingTest, SavingChecksThePageOnlyWhenAskedAndNeverForAnAutosaveCopy)
{
    const struct {
        int checkBeforeSave;
        const char* name;
        size_t walked;
    } cases[] = {{0, "plain.trn", 0}, {1, "checked.trn", 3}, {1, "~checked.trn", 0}};
    for (const auto& c : cases) {
        settings.values["Dictionary.CheckBeforSave"] = c.checkBeforeSave;
        services.walked.clear();
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        CFile file;
        ASSERT_TRUE(file.Open((folder + "/" + c.name).c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive archive(&file, CArchive::store);
        doc->Serialize(archive);
        archive.Close();
        EXPECT_EQ(services.walked.size(), c.walked) << c.name;
    }
    UiTestHook::Reset();
}
#endif

} // namespace
