// What scripts see of the page.
#include "objects/HyperViewOb.h"

#include "objects/LayerFmt.h"
#include "objects/ObjectHost.h"
#include "objects/ScriptTag.h"
#include "platform/ole/DispatchMap.h"

BEGIN_DISPATCH_MAP(CHyperViewOb, CHyperBaseOb)
    DISP_FUNCTION(CHyperViewOb, "IsFormOpen", IsFormOpen, VT_BOOL, VTS_BSTR)
    DISP_FUNCTION(CHyperViewOb, "FormFind", FormFind, VT_DISPATCH, VTS_BSTR)
    DISP_FUNCTION(CHyperViewOb, "OpenDoc", OpenDoc, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION(CHyperViewOb, "OnUpdateResize", OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION(CHyperViewOb, "OnUpdate", OnUpdate, VT_EMPTY, VTS_NONE)
    DISP_PROPERTY_EX(CHyperViewOb, "Font", GetFontText, SetFontText, VT_BSTR)
    DISP_PROPERTY(CHyperViewOb, "PrintScale", PrintScale, VT_R8)
    DISP_PROPERTY(CHyperViewOb, "CursorPointer", CursorPointer, VT_I4)
    DISP_PROPERTY(CHyperViewOb, "HelpContextID", HelpContextID, VT_I4)
    DISP_PROPERTY_EX_ID(CHyperViewOb, "Color", DISPID_BACKCOLOR, GetColorValue, SetColorValue, VT_I4)
    DISP_PROPERTY_EX(CHyperViewOb, "ScrollBars", GetScrollBars, SetScrollBarsValue, VT_I4)
    DISP_PROPERTY_EX(CHyperViewOb, "ScrollWidth", GetScrollWidthValue, SetScrollWidth, VT_I4)
    DISP_PROPERTY_EX(CHyperViewOb, "ScrollHeight", GetScrollHeightValue, SetScrollHeight, VT_I4)
    DISP_PROPERTY(CHyperViewOb, "ToolTipText", ToolTipText, VT_BSTR)
    DISP_PROPERTY_PARAM(CHyperViewOb, "Layer", GetLayer, SetLayer, VT_BOOL, VTS_BSTR)
    DISP_PROPERTY_EX(CHyperViewOb, "Tag", GetTag, SetTag, VT_VARIANT)
    DISP_FUNCTION(CHyperViewOb, "RunClick", RunClick, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

namespace {
CLayerItem* FindLayerByName(CLayerFmt* layers, LPCTSTR name)
{
    for (INT_PTR i = 0; layers && i < layers->GetSize(); ++i)
        if (layers->GetLayerItem(i)->m_name.CompareNoCase(name) == 0)
            return layers->GetLayerItem(i);
    return nullptr;
}
}

BOOL CHyperViewOb::IsFormOpen(LPCTSTR name) const
{
    CObjectHost* host = GetObjectHost(m_view);
    return host && host->IsFormOpen(name);
}

IDispatch* CHyperViewOb::FormFind(LPCTSTR name) const
{
    CObjectHost* host = GetObjectHost(m_view);
    CCmdTarget* form = host ? host->FindForm(name) : nullptr;
    return form ? form->GetIDispatch(TRUE) : nullptr;
}

void CHyperViewOb::OpenDoc(LPCTSTR name)
{
    if (CObjectHost* host = GetObjectHost(m_view))
        host->OpenDocumentByName(name);
}

void CHyperViewOb::SetFontText(LPCTSTR text)
{
    Font.FromString(text);
    NotifyChanged();
}

BOOL CHyperViewOb::GetLayer(LPCTSTR name) const
{
    const CLayerItem* layer = FindLayerByName(m_layers.get(), name);
    return layer && layer->m_visible;
}

void CHyperViewOb::SetLayer(LPCTSTR name, BOOL visible)
{
    CLayerItem* layer = FindLayerByName(m_layers.get(), name);
    if (!layer)
        return;
    layer->m_visible = visible ? 1 : 0;
    NotifyChanged();
}

VARIANT CHyperViewOb::GetTag() const
{
    return ReadScriptTag(Tag, m_tagText);
}

void CHyperViewOb::SetTag(const VARIANT& value)
{
    WriteScriptTag(Tag, m_tagText, value);
}

void CHyperViewOb::RunClick()
{
    if (CObjectHost* host = GetObjectHost(m_view))
        host->RunPageClick();
}
