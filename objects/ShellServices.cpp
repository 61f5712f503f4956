#include "objects/ShellServices.h"

#include <cctype>
#include <cstring>

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

// Digits beyond any field's range saturate instead of overflowing.
void AppendDigit(int& number, char digit)
{
    number = number > 99999999 ? number : number * 10 + (digit - '0');
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool DateFieldsValid(const int f[6])
{
    static constexpr int limits[6][2] = {{1, 31}, {1, 12}, {1800, 9999}, {0, 23}, {0, 59}, {0, 59}};
    for (int i = 0; i < 6; ++i)
        if (f[i] < limits[i][0] || f[i] > limits[i][1])
            return false;
    return true;
}

} // namespace

BOOL ParseDateTime(LPCTSTR text, COleDateTime& result)
{
    int fields[6] = {};
    int filled = 0;
    int number = 0;
    bool pending = false;
    auto store = [&] {
        if (pending && filled < 6)
            fields[filled++] = number;
        number = 0;
        pending = false;
    };
    for (LPCTSTR p = text; *p; ++p) {
        if (IsDigit(*p)) {
            AppendDigit(number, *p);
            pending = true;
        } else if (*p == ' ' || *p == '.' || *p == ':') {
            store();
        } else {
            return FALSE;
        }
    }
    store();
    if (!DateFieldsValid(fields))
        return FALSE;
    COleDateTime parsed;
    parsed.SetDateTime(fields[2], fields[1], fields[0], fields[3], fields[4], fields[5]);
    if (parsed.GetStatus() != COleDateTime::valid)
        return FALSE; // a day its month does not have
    result = parsed;
    return TRUE;
}

BOOL ParseDateTimeSpan(LPCTSTR text, COleDateTimeSpan& result)
{
    static constexpr char units[] = "dhms";
    int values[4] = {};
    int number = 0;
    int unitsRead = 0;
    for (LPCTSTR p = text; *p && unitsRead < 4; ++p) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        if (c == ' ' || (c == '+' && p == text))
            continue;
        if (IsDigit(c)) {
            AppendDigit(number, c);
            continue;
        }
        const char* unit = std::strchr(units, c);
        if (!unit)
            return FALSE;
        values[unit - units] = number;
        number = 0;
        ++unitsRead;
    }
    if (unitsRead == 0)
        return FALSE;
    result.SetDateTimeSpan(values[0], values[1], values[2], values[3]);
    return TRUE;
}

BOOL CShellServices::ParseDateTimeSpan(LPCTSTR text) const
{
    COleDateTimeSpan span;
    return ::ParseDateTimeSpan(text, span);
}

BOOL CShellServices::ParseDateTime(LPCTSTR text) const
{
    COleDateTime when;
    return ::ParseDateTime(text, when);
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

CString CShellServices::GetBitmapFolder() const
{
    return CString();
}

CString CShellServices::GetAutoSaveFolder() const
{
    return CString();
}

CShellServices& GetShellServices()
{
    return *g_services;
}

void SetShellServices(CShellServices* services)
{
    g_services = services ? services : &g_defaultServices;
}
