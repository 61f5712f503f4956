#include "View/PageExport.h"

#include "objects/HyperOb.h"
#include "objects/HyperObArray.h"
#include "platform/core/FilePath.h"
#include "platform/sys/AtomicFile.h"
#include "platform/ui/Document.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

CHyperOb* ObjectAt(const CHyperObArray& objects, INT_PTR index)
{
    return dynamic_cast<CHyperOb*>(objects.GetAt(index));
}

// The number at the start of the text, as the C library reads it in the C locale; 0 when none.
double LeadingNumber(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return 0;
    if (text[start] == '+')
        ++start;
    double value = 0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return std::isfinite(value) ? value : 0;
}

CString AreaLine(const CString& link, const CRect& rect, double zoom)
{
    auto scaled = [zoom](LONG value) { return static_cast<int>(value * zoom); };
    CString coords;
    coords.Format("%i ,%i ,%i ,%i", scaled(rect.left), scaled(rect.top), scaled(rect.right), scaled(rect.bottom));
    return "<area href=\"" + HtmlEscape(link) + "\" shape=\"rect\" coords=\"" + coords + "\">";
}

} // namespace

double ExportZoomFactor(const CString& zoomText)
{
    std::string text(static_cast<LPCTSTR>(zoomText));
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    double value = LeadingNumber(text);
    if (value == 0)
        value = 100;
    return std::fabs(value) * 0.01;
}

CString ExportBaseName(const CDocument& document)
{
    CString path = document.GetPathName();
    if (!path.IsEmpty()) {
        const int nameStart = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
        const int dot = path.ReverseFind('.');
        return dot > nameStart ? path.Left(dot) : path;
    }
    CString title = document.GetTitle();
    for (char bad : std::string("/\\:*?<>|\""))
        title.Replace(bad, '_');
    return title;
}

CString HtmlEscape(const CString& text)
{
    CString escaped = text;
    escaped.Replace("&", "&amp;");
    escaped.Replace("<", "&lt;");
    escaped.Replace(">", "&gt;");
    escaped.Replace("\"", "&quot;");
    return escaped;
}

CString ExportLinkOf(const CHyperObArray& objects, INT_PTR index)
{
    const CHyperOb* object = ObjectAt(objects, index);
    if (!object)
        return CString();
    if (object->GroupID <= -1)
        return object->GetURL();
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        const CHyperOb* member = ObjectAt(objects, i);
        if (member && member->GroupID == object->GroupID && member->GetOwnGroupInfo())
            return member->GetURL();
    }
    return CString();
}

CString BuildImageMapAreas(const CHyperObArray& objects, double zoom)
{
    CString areas;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        const CString link = ExportLinkOf(objects, i);
        if (link.IsEmpty())
            continue;
        CRect rect;
        ObjectAt(objects, i)->GetRect(&rect, nullptr);
        if (!areas.IsEmpty())
            areas += "\n";
        areas += AreaLine(link, rect, zoom);
    }
    return areas;
}

CString BuildWebPage(
    const CString& title, const CString& pictureName, const CString& areas, int width, int height)
{
    CString size;
    size.Format("\" width=\"%i\" height=\"%i\"></p>", width, height);
    CString page = "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
                   "<meta name=\"GENERATOR\" content=\"Korvane Vantrel Q8\">\n"
                   "<title>" + HtmlEscape(title) + "</title></head> \n<body><p>";
    const CString image = "<img border=\"0\" src=\"" + HtmlEscape(pictureName) + "\" alt=\"" + HtmlEscape(title);
    if (areas.IsEmpty())
        page += image + size;
    else
        page += "\n<map name=\"TarnMap\">\n" + areas + "</map>" + image + "\" usemap=\"#TarnMap" + size;
    return page + "</body> \n</html>";
}

BOOL WriteTextFileCrLf(const CString& path, const CString& text)
{
    CString lines = text;
    lines.Replace("\n", "\r\n");
    const std::string_view bytes(static_cast<LPCTSTR>(lines), static_cast<size_t>(lines.GetLength()));
    return WriteFileAtomically(SystemPathFromName(path), bytes) ? TRUE : FALSE;
}
