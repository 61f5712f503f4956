// Writes the seeds of the clipboard fuzz target into the folder given:
//   viewedit_clipboard_seeds fuzz/viewedit/clipboard-corpus
// Two objects in the private format, and a count with nothing after it.
#include "objects/HyperOb.h"
#include "objects/kinds/BorderGen.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <string>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string folder = argv[1];
    {
        CFile file((folder + "/two-objects").c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        const RECT first = {10, 10, 60, 40};
        const RECT second = {100, 20, 180, 90};
        CHyperOb plain;
        plain.Init(nullptr, &first, FALSE);
        plain.Code = "Object1";
        CBorderGen border;
        border.Init(nullptr, &second, FALSE);
        border.Code = "Border1";
        border.GroupID = 3;
        archive << static_cast<WORD>(2);
        archive.WriteObject(&plain);
        archive.WriteObject(&border);
        archive.Close();
    }
    {
        CFile file((folder + "/count-alone").c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        archive << static_cast<WORD>(3);
        archive.Close();
    }
    return 0;
}
