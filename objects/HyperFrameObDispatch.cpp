// What scripts see of the frame window.
#include "objects/HyperFrameOb.h"

#include "platform/ole/DispatchMap.h"

BEGIN_DISPATCH_MAP(CHyperFrameOb, CHyperBaseOb)
    DISP_FUNCTION(CHyperFrameOb, "OnUpdateResize", OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION(CHyperFrameOb, "OnUpdate", OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_PROPERTY_EX_ID(CHyperFrameOb, "Title", DISPID_CAPTION, GetTitle, SetTitle, VT_BSTR)
    DISP_PROPERTY_EX(CHyperFrameOb, "MinimizeBox", GetStyle<&CHyperFrameOb::MinimizeBox>,
        SetStyle<&CHyperFrameOb::MinimizeBox>, VT_I4)
    DISP_PROPERTY_EX(CHyperFrameOb, "MaximizeBox", GetStyle<&CHyperFrameOb::MaximizeBox>,
        SetStyle<&CHyperFrameOb::MaximizeBox>, VT_I4)
    DISP_PROPERTY_EX(CHyperFrameOb, "BorderStyle", GetStyle<&CHyperFrameOb::BorderStyle>,
        SetStyle<&CHyperFrameOb::BorderStyle>, VT_I4)
    DISP_PROPERTY_EX(CHyperFrameOb, "WhatsThisHelp", GetStyle<&CHyperFrameOb::WhatsThisHelp>,
        SetStyle<&CHyperFrameOb::WhatsThisHelp>, VT_I4)
    DISP_PROPERTY_EX(CHyperFrameOb, "Width", GetWidthValue, SetWidthValue, VT_I4)
    DISP_PROPERTY_EX(CHyperFrameOb, "Height", GetHeightValue, SetHeightValue, VT_I4)
END_DISPATCH_MAP()

void CHyperFrameOb::SetTitle(LPCTSTR title)
{
    Title = title;
    OnUpdate();
}

void CHyperFrameOb::SetWidthValue(long width)
{
    SetWidth(width);
    OnUpdate();
}

void CHyperFrameOb::SetHeightValue(long height)
{
    SetHeight(height);
    OnUpdate();
}
