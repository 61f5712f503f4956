// Plays user steps into the library's modal dialogs: a thread timer hands the active window
// to the next step when its caption is the one the step is for. A dialog still open when the
// steps run out, or that no step is for, is cancelled, so a test never waits for a person.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"

#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    struct Step {
        std::string caption;
        std::function<void(HWND dialog)> action;
    };

    explicit DialogDriver(std::vector<Step> steps)
        : m_steps(std::move(steps))
    {
        current() = this;
        m_timer = ::SetTimer(nullptr, 0, 1, tick);
    }
    ~DialogDriver()
    {
        ::KillTimer(nullptr, m_timer);
        current() = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Steps left when the last dialog closed; a dialog cancelled for want of steps counts.
    size_t StepsLeft() const { return m_steps.size() - m_next; }
    int Cancelled() const { return m_cancelled; }

    static void Click(HWND dialog, int id) { ::PostMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static void SetText(HWND dialog, int id, const std::string& text)
    {
        ::SetWindowText(::GetDlgItem(dialog, id), text.c_str());
    }
    static std::string Text(HWND dialog, int id)
    {
        char text[512] = "";
        ::GetWindowText(::GetDlgItem(dialog, id), text, sizeof text);
        return text;
    }
    static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

private:
    static DialogDriver*& current()
    {
        static DialogDriver* driver = nullptr;
        return driver;
    }

    static void tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogDriver* driver = current();
        HWND dialog = ::GetActiveWindow();
        if (driver == nullptr || dialog == nullptr)
            return;
        if (driver->m_next < driver->m_steps.size()) {
            const Step& step = driver->m_steps[driver->m_next];
            char caption[128] = "";
            ::GetWindowText(dialog, caption, sizeof caption);
            if (step.caption == caption) {
                driver->m_idle = 0;
                ++driver->m_next;
                step.action(dialog);
                return;
            }
            if (++driver->m_idle < kPatience)
                return;
        }
        driver->m_idle = 0;
        ++driver->m_cancelled;
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    static constexpr int kPatience = 500;

    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_idle = 0;
    int m_cancelled = 0;
    UINT_PTR m_timer = 0;
};
