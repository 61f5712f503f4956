// What the line router asks of the view it routes in. The page view answers these; the
// router sees only this interface, so it does not depend on the view layer.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Types.h"

class CLineRouterView {
public:
    virtual ~CLineRouterView() = default;

    // Whether the view works in mapped coordinates; then the page's scroll extent is the area.
    virtual BOOL IsMapped() const = 0;
    virtual SIZE GetPageScrollExtent() const = 0;
    // The view window's client rectangle converted to logical units.
    virtual RECT GetLogicalClientRect() const = 0;
    // The two halves of the grid setting: the cell width and the cell height.
    virtual int GetFlagsLow() const = 0;
    virtual int GetFlagsHigh() const = 0;
    // Insets of the page area that routes keep clear of.
    virtual RECT GetRoutingMargins() const = 0;
    // Both attach flags set: lines are routed by pattern instead of by search.
    virtual BOOL IsAttachSwitchOn() const = 0;
    // The page objects that have snap points, from the last index to the first.
    virtual int GetObjectsWithSnapPoints(CObArray& out) const = 0;
};
