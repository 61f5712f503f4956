// A dialog built from a template naming the list view, date picker and a bitmap button by
// class: the wrappers take over the created controls as the word-list and chooser dialogs do.
#include "UiFixture.h"

#include "platform/ui/BitmapButton.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Resources.h"

#include <cstring>
#include <vector>

namespace {

constexpr UINT IDC_WORDS = 301, IDC_WHEN = 302, IDC_PICTURE = 303;

std::vector<BYTE> tinyBmp()
{
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = 1;
    info.biHeight = 1;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> bytes(file.bfOffBits + 4, 0x80);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    return bytes;
}

class WordsDialog : public CDialog {
public:
    CListCtrl words;
    CDateTimeCtrl when;
    CBitmapButton picture;
    BOOL pictureLoaded = FALSE;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        words.SubclassDlgItem(IDC_WORDS, this);
        when.SubclassDlgItem(IDC_WHEN, this);
        pictureLoaded = picture.AutoLoad(IDC_PICTURE, this);
        words.InsertColumn(0, "");
        for (const char* w : {"zeta", "alpha", "mid"})
            words.InsertItem(0, w);
        return TRUE;
    }
};

DialogItemTemplate item(const char* cls, const char* text, UINT id, DWORD style, short y)
{
    return DialogItemTemplate{cls, text, id, style | WS_CHILD | WS_VISIBLE, 0, 10, y, 100, 40};
}

class ControlDialogTest : public UiTest {};

TEST_F(ControlDialogTest, TemplateControlsAreCreatedByClassName)
{
    RegisterBinaryResource(ResourceKind::Bitmap, "PICU", tinyBmp());
    RegisterBinaryResource(ResourceKind::Bitmap, "PICD", tinyBmp());
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    t.cx = 160;
    t.cy = 160;
    t.items = {item("SysListView32", "", IDC_WORDS, LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING | LVS_NOCOLUMNHEADER, 5),
               item("sysdatetimepick32", "", IDC_WHEN, DTS_SHORTDATEFORMAT, 50),
               item("button", "Pic", IDC_PICTURE, BS_OWNERDRAW, 100)};
    WordsDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(t));
    EXPECT_TRUE(dialog.pictureLoaded);
    ASSERT_EQ(dialog.words.GetItemCount(), 3);
    EXPECT_EQ(std::string(dialog.words.GetItemText(0, 0)), "alpha");
    EXPECT_EQ(std::string(dialog.words.GetItemText(2, 0)), "zeta");
    SYSTEMTIME now{};
    EXPECT_EQ(dialog.when.GetTime(&now), GDT_VALID) << "a new picker holds the current date";
    EXPECT_GE(now.wYear, 2020);
    dialog.DestroyWindow();
}

} // namespace
