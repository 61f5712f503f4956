#include "objects/ObjectHost.h"

#include "objects/HyperOb.h"
#include "objects/UndoRecord.h"

namespace {
CObjectHost* (*g_resolver)(const CHyperRunView*) = nullptr;
}

CObjectHost* GetObjectHost(const CHyperRunView* view)
{
    return view && g_resolver ? g_resolver(view) : nullptr;
}

void SetObjectHostResolver(CObjectHost* (*resolver)(const CHyperRunView*))
{
    g_resolver = resolver;
}

void CObjectHost::GetObjectsInRect(const RECT& rect, CObArray& out) const
{
    for (int i = 0; i < GetObjectCount(); ++i) {
        auto* object = dynamic_cast<CHyperOb*>(GetObjectAt(i));
        if (object && object->IntersectsRect(&rect))
            out.Add(object);
    }
}

void CObjectHost::PushObjectUndo(CUndoRecord* record)
{
    delete record;
}
