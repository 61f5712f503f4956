// Alarms on objects: the check on the view's timer, the signal, the flashing main window and the
// sound of an alarm that goes off, and Alarms off.
#include "View/MyView.h"

#include "View/MainViewHost.h"
#include "View/ViewPropertyDialog.h"
#include "objects/HyperDrawOb.h"
#include "objects/ShellServices.h"
#include "platform/media/Sound.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

namespace {

constexpr DWORD kSoundNoWait = 0x2000;
constexpr int kOver = 2;
constexpr int kOn = 1;
constexpr int kOff = 0;

int Setting(LPCTSTR key, int defaultValue)
{
    return GetShellServices().GetSettingInt(key, defaultValue);
}

} // namespace

void CMyView::StartAlarmTimer()
{
    const int delay = std::max(1, Setting("Alarm.CheckDelay", 10));
    SetTimer(AlarmTimer, static_cast<UINT>(delay) * 100, nullptr);
}

void CMyView::StartFlash(int count)
{
    m_flashCount = std::max(count, 1) * 2;
    if (CWnd* main = AfxGetMainWnd())
        main->FlashWindow(TRUE);
    SetTimer(FlashTimer, FlashPeriod, nullptr);
}

void CMyView::OnTimer(UINT_PTR id)
{
    if (id == AlarmTimer) {
        KillTimer(AlarmTimer);
        if (Setting("Alarm.Enabled", 1))
            OnAlarmCheck();
        StartAlarmTimer();
        return;
    }
    if (id != FlashTimer) {
        CCatView::OnTimer(id);
        return;
    }
    KillTimer(FlashTimer);
    m_flashCount = std::max(m_flashCount - 1, 0);
    CWnd* main = AfxGetMainWnd();
    if (main)
        main->FlashWindow(m_flashCount >= 1);
    if (m_flashCount >= 1)
        SetTimer(FlashTimer, FlashPeriod, nullptr);
}

// A duration counts from the object's creation; anything else is the moment itself.
BOOL CMyView::GetAlarmMoment(const CHyperOb* object, COleDateTime& moment)
{
    COleDateTimeSpan span;
    if (ParseDateTimeSpan(object->GetAlarmTime(), span) && !object->CreationDate.Text().IsEmpty()) {
        COleDateTime created;
        if (!ParseDateTime(object->CreationDate.Text(), created))
            return FALSE;
        moment = created + span;
        return TRUE;
    }
    return ParseDateTime(object->GetAlarmTime(), moment);
}

void CMyView::OnAlarmCheck()
{
    if (GetObjects().GetSize() == 0)
        return;
    CObArray objects;
    objects.Copy(GetObjects());
    const COleDateTime now = COleDateTime::GetCurrentTime();
    BOOL changed = FALSE;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = dynamic_cast<CHyperDrawOb*>(objects.GetAt(i));
        COleDateTime moment;
        if (object && !object->GetAlarmTime().IsEmpty() && object->AlarmActive == kOn &&
            GetAlarmMoment(object, moment) && now >= moment)
            changed |= FireAlarm(object);
    }
    // An alarm that is over stays over when the page is saved.
    if (changed && GetDocument())
        GetDocument()->SetModifiedFlag(TRUE);
}

// TRUE when the alarm went over.
BOOL CMyView::FireAlarm(CHyperOb* object)
{
    if (Setting("Alarm.Showbitmap", 1))
        static_cast<CHyperDrawOb*>(object)->SetAlarmSignal(TRUE);
    if (Setting("Alarm.Flashwindow", 1))
        StartFlash(Setting("Alarm.Flashcount", 3));
    if (Setting("Alarm.Playsound", 1)) {
        CString sound = object->GetAlarmSound();
        if (sound.IsEmpty()) {
            CString name;
            name.LoadString(AlarmSoundText);
            sound = GetMainViewHost().GetProgramFolder() + "/" + name;
        }
        PlaySound(sound, nullptr, SND_FILENAME | kSoundNoWait | SND_NOSTOP | SND_NODEFAULT | SND_ASYNC);
    }
    if (!Setting("Alarm.Autodeactivate", 1))
        return FALSE;
    object->AlarmActive = kOver;
    if (m_propertyDialog)
        m_propertyDialog->ReloadValues();
    return TRUE;
}

void CMyView::OnAlarmsOff()
{
    if (GetObjects().GetSize() == 0)
        return;
    CObArray targets;
    CollectTargets(targets);
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        auto* object = dynamic_cast<CHyperDrawOb*>(targets.GetAt(i));
        if (!object)
            continue;
        object->SetAlarmSignal(FALSE);
        if (object->AlarmActive != kOff && GetDocument())
            GetDocument()->SetModifiedFlag(TRUE);
        object->AlarmActive = kOff;
    }
    if (m_propertyDialog)
        m_propertyDialog->ReloadValues();
    Invalidate();
}
