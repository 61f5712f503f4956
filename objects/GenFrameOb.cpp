#include "objects/GenFrameOb.h"

#include "objects/ShellServices.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_SERIAL(CGenFrameOb, CHyperFrameOb, 0)

namespace {
int g_newDocuments = 0;

constexpr UINT hiddenEditors[] = { CHyperFrameOb::WidthId, CHyperFrameOb::HeightId, CHyperFrameOb::MinimizeId,
    CHyperFrameOb::MaximizeId, CHyperFrameOb::BorderId, CHyperFrameOb::HelpId };
}

CPropOb* CGenFrameOb::CreateProperty(UINT propertyId, BOOL argument)
{
    if (std::find(std::begin(hiddenEditors), std::end(hiddenEditors), propertyId) != std::end(hiddenEditors))
        return nullptr;
    return CHyperFrameOb::CreateProperty(propertyId, argument);
}

void CGenFrameOb::NumberNewDocument()
{
    Title.Format("%s%d", static_cast<LPCTSTR>(GetShellServices().GetLanguageText("Document ")), ++g_newDocuments);
}
