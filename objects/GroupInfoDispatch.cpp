// What scripts see of a group: its own fields and the values of its members.
#include "objects/GroupInfo.h"

#include "platform/ole/DispatchMap.h"

BEGIN_DISPATCH_MAP(CGroupInfo, CCmdTarget)
    DISP_PROPERTY(CGroupInfo, "Code", Code, VT_BSTR)
    DISP_PROPERTY(CGroupInfo, "Symbol", Symbol, VT_I4)
    DISP_FUNCTION(CGroupInfo, "OnUpdate", OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION(CGroupInfo, "Move", Move, VT_EMPTY, VTS_I4 VTS_I4)
    DISP_PROPERTY_EX(CGroupInfo, "BackColor", GetBackColor, SetBackColor, VT_I4)
    DISP_PROPERTY_EX(CGroupInfo, "ForeColor", GetForeColor, SetForeColor, VT_I4)
    DISP_PROPERTY_EX(CGroupInfo, "Font", GetFont, SetFont, VT_BSTR)
    DISP_PROPERTY_EX(CGroupInfo, "Text", GetText, SetText, VT_BSTR)
    DISP_PROPERTY_EX(CGroupInfo, "PenWidth", GetPenWidth, SetPenWidth, VT_I4)
    DISP_PROPERTY_EX(CGroupInfo, "PenStyle", GetPenStyle, SetPenStyle, VT_I4)
    DISP_FUNCTION(CGroupInfo, "GetNumSubObjects", GetNumSubObjects, VT_I4, VTS_NONE)
    DISP_FUNCTION(CGroupInfo, "GetSubObject", GetSubObjectDispatch, VT_DISPATCH, VTS_I4)
    DISP_PROPERTY_EX(CGroupInfo, "Enable", GetEnable, SetEnable, VT_I4)
    DISP_PROPERTY_EX(CGroupInfo, "Visible", GetVisible, SetVisible, VT_I4)
    DISP_PROPERTY(CGroupInfo, "GroupID", GroupID, VT_I4)
    DISP_PROPERTY_EX(CGroupInfo, "LayerID", GetLayerID, SetLayerID, VT_I4)
    DISP_PROPERTY(CGroupInfo, "DfltIsLocked", DfltIsLocked, VT_BOOL)
    DISP_PROPERTY(CGroupInfo, "DfltCanDelete", DfltCanDelete, VT_BOOL)
    DISP_PROPERTY(CGroupInfo, "DfltCanResize", DfltCanResize, VT_BOOL)
    DISP_PROPERTY(CGroupInfo, "DfltCanInlineEditText", DfltCanInlineEditText, VT_BOOL)
END_DISPATCH_MAP()
