#include "platform/ui/FileFilter.h"

#include "platform/core/String.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/WinApp.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

// "*.html;*.htm" as the dialog's "*.html *.htm"; on Linux "*.*" would miss names without a dot.
QString desktopPatterns(const char* patterns)
{
    QStringList list = QString::fromLatin1(patterns).split(';', Qt::SkipEmptyParts);
    for (QString& pattern : list)
        pattern = pattern.trimmed() == "*.*" ? QString("*") : pattern.trimmed();
    return list.join(' ');
}

// "HTML Files (*.html;*.htm)" without its own list of patterns.
QString bareName(const char* name)
{
    QString text = QString::fromLatin1(name).trimmed();
    if (text.endsWith(')')) {
        qsizetype open = text.lastIndexOf('(');
        if (open > 0 && text.mid(open + 1).contains('*'))
            text = text.left(open).trimmed();
    }
    return text;
}

} // namespace

namespace FileFilter {

std::string Pairs(LPCTSTR filter)
{
    std::string pairs = filter ? filter : "";
    while (!pairs.empty() && pairs.back() == '|')
        pairs.pop_back();
    std::replace(pairs.begin(), pairs.end(), '|', '\0');
    if (!pairs.empty())
        pairs.push_back('\0');
    pairs.push_back('\0');
    return pairs;
}

QString Desktop(const char* pairs)
{
    QStringList out;
    for (const char* p = pairs; p && *p;) {
        const char* patterns = p + strlen(p) + 1;
        if (!*patterns)
            break;
        out << bareName(p) + " (" + desktopPatterns(patterns) + ")";
        p = patterns + strlen(patterns) + 1;
    }
    return out.join(";;");
}

std::string ForTemplates(const CWinApp& app, const CDocTemplate* only)
{
    std::string filter;
    for (POSITION pos = app.GetFirstDocTemplatePosition(); pos;) {
        const CDocTemplate* docTemplate = app.GetNextDocTemplate(pos);
        CString name, ext;
        if ((only && docTemplate != only) || !docTemplate->GetDocString(name, CDocTemplate::filterName) ||
            !docTemplate->GetDocString(ext, CDocTemplate::filterExt) || name.IsEmpty() || ext.IsEmpty())
            continue;
        filter += std::string(name.GetString()) + "|*" + ext.GetString() + "|";
    }
    return filter + "All Files (*.*)|*.*||";
}

} // namespace FileFilter
