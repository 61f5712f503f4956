#include "QtApp.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDialogs.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleInit.h"
#include "platform/ui/TestHook.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication();
        AfxOleInit();
    }
    void SetUp() override
    {
        UiTestHook::Reset();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override { UiTestHook::Reset(); }

    std::string MakeFile(const char* name, const char* text)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName().toStdString();
    }

    QTemporaryDir dir;
};

TEST_F(DialogsTest, InsertObjectEmbedsTheChosenFile)
{
    std::string path = MakeFile("minutes.txt", "agreed");
    UiTestHook::QueueFileDialogAnswer(path);
    COleInsertDialog insert(IOF_SELECTCREATENEW);
    ASSERT_EQ(insert.DoModal(), IDOK);
    EXPECT_EQ(insert.GetSelectionType(), static_cast<UINT>(COleInsertDialog::insertFromFile));
    COleClientItem item;
    ASSERT_TRUE(insert.CreateItem(&item));
    EXPECT_EQ(item.GetFileName(), CString("minutes.txt"));

    UiTestHook::QueueFileDialogAnswer("");
    COleInsertDialog cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancelled.CreateItem(&item));
}

TEST_F(DialogsTest, PasteSpecialOffersWhatTheClipboardHolds)
{
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    COlePasteSpecialDialog nothing;
    EXPECT_EQ(nothing.DoModal(), IDCANCEL);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "The clipboard holds nothing that can be pasted as an object.");

    const BYTE dib[] = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0,
                        0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 255, 0};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof dib);
    std::memcpy(GlobalLock(block), dib, sizeof dib);
    GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_DIB, block);
    source->SetClipboard();

    UiTestHook::QueueMessageBoxAnswer(IDOK);
    COlePasteSpecialDialog picture;
    picture.AddStandardFormats();
    ASSERT_EQ(picture.DoModal(), IDOK);
    EXPECT_EQ(picture.GetSelectionType(), static_cast<UINT>(COlePasteSpecialDialog::pasteStatic));
    COleClientItem item;
    ASSERT_TRUE(picture.CreateItem(&item));
    EXPECT_EQ(item.GetType(), OT_STATIC);

    UiTestHook::QueueMessageBoxAnswer(IDCANCEL);
    COlePasteSpecialDialog declined;
    EXPECT_EQ(declined.DoModal(), IDCANCEL);
}

// Types a scale and presses OK (then Cancel, should OK be refused).
class ScaleDialog : public COlePropertiesDialog {
public:
    ScaleDialog(COleClientItem* item, const char* typed) : COlePropertiesDialog(item), m_typed(typed) { }

    BOOL OnApplyScale(COleClientItem*, int scale, BOOL) override
    {
        applied = scale;
        return TRUE;
    }

    int applied = 0;

protected:
    BOOL OnInitDialog() override
    {
        BOOL focus = COlePropertiesDialog::OnInitDialog();
        SetDlgItemText(IDC_SCALE, m_typed);
        PostMessage(WM_COMMAND, IDOK);
        PostMessage(WM_COMMAND, IDCANCEL);
        return focus;
    }

private:
    const char* m_typed;
};

TEST_F(DialogsTest, PropertiesApplyAScaleWithinTheRange)
{
    COleClientItem item;
    ASSERT_TRUE(item.CreateFromFile(MakeFile("plan.txt", "x").c_str()));
    ScaleDialog accepted(&item, "250");
    EXPECT_EQ(accepted.DoModal(), IDOK);
    EXPECT_EQ(accepted.applied, 250);

    UiTestHook::QueueMessageBoxAnswer(IDOK);
    ScaleDialog refused(&item, "600");
    EXPECT_EQ(refused.DoModal(), IDCANCEL);
    EXPECT_EQ(refused.applied, 0);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
}

TEST_F(DialogsTest, UpdateHasNoLinksToOffer)
{
    COleDocument doc;
    COleUpdateDialog links(&doc);
    EXPECT_EQ(links.DoModal(), IDOK);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(DialogsTest, TheApplicationLockCounts)
{
    EXPECT_TRUE(AfxOleCanExitApp());
    AfxOleLockApp();
    EXPECT_FALSE(AfxOleCanExitApp());
    AfxOleUnlockApp();
    AfxOleUnlockApp();
    EXPECT_TRUE(AfxOleCanExitApp());
}

} // namespace
