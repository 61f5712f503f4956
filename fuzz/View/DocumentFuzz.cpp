// Reads arbitrary bytes as a document file, through the editor's document (page records) and
// the run document (frame record, then page records). Reading may only succeed, stop part-way
// or throw the framework's exception; a document that was read completely must store, read
// back and store the same bytes again.
#include "View/HyperDoc.h"
#include "View/HyperRunDoc.h"
#include "View/HyperRunView.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A document of the given class with two page views, neither of them in a window.
template <typename Document>
struct Pages {
    Pages()
    {
        document.m_bAutoDelete = FALSE;
        document.AddView(&first);
        document.AddView(&second);
    }
    ~Pages()
    {
        document.RemoveView(&first);
        document.RemoveView(&second);
    }

    Document document;
    CHyperRunView first;
    CHyperRunView second;
};

// TRUE when the whole document was read.
template <typename Document>
bool Load(Pages<Document>& pages, const Bytes& bytes)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load);
    try {
        pages.document.Serialize(archive);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return !pages.first.LoadWasIncomplete() && !pages.second.LoadWasIncomplete();
}

template <typename Document>
Bytes Store(Pages<Document>& pages)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        pages.document.Serialize(archive);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <typename Document>
void CheckDocument(const Bytes& data)
{
    Pages<Document> read;
    if (!Load(read, data))
        return;
    const Bytes stored = Store(read);
    Pages<Document> again;
    if (!Load(again, stored) || Store(again) != stored)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckDocument<CHyperDoc>(bytes);
    CheckDocument<CHyperRunDoc>(bytes);
    return 0;
}
