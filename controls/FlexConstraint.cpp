#include "controls/FlexConstraint.h"

const CFlexHorzConstraint CFlexHorzConstraint::Fixed{0.0f, 0.0f};
const CFlexHorzConstraint CFlexHorzConstraint::Move{1.0f, 1.0f};
const CFlexHorzConstraint CFlexHorzConstraint::Stretch{0.0f, 1.0f};
const CFlexVertConstraint CFlexVertConstraint::Fixed{0.0f, 0.0f};
const CFlexVertConstraint CFlexVertConstraint::Move{1.0f, 1.0f};
const CFlexVertConstraint CFlexVertConstraint::Stretch{0.0f, 1.0f};

void CFlexConstraint::OnCapture(CWnd*, int) {}

std::unique_ptr<CFlexConstraint> CFlexHorzConstraint::Clone() const
{
    return std::make_unique<CFlexHorzConstraint>(*this);
}

std::unique_ptr<CFlexConstraint> CFlexVertConstraint::Clone() const
{
    return std::make_unique<CFlexVertConstraint>(*this);
}
