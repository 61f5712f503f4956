// The frame object as the generating editor makes it: a numbered title for new documents,
// and none of the window-style and size editors.
#pragma once

#include "objects/HyperFrameOb.h"

class CGenFrameOb : public CHyperFrameOb {
    DECLARE_SERIAL(CGenFrameOb)
public:
    CGenFrameOb() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
    // Titles a new document "Document 1", "Document 2" and on. The count runs for the whole
    // program; frames that are cloned, loaded or closed leave it alone.
    void NumberNewDocument();
};
