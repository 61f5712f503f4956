#include "spell/LexigardPropPage.h"

#include "spell/LexigardDialogs.h"

#include "platform/ole/Variant.h"
#include "platform/ui/ControlTypes.h"

#include <strings.h>
#include <string>

namespace {

struct Binding {
    int control;
    const char* property;
};

constexpr Binding kBindings[] = {
    {IDC_PAGE_ALWAYS_SUGGEST, "AlwaysSuggest"},
    {IDC_PAGE_IGNORE_UPPERCASE, "IgnoreWordsInUppercase"},
    {IDC_PAGE_IGNORE_NUMBERS, "IgnoreWordsWithNumbers"},
};

DISPID PropertyId(IDispatch* object, const char* name)
{
    std::string copy(name);
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id)) ? id : DISPID_UNKNOWN;
}

// Unset when the object has no such property or cannot say.
bool GetFlag(IDispatch* object, const char* name, bool& value)
{
    const DISPID id = PropertyId(object, name);
    if (id == DISPID_UNKNOWN)
        return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    VARIANT flag;
    VariantInit(&flag);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(&flag, &result, 0, VT_BOOL);
    VariantClear(&result);
    if (FAILED(hr))
        return false;
    value = flag.boolVal != VARIANT_FALSE;
    return true;
}

bool PutFlag(IDispatch* object, const char* name, bool value)
{
    const DISPID id = PropertyId(object, name);
    if (id == DISPID_UNKNOWN)
        return false;
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    return SUCCEEDED(object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr));
}

} // namespace

TLexigardPropPage::TLexigardPropPage() : CPropertyPage((RegisterLexigardDialogs(), IDD_PROPPAGE_GENERAL)) {}

TLexigardPropPage::~TLexigardPropPage() { ReleaseObjects(); }

void TLexigardPropPage::SetObjects(const std::vector<IDispatch*>& objects)
{
    for (IDispatch* object : objects)
        if (object)
            object->AddRef();
    ReleaseObjects();
    for (IDispatch* object : objects)
        if (object)
            m_objects.push_back(object);
}

void TLexigardPropPage::ReleaseObjects()
{
    for (IDispatch* object : m_objects)
        object->Release();
    m_objects.clear();
}

BOOL TLexigardPropPage::OnSetActive()
{
    for (const Binding& binding : kBindings) {
        bool value = false;
        const bool known = !m_objects.empty() && GetFlag(m_objects.front(), binding.property, value);
        CheckDlgButton(binding.control, value ? BST_CHECKED : BST_UNCHECKED);
        if (CWnd* box = GetDlgItem(binding.control))
            box->EnableWindow(known);
    }
    return TRUE;
}

BOOL TLexigardPropPage::OnKillActive()
{
    BOOL all = TRUE;
    for (const Binding& binding : kBindings) {
        CWnd* box = GetDlgItem(binding.control);
        if (!box || !box->IsWindowEnabled())
            continue;
        const bool value = IsDlgButtonChecked(binding.control) == BST_CHECKED;
        for (IDispatch* object : m_objects)
            all &= PutFlag(object, binding.property, value);
    }
    return all;
}

std::unique_ptr<CPropertyPage> CreatePropertyPage(const char* progId)
{
    // ProgIDs are registry keys: their case does not matter.
    if (!progId || strcasecmp(progId, TLexigardPropPage::ProgId) != 0)
        return nullptr;
    return std::make_unique<TLexigardPropPage>();
}
