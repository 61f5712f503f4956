#include "piclib/common/PLSourceName.h"

#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLFileAccess.h"

#include <algorithm>
#include <cctype>

std::string PLUpperSourceName(const PLDataSource* source)
{
    std::string name = source->NameIsWide() ? PLFileAccess::Utf8FromWide(source->GetNameW())
                                            : std::string(source->GetName() ? source->GetName() : "");
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name;
}
