#include "objects/ScriptTag.h"

#include "platform/ole/Variant.h"

VARIANT ReadScriptTag(const COleVariant& tag, const CString& text)
{
    if (tag.vt != VT_EMPTY)
        return COleVariant(tag).Detach();
    return COleVariant(text).Detach();
}

void WriteScriptTag(COleVariant& tag, CString& text, const VARIANT& value)
{
    if (value.vt == VT_BSTR)
        text = CStringFromVariant(value);
    if (!(value.vt & VT_BYREF))
        VariantCopy(&tag, &value);
    else if ((value.vt & VT_ARRAY) || FAILED(VariantCopyInd(&tag, &value)))
        tag.Clear();
}
