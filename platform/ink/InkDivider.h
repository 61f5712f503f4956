// Divides strokes into units. Nothing here tells writing from drawing, so every unit is a
// drawing: strokes lie in one unit when their boxes, widened by
// half the line height, touch, directly or through other strokes of the unit.
#pragma once

#include "platform/ink/InkRecognizers.h"

#include <vector>

struct InkDivisionUnit {
    InkStrokes Strokes;
    InkDivisionType DivisionType = InkDivisionType::Drawing;
};

class InkDivisionResult {
public:
    explicit InkDivisionResult(std::vector<InkDivisionUnit> units) : m_units(std::move(units)) {}
    // Units in the order of their first stroke.
    std::vector<InkDivisionUnit> ResultByType(InkDivisionType type) const;

private:
    std::vector<InkDivisionUnit> m_units;
};

class InkDivider {
public:
    InkStrokes Strokes;
    std::shared_ptr<InkRecognizerContext> RecognizerContext;
    float LineHeight = 1200.0f;  // ink space

    InkDivisionResult Divide() const;
};
