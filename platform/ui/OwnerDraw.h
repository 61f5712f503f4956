// Hands owner-draw messages reflected to a control over to its virtual handlers.
#pragma once

#include "platform/ui/UiTypes.h"

// WM_DRAWITEM alone, for buttons and statics.
template <class Ctrl>
BOOL AfxDrawItemChildNotify(Ctrl& ctrl, UINT message, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    ctrl.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result)
        *result = TRUE;
    return TRUE;
}

// Dispatches the owner-draw family of a reflected message to a list or combo box object.
template <class Box>
BOOL AfxOwnerDrawChildNotify(Box& box, UINT message, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_DRAWITEM: box.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: box.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: {
        int order = box.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        if (result)
            *result = order;
        return TRUE;
    }
    case WM_DELETEITEM: box.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (result)
        *result = TRUE;
    return TRUE;
}
