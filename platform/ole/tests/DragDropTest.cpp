#include "QtApp.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/View.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HGLOBAL TextBlock(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

std::string TextOf(COleDataObject* data)
{
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    std::string text = block ? static_cast<const char*>(GlobalLock(block)) : "";
    GlobalUnlock(block);
    GlobalFree(block);
    return text;
}

// Takes text: a copy while CONTROL is held, else a move; writes down every call.
class TextTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override
    {
        log += "enter ";
        return Effect(wnd, data, keys, point);
    }
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override
    {
        log += "over ";
        return Effect(wnd, data, keys, point);
    }
    void OnDragLeave(CWnd*) override { log += "leave "; }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override
    {
        log += "drop ";
        dropped = TextOf(data);
        droppedAt = point;
        droppedEffect = effect;
        return TRUE;
    }

    std::string log;
    std::string dropped;
    CPoint droppedAt;
    DROPEFFECT droppedEffect = DROPEFFECT_NONE;

private:
    DROPEFFECT Effect(CWnd*, COleDataObject* data, DWORD keys, CPoint)
    {
        if (!data->IsDataAvailable(CF_TEXT))
            return DROPEFFECT_NONE;
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

class DragDropTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication();
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "DropPlain";
        RegisterClass(&wc);
    }

    void SetUp() override
    {
        top = CreateWindowEx(0, "DropPlain", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
        child = CreateWindowEx(0, "DropPlain", "", WS_CHILD | WS_VISIBLE, 20, 10, 100, 80, top, nullptr, nullptr,
                               nullptr);
        grandchild = CreateWindowEx(0, "DropPlain", "", WS_CHILD | WS_VISIBLE, 50, 40, 30, 30, child, nullptr,
                                    nullptr, nullptr);
        ASSERT_TRUE(wnd.Attach(child));
        ASSERT_TRUE(target.Register(&wnd));
        source = new COleDataSource;
        source->CacheGlobalData(CF_TEXT, TextBlock("!60451"));
    }

    void TearDown() override
    {
        OleTestHook::Reset();
        target.Revoke();
        wnd.Detach();
        DestroyWindow(top);
        source->ExternalRelease();
    }

    HWND top = nullptr;
    HWND child = nullptr;
    HWND grandchild = nullptr;
    CWnd wnd;
    TextTarget target;
    COleDataSource* source = nullptr;
    // The child's client area starts at (120, 110) on the screen.
    const POINT inside{130, 115};
    const POINT outside{300, 250};
};

TEST_F(DragDropTest, DragEntersMovesAndDropsWithTheEffectOfTheKeys)
{
    EXPECT_EQ(OleTestHook::DragEnter(source, outside, MK_LBUTTON), -1);
    EXPECT_EQ(OleTestHook::DragOver(inside, MK_LBUTTON), static_cast<int>(DROPEFFECT_MOVE));
    EXPECT_EQ(OleTestHook::DragOver(inside, MK_LBUTTON | MK_CONTROL), static_cast<int>(DROPEFFECT_COPY));
    EXPECT_EQ(OleTestHook::Drop({140, 125}, MK_CONTROL), static_cast<int>(DROPEFFECT_COPY));
    EXPECT_EQ(target.log, "enter over drop ");
    EXPECT_EQ(target.dropped, "!60451");
    EXPECT_EQ(target.droppedAt, CPoint(20, 15));
    EXPECT_EQ(target.droppedEffect, DROPEFFECT_COPY);
}

TEST_F(DragDropTest, LeavingTheWindowTellsTheTarget)
{
    EXPECT_EQ(OleTestHook::DragEnter(source, inside, 0), static_cast<int>(DROPEFFECT_MOVE));
    EXPECT_EQ(OleTestHook::DragOver(outside, 0), -1);
    EXPECT_EQ(OleTestHook::Drop(outside, 0), -1);
    EXPECT_EQ(target.log, "enter leave ");
    EXPECT_TRUE(target.dropped.empty());
}

TEST_F(DragDropTest, ChildWindowsHandTheDragToTheirRegisteredParent)
{
    POINT overGrandchild{175, 155};
    ASSERT_EQ(WindowFromPoint(overGrandchild), grandchild);
    EXPECT_EQ(OleTestHook::DragEnter(source, overGrandchild, 0), static_cast<int>(DROPEFFECT_MOVE));
    EXPECT_EQ(OleTestHook::Drop(overGrandchild, 0), static_cast<int>(DROPEFFECT_MOVE));
    EXPECT_EQ(target.droppedAt, CPoint(55, 45));
}

TEST_F(DragDropTest, TheSourceLimitsTheEffect)
{
    struct Case {
        DWORD allowed;
        DWORD keys;
        int effect;
    };
    constexpr Case cases[] = {
        {DROPEFFECT_COPY, 0, DROPEFFECT_COPY},
        {DROPEFFECT_MOVE, MK_CONTROL, DROPEFFECT_MOVE},
        {DROPEFFECT_LINK, 0, DROPEFFECT_LINK},
        {DROPEFFECT_COPY | DROPEFFECT_MOVE, 0, DROPEFFECT_MOVE},
        {DROPEFFECT_NONE, 0, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OleTestHook::DragEnter(source, inside, c.keys, c.allowed), c.effect) << c.allowed;
        OleTestHook::DragLeave();
    }
}

TEST_F(DragDropTest, DataTheTargetRefusesIsNotDropped)
{
    auto* pictures = new COleDataSource;
    pictures->CacheGlobalData(CF_DIB, TextBlock("not text"));
    EXPECT_EQ(OleTestHook::DragEnter(pictures, inside, 0), static_cast<int>(DROPEFFECT_NONE));
    EXPECT_EQ(OleTestHook::Drop(inside, 0), static_cast<int>(DROPEFFECT_NONE));
    EXPECT_EQ(target.log, "enter leave ");
    pictures->ExternalRelease();
}

TEST_F(DragDropTest, DoDragDropFollowsAQueuedDrop)
{
    OleTestHook::QueueDrop(inside, MK_CONTROL);
    EXPECT_EQ(source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(target.dropped, "!60451");
    EXPECT_EQ(source->DoDragDrop(DROPEFFECT_COPY), DROPEFFECT_NONE) << "nothing queued, no display";
}

TEST_F(DragDropTest, ARevokedTargetTakesNoMore)
{
    EXPECT_EQ(OleTestHook::DragEnter(source, inside, 0), static_cast<int>(DROPEFFECT_MOVE));
    target.Revoke();
    EXPECT_EQ(OleTestHook::Drop(inside, 0), -1);
    EXPECT_EQ(target.log, "enter ");
    EXPECT_FALSE(target.Register(nullptr));
}

TEST_F(DragDropTest, DroppedFilesReadThroughTheFilesHandle)
{
    auto* files = new COleDataSource;
    files->CacheGlobalData(CF_HDROP, UiTestHook::MakeDrop({"/tmp/a.trn", "/tmp/b c.prj"}));
    COleDataObject data;
    data.AttachSource(files->MakeClipSource());
    auto drop = static_cast<HDROP>(data.GetGlobalData(CF_HDROP));
    ASSERT_NE(drop, nullptr);
    ASSERT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    char name[MAX_PATH];
    EXPECT_EQ(DragQueryFile(drop, 1, name, sizeof name), 12u);
    EXPECT_STREQ(name, "/tmp/b c.prj");
    DragFinish(drop);
    data.Release();
    files->ExternalRelease();
}

TEST_F(DragDropTest, DropHandlesThatAreNotBlocksHoldNoFiles)
{
    int notABlock = 0;
    EXPECT_EQ(DragQueryFile(reinterpret_cast<HDROP>(&notABlock), 0xFFFFFFFF, nullptr, 0), 0u);
    HGLOBAL truncated = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 24);
    auto* bytes = static_cast<BYTE*>(GlobalLock(truncated));
    bytes[0] = 20;
    std::memcpy(bytes + 20, "abcd", 4); // a name without its NUL
    GlobalUnlock(truncated);
    EXPECT_EQ(DragQueryFile(static_cast<HDROP>(truncated), 0xFFFFFFFF, nullptr, 0), 0u);
    GlobalFree(truncated);
}

TEST_F(DragDropTest, DragsFromTheDisplayReachTheTarget)
{
    UiTestHook::PumpPending();
    QWidget* host = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->geometry() == QRect(100, 100, 300, 200))
            host = w;
    ASSERT_NE(host, nullptr);
    QMimeData mime;
    mime.setText("!60451");
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;

    QDragEnterEvent enter(QPoint(30, 15), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(host, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(QPoint(30, 15), actions, &mime, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(host, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(40, 25), actions, &mime, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(host, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(target.dropped, "!60451");
    EXPECT_EQ(target.droppedAt, CPoint(20, 15));

    QDragEnterEvent away(QPoint(250, 150), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(host, &away);
    QDragMoveEvent outside(QPoint(250, 150), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(host, &outside);
    EXPECT_FALSE(outside.isAccepted()) << "no target and no files there";
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(host, &leave);
}

// A registered view decides by itself unless the target is told otherwise.
class DropView : public CView {
public:
    void OnDraw(CDC*) override { }
    DWORD OnDragEnter(COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_LINK; }
    DWORD OnDragOver(COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_LINK; }
    BOOL OnDrop(COleDataObject* data, DWORD, CPoint) override
    {
        text = TextOf(data);
        return TRUE;
    }
    std::string text;
};

TEST_F(DragDropTest, TheDefaultTargetAsksTheView)
{
    DropView view;
    ASSERT_TRUE(view.Attach(grandchild));
    COleDropTarget plain;
    ASSERT_TRUE(plain.Register(&view));
    POINT overGrandchild{175, 155};
    EXPECT_EQ(OleTestHook::DragEnter(source, overGrandchild, 0), static_cast<int>(DROPEFFECT_LINK));
    EXPECT_EQ(OleTestHook::Drop(overGrandchild, 0), static_cast<int>(DROPEFFECT_LINK));
    EXPECT_EQ(view.text, "!60451");
    plain.Revoke();
    view.Detach();
}

} // namespace
