// The resources of print preview and the bird's-eye window: the preview's command bar and
// the bar around it, and their texts.
#include "res/ResourceParts.h"

#include "View/MyView.h"
#include "View/ToolbarPreviewView.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

struct PreviewString {
    UINT id;
    const char* text;
};

constexpr PreviewString kStrings[] = {
    {ID_FILE_PRINT, "Print the document\nPrint"},
    {CMyView::CmdBirdsEye, "<Bring up bird's-eye view window\nBird Eye>"},
    {AFX_ID_PREVIEW_PRINT, "Print the page\n&Print..."},
    {AFX_ID_PREVIEW_NEXT, "Show the next page\n&Next Page"},
    {AFX_ID_PREVIEW_PREV, "Show the previous page\nPre&v Page"},
    {AFX_ID_PREVIEW_NUMPAGE, "Show one or two pages\n&Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Enlarge the page\nZoom &In"},
    {AFX_ID_PREVIEW_ZOOMOUT, "Shrink the page\nZoom &Out"},
    {AFX_ID_PREVIEW_CLOSE, "End the preview\n&Close"},
    {AFX_IDS_ONEPAGE, "&One Page"},
    {AFX_IDS_TWOPAGE, "&Two Page"},
    {61705, "Command failed."},
};

} // namespace

void RegisterPreviewResources()
{
    for (const PreviewString& entry : kStrings)
        RegisterStringResource(entry.id, entry.text);
    ToolBarTemplate bar;
    bar.items = {AFX_ID_PREVIEW_PRINT, 0, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_NUMPAGE, 0,
                 AFX_ID_PREVIEW_ZOOMIN, AFX_ID_PREVIEW_ZOOMOUT, 0, AFX_ID_PREVIEW_CLOSE};
    RegisterToolBarResource(CToolbarPreviewView::ToolBarResource, bar);
    // The bar takes its height from the command bar it holds.
    DialogTemplate previewBar;
    previewBar.style = WS_CHILD;
    previewBar.cx = 400;
    previewBar.cy = 14;
    RegisterDialogResource(CToolbarPreviewView::PreviewBarResource, previewBar);
}
