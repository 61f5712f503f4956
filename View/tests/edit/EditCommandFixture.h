// A worksheet for the editing commands: objects named by letter, a selection made in one call,
// and commands run and asked about the way the menus do.
#pragma once

#include "EditViewFixture.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// Rectangles in failure messages as their four edges.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

class CConnectOb;

class EditCommandTest : public EditViewTest {
protected:
    // A border named by its letter, on top of the page.
    CHyperOb* Add(const char* name, const CRect& rect);
    CHyperOb* Named(const char* name) const;
    CRect RectOf(const char* name) const;
    // The first one becomes the current object; two or more fill the selection array.
    void Select(std::initializer_list<const char*> names);
    // Runs a command as the menu does; FALSE when its menu entry was disabled.
    BOOL Run(UINT command);
    BOOL Enabled(UINT command);
    BOOL Checked(UINT command);
    // A second document of the program with its own view.
    CMyView* OpenSecondView();
    // The names from the top of the stacking order down.
    std::string Order() const;
    // The page's first connector and the points of its path.
    CConnectOb* Connector() const;
    std::vector<CPoint> ConnectorPath() const;
    using EditViewTest::RectOf;
};
