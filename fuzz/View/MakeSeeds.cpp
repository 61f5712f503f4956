// Writes the seed documents of the document fuzz target into the folder given:
//   view_document_seeds fuzz/View/corpus
// A run document with two pages of objects, an empty one, and one page record alone.
#include "View/HyperRunDoc.h"
#include "View/HyperRunView.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <string>

namespace {

void AddObject(CHyperRunView& view, const RECT& rect, const char* code)
{
    auto* object = new CHyperOb;
    object->Init(&view, &rect, FALSE);
    object->Code = code;
    view.GetObjects().InsertAt(0, object);
}

template <typename Write>
void WriteFile(const std::string& path, Write write)
{
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive archive(&file, CArchive::store);
    write(archive);
    archive.Close();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    CHyperRunDoc document;
    document.m_bAutoDelete = FALSE;
    CHyperRunView first, second;
    document.AddView(&first);
    document.AddView(&second);
    WriteFile(folder + "/empty.trn", [&](CArchive& ar) { document.Serialize(ar); });
    first.CreatePageObject();
    second.CreatePageObject();
    AddObject(first, {10, 20, 110, 70}, "Box1");
    AddObject(first, {40, 30, 90, 120}, "Box2");
    AddObject(second, {0, 0, 5, 5}, "Dot");
    document.GetFrameObject()->Title = "Week";
    WriteFile(folder + "/two-pages.trn", [&](CArchive& ar) { document.Serialize(ar); });
    WriteFile(folder + "/page-record", [&](CArchive& ar) { first.Serialize(ar); });
    document.RemoveView(&first);
    document.RemoveView(&second);
    return 0;
}
