#include "shell/NotesMgr.h"

#include "shell/VantrelApp.h"
#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"


IMPLEMENT_DYNCREATE(CNotesMgr, CCmdTarget)

BEGIN_MESSAGE_MAP(CNotesMgr, CCmdTarget)
END_MESSAGE_MAP()

namespace {

CNotesMgr::NoteReader noteReader = nullptr;

CHyperOb* FindInView(CView* view, WPARAM object)
{
    auto* page = dynamic_cast<CMyView*>(view);
    if (!page)
        return nullptr;
    const CHyperObArray& objects = page->GetObjects();
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        if (reinterpret_cast<WPARAM>(page->GetObjectAtIndex(i)) == object)
            return page->GetObjectAtIndex(i);
    return nullptr;
}

} // namespace

void CNotesMgr::SetNoteReader(NoteReader reader) { noteReader = reader; }

CHyperOb* CNotesMgr::FindOpenObject(WPARAM object)
{
    CVantrelApp* app = GetVantrelApp();
    CDocTemplate* documents = app ? app->GetMainDocTemplate() : nullptr;
    if (!documents || object == 0)
        return nullptr;
    for (POSITION docPos = documents->GetFirstDocPosition(); docPos;) {
        CDocument* doc = documents->GetNextDoc(docPos);
        for (POSITION viewPos = doc->GetFirstViewPosition(); viewPos;)
            if (CHyperOb* found = FindInView(doc->GetNextView(viewPos), object))
                return found;
    }
    return nullptr;
}

void CNotesMgr::RefreshNote(WPARAM object, LPARAM)
{
    CHyperOb* note = FindOpenObject(object);
    const CRuntimeClass* noteClass = CRuntimeClass::FromName(NoteClassName);
    // The note's tool makes it as a class derived from the note's.
    if (note && noteReader && noteClass && note->IsKindOf(noteClass))
        noteReader(note);
}
