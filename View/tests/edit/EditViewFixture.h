// A running worksheet for editing tests: an MDI main frame with one document of the program's
// template (document, child frame and view), mouse input posted to the view as the window
// system would deliver it while the view holds the mouse.
#pragma once

#include "platform/ui/tests/UiFixture.h"

#include "View/MyDoc.h"
#include "View/MyFrame.h"
#include "View/MyView.h"
#include "objects/HyperOb.h"

#include <string>
#include <vector>

class CMultiDocTemplate;
class CWinApp;

class EditViewTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The view class the document template creates.
    virtual CRuntimeClass* ViewClass() const { return RUNTIME_CLASS(CMyView); }
    // Picks a tool through the frame, as the menu or tool bar does.
    void PickTool(UINT toolId);
    // Posts a press, the moves and the release in client coordinates, then plays them.
    void Drag(POINT from, POINT to, int steps = 4);
    void Click(POINT at);
    void RightClick(POINT at);
    void Post(UINT message, POINT at, UINT keys = 0);
    void PostKey(UINT vk);
    void Pump();

    // Adds a border of the Rectangle tool at a page rectangle, as a placed object.
    CHyperOb* AddBorder(const CRect& rect);
    CHyperOb* Object(int index) const;
    int ObjectCount() const;
    CRect RectOf(int index) const;
    CString NameOf(int index) const;
    UINT CurrentTool() const;
    // Bytes of the view's page record.
    std::vector<BYTE> PageBytes();
    // Reads a page record into the view.
    void LoadPage(const std::vector<BYTE>& bytes);

    CWinApp* app = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    CMDIFrameWnd* main = nullptr;
    CMyDoc* doc = nullptr;
    CMyView* view = nullptr;
    CMyFrame* frame = nullptr;
    std::string folder;
};
