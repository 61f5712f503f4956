#include "objects/ShellServices.h"

#include <cctype>

namespace {
CShellServices g_defaultServices;
CShellServices* g_services = &g_defaultServices;
}

CString CShellServices::GetLanguageText(const CString& key) const
{
    return key;
}

BOOL CShellServices::HasMainWnd() const
{
    return FALSE;
}

LRESULT CShellServices::SendToMainWnd(UINT, WPARAM, LPARAM) const
{
    return 0;
}

BOOL CShellServices::IsMainWndMdiFrame() const
{
    return FALSE;
}

int CShellServices::GetSettingInt(LPCTSTR, int defaultValue) const
{
    return defaultValue;
}

namespace {

// Reads the digits at p; FALSE when there are none.
BOOL ReadNumber(LPCTSTR& p, int* value)
{
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return FALSE;
    long number = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
        number = number > 100000 ? number : number * 10 + (*p - '0');
    *value = static_cast<int>(number);
    return TRUE;
}

void SkipBlanks(LPCTSTR& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

} // namespace

BOOL CShellServices::ParseDateTimeSpan(LPCTSTR text) const
{
    LPCTSTR p = text;
    SkipBlanks(p);
    if (*p == '+')
        ++p;
    int units = 0;
    for (SkipBlanks(p); *p; SkipBlanks(p)) {
        int number = 0;
        if (!ReadNumber(p, &number))
            return FALSE;
        SkipBlanks(p);
        char unit = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        if (unit != 'd' && unit != 'h' && unit != 'm' && unit != 's')
            return FALSE;
        ++p;
        if (++units > 4)
            return FALSE;
    }
    return units > 0;
}

BOOL CShellServices::ParseDateTime(LPCTSTR text) const
{
    static constexpr int limits[6][2] = {{1, 31}, {1, 12}, {0, 9999}, {0, 23}, {0, 59}, {0, 59}};
    LPCTSTR p = text;
    int fields = 0;
    for (SkipBlanks(p); *p && fields < 6; ++fields) {
        int value = 0;
        if (!ReadNumber(p, &value) || value < limits[fields][0] || value > limits[fields][1])
            return FALSE;
        while (*p == ' ' || *p == '.' || *p == ':')
            ++p;
    }
    return *p == 0 && fields >= 3;
}

CString CShellServices::GetLowerFileName(LPCTSTR path) const
{
    CString name(path);
    int cut = name.ReverseFind('\\');
    if (cut < 0)
        cut = name.ReverseFind(':');
    if (cut >= 0)
        name = name.Mid(cut + 1);
    name.MakeLower();
    return name;
}

CShellServices& GetShellServices()
{
    return *g_services;
}

void SetShellServices(CShellServices* services)
{
    g_services = services ? services : &g_defaultServices;
}
