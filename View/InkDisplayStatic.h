// A static control that shows an ink object on white, scaled down to fit when it is larger
// than the control and at its own size in the top-left corner otherwise.
#pragma once

#include "platform/ui/Static.h"

#include <memory>

class CDC;
class InkDisp;

class CInkDisplayStatic : public CStatic {
public:
    void SetInk(std::shared_ptr<InkDisp> ink) { m_ink = std::move(ink); }

protected:
    void OnPaint();

private:
    std::shared_ptr<InkDisp> m_ink;

    DECLARE_MESSAGE_MAP()
};

// What the control paints: white over the client rectangle, then the ink fitted into it.
void DrawInkToFit(CDC& dc, const RECT& client, InkDisp* ink);
