// The Properties dialog of embedded objects: the object's entry opens the object properties
// dialog, a scale given there shows in the rows of the object's edges, and a folder browsed
// there is left again.
#include "PictureKit.h"

#include "controls/HyperOlePropertiesDlg.h"
#include "objects/PropOb.h"
#include "objects/PropOle.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/core/System.h"
#include "platform/ole/OleDialogs.h"
#include "platform/ui/UiApi.h"

#include <QImage>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

std::string& BrowsedFolder()
{
    static std::string folder;
    return folder;
}

HWND& AnyTopLevel()
{
    static HWND window = nullptr;
    return window;
}

// The open top-level window with a scale field.
HWND FindScaleDialog()
{
    for (HWND w = ::GetWindow(AnyTopLevel(), GW_HWNDFIRST); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::IsWindowVisible(w) && GetDlgItem(w, COlePropertiesDialog::IDC_SCALE))
            return w;
    return nullptr;
}

// Plays the user of the object dialog: browses elsewhere, types 200 % and presses OK.
void AnswerScaleDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindScaleDialog();
    HWND scale = dialog ? GetDlgItem(dialog, COlePropertiesDialog::IDC_SCALE) : nullptr;
    if (!scale)
        return;
    KillTimer(nullptr, id);
    _chdir(BrowsedFolder().c_str());
    CWnd::FromHandle(scale)->SetWindowText("200");
    ::PostMessage(dialog, WM_COMMAND, IDOK, 0);
}

class OlePropertiesDlgTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("vantrel-oleprops-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "browsed");
        BrowsedFolder() = (folder / "browsed").string();
        QImage picture(96, 48, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(QString::fromStdString((folder / "picture.png").string())));
        ASSERT_TRUE(parent.Open(CRect(0, 0, 400, 500)));
        AnyTopLevel() = parent.m_hWnd;
        const RECT start = {10, 10, 30, 60};
        object.Init(nullptr, &start, FALSE);
        auto* item = new CHyperOleItem(nullptr, &object);
        ASSERT_TRUE(item->CreateFromFile((folder / "picture.png").string().c_str()));
        object.SetOleItem(item);
        item->UpdateExtent();
        object.GetRect(&natural, nullptr);
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        std::filesystem::remove_all(folder);
        UiTest::TearDown();
    }

    static CPropOb* Row(CPropObArray& list, UINT id)
    {
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            if (static_cast<CPropOb*>(list[i])->GetNameId() == id)
                return static_cast<CPropOb*>(list[i]);
        return nullptr;
    }

    std::filesystem::path folder;
    RecordingWindow parent;
    CHyperOleOb object;
    CRect natural;
};

TEST_F(OlePropertiesDlgTest, AScaleShowsInTheEdgeRowsAndTheWorkingFolderStays)
{
    CHyperOlePropertiesDlg dialog(CPropertiesDlg::ViewTemplate, &parent);
    dialog.SetModal(FALSE);
    ASSERT_TRUE(dialog.CreateDialogWindow(&parent));
    auto* list = new CPropObArray;
    object.CollectProperties(*list, TRUE);
    dialog.SetProperties(list, &object, "ole");
    dialog.RefreshPropertyList();
    int position = -1;
    for (INT_PTR i = 0; i < list->GetSize(); ++i)
        if (static_cast<CPropOb*>(list->GetAt(i))->GetNameId() == CPropOle::NameId)
            position = static_cast<int>(i);
    ASSERT_GE(position, 0);
    CPropListWnd* rows = dialog.GetListWnd();
    for (int row = 0; row < rows->GetCount(); ++row)
        if (static_cast<int>(rows->GetItemData(row)) == position + 1)
            rows->SetCurSel(row);
    dialog.ExchangeProperty(FALSE);
    ASSERT_EQ(dialog.GetCurrentProperty(), list->GetAt(position));

    char before[4096] = "";
    ASSERT_NE(_getcwd(before, sizeof before), nullptr);
    SetTimer(nullptr, 0, 20, AnswerScaleDialog);
    dialog.EditPropValue();
    char after[4096] = "";
    ASSERT_NE(_getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(after, before) << "the folder browsed in the object dialog is left again";

    CRect scaled;
    object.GetRect(&scaled, nullptr);
    EXPECT_EQ(scaled.Size(), CSize(natural.Width() * 2, natural.Height() * 2));
    struct Case {
        UINT id;
        LONG value;
    };
    const Case cases[] = {{CHyperOlePropertiesDlg::LeftId, scaled.left},
                          {CHyperOlePropertiesDlg::RightId, scaled.right},
                          {CHyperOlePropertiesDlg::TopId, scaled.top},
                          {CHyperOlePropertiesDlg::BottomId, scaled.bottom}};
    for (const Case& c : cases) {
        CPropOb* edge = Row(*list, c.id);
        ASSERT_NE(edge, nullptr) << c.id;
        long value = 0;
        ASSERT_TRUE(edge->GetLongValue(&value)) << c.id;
        EXPECT_EQ(value, c.value) << c.id;
    }
}

} // namespace
