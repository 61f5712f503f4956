// A page for the line kinds' tests: boxes with the border's four snap points (top, right,
// bottom and left middle, ids 0 to 3) that lines and connectors attach to.
#pragma once

#include "objects/UndoRecord.h"
#include "objects/kinds/BorderOb.h"
#include "objects/tests/PageTestKit.h"

#include <memory>
#include <vector>

// Counts the undo steps objects take and push, and the deletions they ask for.
class CLineTestView : public CTestPageView, public CUndoSource {
public:
    CUndoRecord* CreateUndoRecord(UINT commandId) override
    {
        undoTaken.push_back(commandId);
        return new CUndoRecord(this, commandId);
    }
    void PushObjectUndo(CUndoRecord* record) override
    {
        ++pushedUndo;
        delete record;
    }
    void PostDeleteObject(CHyperBaseOb* object) override { deletions.push_back(object); }

    CHyperViewOb* GetUndoPageObject() const override { return nullptr; }
    CHyperFrameOb* GetUndoFrameObject() const override { return nullptr; }
    BOOL IsRecordingUndo() const override { return FALSE; }
    const CHyperObArray& GetUndoObjects() const override { return none; }
    const CHyperObArray& GetUndoSelection() const override { return none; }
    int GetUndoCurrentIndex() const override { return -1; }

    std::vector<UINT> undoTaken;
    int pushedUndo = 0;
    std::vector<CHyperBaseOb*> deletions;

private:
    CHyperObArray none {FALSE};
};

struct LinePage {
    CLineTestView view;
    std::vector<std::unique_ptr<CHyperOb>> owned;

    // A box on the page named by its code.
    CBorderOb* AddBox(const char* code, CRect rect)
    {
        auto box = std::make_unique<CBorderOb>();
        box->Init(view, nullptr, TRUE);
        box->SetRect(rect);
        box->Code = code;
        return static_cast<CBorderOb*>(Add(std::move(box)));
    }

    template <typename Kind>
    Kind* AddObject(std::unique_ptr<Kind> object)
    {
        return static_cast<Kind*>(Add(std::move(object)));
    }

    CHyperOb* Add(std::unique_ptr<CHyperOb> object)
    {
        view.objects.push_back(object.get());
        owned.push_back(std::move(object));
        return owned.back().get();
    }

    void Remove(CHyperOb* object)
    {
        std::erase(view.objects, object);
    }
};

// The snap point of a box by id.
inline CAnchorItem* SnapPoint(CHyperOb* box, int id)
{
    return box->GetSnapPoints(FALSE)->FindPoint(id);
}
