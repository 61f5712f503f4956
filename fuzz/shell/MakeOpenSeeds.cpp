// Writes the seed documents of the File > Open fuzz target into the folder given:
//   shell_open_document_seeds fuzz/shell/corpus
// One small document for each kind of object the program inserts, an empty one, one of two
// pages and one with its thumbnail, all saved by the program; each is opened again to show
// that it reads back.
#include "fuzz/shell/FuzzProgram.h"

#include "View/MyView.h"
#include "objects/kinds/ArcGen.h"
#include "objects/kinds/BitmapGen.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/HiliteGen.h"
#include "objects/kinds/HyperOleGen.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/PolyLineGen.h"
#include "objects/kinds/RTFGen.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/ShapeGen.h"
#include "objects/kinds/SoundGen.h"
#include "objects/kinds/StickyGen.h"
#include "objects/kinds/StrokeOb.h"
#include "objects/kinds/TextGen.h"
#include "objects/ViewSettings.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/TestHook.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Kind {
    const char* name;
    CRuntimeClass* runtimeClass;
};

CMyView* ViewOf(CDocument* document)
{
    POSITION pos = document ? document->GetFirstViewPosition() : nullptr;
    return pos ? dynamic_cast<CMyView*>(document->GetNextView(pos)) : nullptr;
}

// A picture of 2 x 2 blue pixels, as a file.
std::string WritePicture(const std::string& path)
{
    const unsigned char bmp[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    return path;
}

// What the insert dialogs ask the user for: the picture of a bitmap, the file an OLE object holds.
void Fill(CHyperOb& object, CDocument& document, const std::string& picture)
{
    if (auto* bitmap = dynamic_cast<CBitmapOb*>(&object)) {
        CExtDib dib;
        if (dib.Load(picture.c_str(), CExtDib::Embedded, FALSE))
            bitmap->SetPicture(&dib);
    }
    if (auto* ole = dynamic_cast<CHyperOleOb*>(&object)) {
        auto* item = new CHyperOleItem(dynamic_cast<COleDocument*>(&document), ole);
        if (item->CreateFromFile(picture.c_str()))
            ole->SetOleItem(item);
        else
            item->Delete(TRUE);
    }
}

// The object as an insert tool leaves it, before the user edits it.
void Add(CMyView& view, CRuntimeClass* runtimeClass, const CRect& rect, const char* code, const std::string& picture)
{
    auto* object = static_cast<CHyperOb*>(runtimeClass->CreateObject());
    object->Init(&view, nullptr, TRUE);
    object->SetRect(rect);
    object->Code = code;
    object->SetText("Ab");
    Fill(*object, *view.GetDocument(), picture);
    view.GetObjects().InsertAt(0, object);
    view.MapObjectName(object->Code, object);
}

// Saves the document, opens it again as the user would and says whether it came back whole:
// its pages, their objects, each page drawn.
bool SaveAndReopen(FuzzProgram& program, CDocument* document, const std::string& path, int pages, int objects)
{
    const bool saved = document->DoSave(path.c_str());
    program.CloseAll();
    CDocument* opened = program.Open(path);
    int readPages = 0;
    int readObjects = 0;
    bool drawn = true;
    for (POSITION pos = opened ? opened->GetFirstViewPosition() : nullptr; pos;) {
        auto* view = dynamic_cast<CMyView*>(opened->GetNextView(pos));
        ++readPages;
        readObjects += view ? int(view->GetObjects().GetSize()) : 0;
        drawn = drawn && view && UiTestHook::PixelAt(view->m_hWnd, {1, 1}) != CLR_INVALID;
    }
    program.CloseAll();
    std::printf("%s: %s, %d pages and %d objects read back, %s\n", path.c_str(), saved ? "saved" : "NOT SAVED",
                readPages, readObjects, drawn ? "drawn" : "NOT DRAWN");
    return saved && drawn && readPages == pages && readObjects == objects;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = std::filesystem::absolute(argv[1]).string();
    const Kind kinds[] = {
        {"arc", RUNTIME_CLASS(CArcGen)},
        {"bitmap", RUNTIME_CLASS(CBitmapGen)},
        {"border", RUNTIME_CLASS(CBorderGen)},
        {"circle", RUNTIME_CLASS(CCircleGen)},
        {"connector", RUNTIME_CLASS(CConnectGen)},
        {"frame", RUNTIME_CLASS(CRectGen)},
        {"hilite", RUNTIME_CLASS(CHiliteGen)},
        {"line", RUNTIME_CLASS(CLineGen)},
        {"note", RUNTIME_CLASS(CStickyGen)},
        {"ole", RUNTIME_CLASS(CHyperOleGen)},
        {"polyline", RUNTIME_CLASS(CPolyLineGen)},
        {"rich-note", RUNTIME_CLASS(CRTFGen)},
        {"shape", RUNTIME_CLASS(CShapeGen)},
        {"sound-note", RUNTIME_CLASS(CSoundGen)},
        {"stroke", RUNTIME_CLASS(CStrokeOb)},
        {"text", RUNTIME_CLASS(CTextGen)},
    };
    FuzzProgram& program = FuzzProgram::Get();
    const std::string picture = WritePicture(program.File("blue.bmp"));
    int failed = 0;
    for (const Kind& kind : kinds) {
        CDocument* document = program.New();
        CMyView* view = ViewOf(document);
        if (!view)
            return 1;
        Add(*view, kind.runtimeClass, CRect(20, 20, 90, 60), "First", picture);
        Add(*view, kind.runtimeClass, CRect(120, 40, 200, 110), "Second", picture);
        failed += !SaveAndReopen(program, document, folder + "/" + kind.name + ".trn", 1, 2);
    }
    failed += !SaveAndReopen(program, program.New(), folder + "/empty.trn", 1, 0);
    // A page of text and a second page of its own in a further window.
    CDocument* document = program.New();
    CMyView* first = ViewOf(document);
    auto* frame = static_cast<CFrameWnd*>(first->GetParentFrame());
    CFrameWnd* further = document->GetDocTemplate()->CreateNewFrame(document, frame);
    document->GetDocTemplate()->InitialUpdateFrame(further, document);
    Add(*first, RUNTIME_CLASS(CTextGen), CRect(20, 20, 90, 60), "First", picture);
    POSITION pos = document->GetFirstViewPosition();
    document->GetNextView(pos);
    Add(*dynamic_cast<CMyView*>(document->GetNextView(pos)), RUNTIME_CLASS(CBorderGen), CRect(5, 5, 50, 50), "Box",
        picture);
    failed += !SaveAndReopen(program, document, folder + "/two-pages.trn", 2, 2);
    // One page closed by its thumbnail.
    document = program.New();
    Add(*ViewOf(document), RUNTIME_CLASS(CCircleGen), CRect(20, 20, 90, 60), "Round", picture);
    GetViewSettings().m_thumbnailSwitch = 1;
    failed += !SaveAndReopen(program, document, folder + "/thumbnail.trn", 1, 1);
    return failed == 0 ? 0 : 1;
}
