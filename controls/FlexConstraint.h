// Resize rules of the resizable dialogs: how far a control's near and far edges follow the
// growth of the dialog along one axis (0 = stay, 1 = the full gain).
#pragma once

#include "platform/core/Types.h"

#include <memory>

class CWnd;

class CFlexConstraint {
public:
    CFlexConstraint(float nearFactor, float farFactor) : m_near(nearFactor), m_far(farFactor) {}
    virtual ~CFlexConstraint() = default;
    virtual std::unique_ptr<CFlexConstraint> Clone() const = 0;
    // Called once per control when the initial rectangles are captured.
    virtual void OnCapture(CWnd* dialog, int initialExtent);

    // The shift of an edge for a gain, each product truncated toward zero.
    int NearShift(float gain) const { return static_cast<int>(m_near * gain); }
    int FarShift(float gain) const { return static_cast<int>(m_far * gain); }

private:
    float m_near;
    float m_far;
};

class CFlexHorzConstraint : public CFlexConstraint {
public:
    using CFlexConstraint::CFlexConstraint;
    std::unique_ptr<CFlexConstraint> Clone() const override;

    static const CFlexHorzConstraint Fixed;
    static const CFlexHorzConstraint Move;
    static const CFlexHorzConstraint Stretch;
};

class CFlexVertConstraint : public CFlexConstraint {
public:
    using CFlexConstraint::CFlexConstraint;
    std::unique_ptr<CFlexConstraint> Clone() const override;

    static const CFlexVertConstraint Fixed;
    static const CFlexVertConstraint Move;
    static const CFlexVertConstraint Stretch;
};
