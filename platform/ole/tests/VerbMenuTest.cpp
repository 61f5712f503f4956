// The verb menu of an item: the placeholder becomes the item's verbs, or a grayed "&Object".
#include "QtApp.h"

#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleVerbMenu.h"
#include "platform/ui/Menu.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A menu of a command, the placeholder and another command.
void MakeMenu(CMenu& menu)
{
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 100, "First");
    menu.AppendMenu(MF_STRING, ID_OLE_VERB_FIRST, "<<OLE VERBS GO HERE>>");
    menu.AppendMenu(MF_STRING, 101, "Last");
}

CString TextAt(const CMenu& menu, UINT position)
{
    CString text;
    menu.GetMenuString(position, text, MF_BYPOSITION);
    return text;
}

TEST(VerbMenu, AnItemWithAFileOffersItsVerbOnThePlaceholder)
{
    EnsureQtApplication();
    QTemporaryDir dir;
    QFile file(dir.filePath("note.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("words");
    file.close();
    COleClientItem item;
    ASSERT_TRUE(item.CreateFromFile(file.fileName().toUtf8().constData()));
    CString type;
    item.GetUserType(USERCLASSTYPE_SHORT, type);
    ASSERT_FALSE(type.IsEmpty());

    CMenu menu;
    MakeMenu(menu);
    ASSERT_TRUE(AfxOleSetEditMenu(&item, &menu, 1, ID_OLE_VERB_FIRST, ID_OLE_VERB_LAST));
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(1), ID_OLE_VERB_FIRST);
    EXPECT_EQ(TextAt(menu, 1), "Open " + type + " &Object");
    EXPECT_EQ(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_EQ(TextAt(menu, 0), CString("First"));
    EXPECT_EQ(TextAt(menu, 2), CString("Last"));
}

TEST(VerbMenu, WithoutAnItemOrItsFileThePlaceholderIsAGrayedObject)
{
    EnsureQtApplication();
    COleClientItem empty;
    for (COleClientItem* item : {static_cast<COleClientItem*>(nullptr), &empty}) {
        CMenu menu;
        MakeMenu(menu);
        ASSERT_TRUE(AfxOleSetEditMenu(item, &menu, 1, ID_OLE_VERB_FIRST));
        EXPECT_EQ(TextAt(menu, 1), CString("&Object"));
        EXPECT_NE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);
    }
    CMenu menu;
    MakeMenu(menu);
    EXPECT_FALSE(AfxOleSetEditMenu(&empty, &menu, 3, ID_OLE_VERB_FIRST)) << "no item at that position";
}

} // namespace
