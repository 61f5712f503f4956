// Catalogues end to end: two objects of a page go into a new catalogue, the program closes and
// starts again with the catalogue open, and the entry dragged onto a page brings both objects
// back with their fields. A locked catalogue takes nothing.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "View/ObjectsFormat.h"
#include "objects/HyperOb.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "imaging/Dib.h"
#include "platform/core/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kNew = 57600, kSaveAs = 57604, kRectangle = CMyView::ToolRectangle, kEllipse = CMyView::ToolEllipse;
constexpr int kAddToCatalog = 60685, kShowCatalogs = 33968, kLock = 33842;
// Where the first entry's tile of the catalogue pane lies in the main window, and a point on the page.
constexpr const char* kFirstEntryToPage = "drag main 782 190 400 400\n";

struct Shape {
    CString className;
    CRect rect;
    CString name;
};

class CatalogueRoadTest : public e2e::CatalogueFolderRoadTest {
protected:
    // A rectangle and an ellipse, both selected, go into a new catalogue saved as cats/mine.cat.
    e2e::Run AddTwoObjectsToANewCatalogue()
    {
        return e2e::RunVantrel("wait 300\nmenu " + std::to_string(kNew) + "\n"
                               "menu " + std::to_string(kRectangle) + "\ndrag view 100 100 200 160\n"
                               "menu " + std::to_string(kEllipse) + "\ndrag view 250 120 330 200\n"
                               "drag view 80 80 360 230\nwait 200\n"
                               "file " + Path("cats/mine.cat") + "\nmenu " + std::to_string(kAddToCatalog) + "\n"
                               "wait 300\nanswer 7\nquit\n",
                               home);
    }

    static std::vector<Shape> ShapesOf(CHyperView& view)
    {
        std::vector<Shape> shapes;
        for (INT_PTR i = 0; i < view.GetObjects().GetSize(); ++i) {
            CHyperOb* object = view.GetObjectAtIndex(i);
            Shape shape{object->GetRuntimeClass()->m_lpszClassName, {}, object->GetCode()};
            object->GetRect(&shape.rect, nullptr);
            shapes.push_back(shape);
        }
        return shapes;
    }

};

// The objects an entry carries in the page's private format.
std::vector<std::unique_ptr<CHyperOb>> ObjectsOf(const CCatalogueOb& entry)
{
    const int i = entry.FindFormat("Quillon++ for MFC");
    if (i < 0)
        return {};
    const std::vector<BYTE>& bytes = entry.GetData(i);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    auto objects = LoadObjectsFromGlobal(block);
    GlobalFree(block);
    return objects;
}

TEST_F(CatalogueRoadTest, SelectedObjectsGoIntoACatalogueAndComeBackOnAPageAfterARestart)
{
    e2e::Run added = AddTwoObjectsToANewCatalogue();
    ASSERT_EQ(added.exitCode, 0) << added.log;
    EXPECT_EQ(added.log.find("error"), std::string::npos) << added.log;

    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(Path("cats/mine.cat").c_str()), 0) << added.log;
    ASSERT_EQ(catalogue.GetCount(), 1);
    const CCatalogueOb& entry = *catalogue.GetEntry(0);
    EXPECT_EQ(entry.GetName(), "Ellipse1") << "named after the first object in page order";
    ASSERT_NE(entry.GetIconImage(), nullptr);
    EXPECT_EQ(entry.GetIconImage()->GetWidth(), 32);
    EXPECT_EQ(ObjectsOf(entry).size(), 2u);
    std::ifstream list(Path("cats/Current.bak"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(list), {}), ".\\mine.cat\n");

    e2e::Run dropped = e2e::RunVantrel("wait 300\nmenu " + std::to_string(kNew) + "\nmenu " +
                                           std::to_string(kShowCatalogs) + "\nwait 300\n" + kFirstEntryToPage +
                                           "wait 300\nfile " + Path("dropped.trn") + "\nmenu " +
                                           std::to_string(kSaveAs) + "\nquit\n",
                                       home);
    ASSERT_EQ(dropped.exitCode, 0) << dropped.log;
    CMyView page;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("dropped.trn"), page)) << dropped.log;
    const std::vector<Shape> shapes = ShapesOf(page);
    ASSERT_EQ(shapes.size(), 2u) << dropped.log;
    const Shape& ellipse = shapes[0].className == "CCircleGen" ? shapes[0] : shapes[1];
    const Shape& border = shapes[0].className == "CBorderGen" ? shapes[0] : shapes[1];
    EXPECT_EQ(ellipse.className, "CCircleGen");
    EXPECT_EQ(border.className, "CBorderGen");
    EXPECT_EQ(ellipse.name, "Ellipse1");
    EXPECT_EQ(border.name, "Border1");
    EXPECT_EQ(border.rect.Size(), CSize(100, 60));
    EXPECT_EQ(ellipse.rect.Size(), CSize(80, 80));
    EXPECT_EQ(ellipse.rect.TopLeft() - border.rect.TopLeft(), CSize(150, 20)) << "they keep their places";
    EXPECT_NE(border.rect.TopLeft(), CPoint(100, 100)) << "placed where they were dropped";
}

TEST_F(CatalogueRoadTest, ALockedCatalogueRefusesChanges)
{
    ASSERT_EQ(AddTwoObjectsToANewCatalogue().exitCode, 0);
    std::ifstream in(Path("cats/mine.cat"), std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), {});

    e2e::Run locked = e2e::RunVantrel("wait 300\nmenu " + std::to_string(kNew) + "\nmenu " +
                                          std::to_string(kShowCatalogs) + "\nmenu " + std::to_string(kLock) +
                                          "\nmenu " + std::to_string(kRectangle) + "\ndrag view 100 100 200 160\n"
                                          "menu " + std::to_string(kAddToCatalog) + "\nclick main 782 190\n"
                                          "key delete\nwait 200\n"
                                          "answer 7\nquit\n",
                                      home);
    EXPECT_EQ(locked.exitCode, 0) << locked.log;
    std::ifstream after(Path("cats/mine.cat"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
    CCatalogue catalogue;
    ASSERT_EQ(catalogue.Load(Path("cats/mine.cat").c_str()), 0);
    EXPECT_TRUE(catalogue.IsReadOnly());
    EXPECT_EQ(catalogue.GetCount(), 1);
}

} // namespace
