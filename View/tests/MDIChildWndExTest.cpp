#include "View/MDIChildWndEx.h"
#include "platform/ui/CmdUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class CheckRecorder : public CCmdUI {
public:
    void Enable(BOOL) override { }
    void SetCheck(int check) override { checked = check; }
    int checked = -1;
};

int CheckOf(CMDIChildWndEx& frame, UINT id)
{
    CheckRecorder ui;
    ui.m_nID = id;
    if (id == CMDIChildWndEx::ClearNumberCommand)
        frame.OnUpdateClearWindowNumber(&ui);
    else
        frame.OnUpdateSetWindowNumber(&ui);
    return ui.checked;
}

TEST(MDIChildWndEx, NineWindowsWrapAfterEightNumbers)
{
    std::vector<std::unique_ptr<CMDIChildWndEx>> frames;
    frames.push_back(std::make_unique<CMDIChildWndEx>());
    while (frames.back()->GetWindowNumber() != CMDIChildWndEx::LastNumber)
        frames.push_back(std::make_unique<CMDIChildWndEx>());
    std::vector<UINT> numbers;
    for (int i = 0; i < 9; ++i)
        numbers.push_back(std::make_unique<CMDIChildWndEx>()->GetWindowNumber());
    EXPECT_EQ(numbers, (std::vector<UINT>{0x1000000, 0x1000001, 0x1000002, 0x1000003, 0x1000004, 0x1000005,
                                          0x1000006, 0x1000007, 0x1000000}));
}

TEST(MDIChildWndEx, CommandsSetAndClearTheNumber)
{
    CMDIChildWndEx frame;
    frame.OnSetWindowNumber(803);
    EXPECT_EQ(frame.GetWindowNumber(), 0x1000006u);
    EXPECT_EQ(frame.OnGetWindowNumber(0, 0), 0x1000006);
    EXPECT_EQ(CheckOf(frame, 803), 1);
    EXPECT_EQ(CheckOf(frame, 797), 0);
    EXPECT_EQ(CheckOf(frame, 808), 0);
    frame.OnClearWindowNumber();
    EXPECT_EQ(frame.GetWindowNumber(), 0xFFFFFFu);
    EXPECT_EQ(CheckOf(frame, 808), 1);
    for (UINT id = 797; id <= 804; ++id)
        EXPECT_EQ(CheckOf(frame, id), 0) << id;
}

} // namespace
