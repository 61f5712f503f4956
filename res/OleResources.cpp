// The texts of the container commands: embedding objects, pasting as objects and their
// properties.
#include "res/ResourceParts.h"

#include "View/HyperOleView.h"
#include "objects/PropOle.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/core/StringTable.h"
#include "platform/ole/OleVerbMenu.h"

namespace {

struct OleText {
    UINT id;
    const char* text;
};

constexpr OleText kOleTexts[] = {
    {CHyperOleView::CmdInsertObject, "Insert new embedded object\nNew Object"},
    {CHyperOleView::CmdPasteSpecial, "Paste the clipboard as an embedded object or a picture\nPaste Special"},
    {CHyperOleView::CmdObjectProperties, "Show and scale the embedded object\nObject Properties"},
    // The embedded object's properties.
    {CPropOle::CaptionId, "<OLE...>"},
    {CPropOle::NameId, "<OLEProperties>"},
    {CPropOle::WarningTextId, "<WARN: No Cancel or Apply>"},
    {CHyperOleOb::DoVerbsId, "<DoVerbs>"},
};

} // namespace

void RegisterOleResources()
{
    for (const OleText& entry : kOleTexts)
        RegisterStringResource(entry.id, entry.text);
    // The placeholder becomes the verbs of the object right-clicked.
    RegisterMenuResource(CHyperOleOb::VerbMenuId, {Popup("OLE", {Command(ID_OLE_VERB_FIRST, "<<OLE VERBS GO HERE>>")})});
}
