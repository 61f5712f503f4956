// One stroke: its points in ink space, the pen pressure at each point when the device gave
// one, how it is drawn and its extended properties. A stroke belongs to one ink object.
#pragma once

#include "platform/ink/InkDrawingAttributes.h"
#include "platform/ink/InkExtendedProperties.h"

#include <memory>
#include <vector>

class InkDisp;

enum class InkBoundingBoxMode { Default = 0, NoCurveFit = 1, CurveFit = 2, PointsOnly = 3 };

class InkStrokeDisp {
public:
    InkStrokeDisp(std::weak_ptr<InkDisp> ink, LONG id) : m_ink(std::move(ink)), m_id(id) {}

    LONG ID() const { return m_id; }
    std::shared_ptr<InkDisp> Ink() const { return m_ink.lock(); }
    bool Deleted() const { return m_deleted; }

    const std::vector<POINT>& Points() const { return m_points; }
    // Pressures are one per point (0 to kMaxInkPressure) or none at all.
    const std::vector<WORD>& Pressures() const { return m_pressures; }
    bool SetPoints(std::vector<POINT> points, std::vector<WORD> pressures = {});

    const InkDrawingAttributes& DrawingAttributes() const { return m_attributes; }
    void SetDrawingAttributes(const InkDrawingAttributes& attributes) { m_attributes = attributes; }
    InkExtendedProperties& ExtendedProperties() { return m_properties; }
    const InkExtendedProperties& ExtendedProperties() const { return m_properties; }

    // Default mode takes in half the pen on every side; empty for a stroke without points.
    RECT GetBoundingBox(InkBoundingBoxMode mode = InkBoundingBoxMode::Default) const;
    void Move(double dx, double dy);
    // Scales about the ink-space origin.
    void ScaleTransform(double horizontal, double vertical);
    // Maps the points from one rectangle onto another.
    void MapRectangle(const RECT& from, const RECT& to);
    // Distance from a point to the stroke's line, in ink space.
    double Distance(POINT point) const;

private:
    friend class InkDisp;
    std::weak_ptr<InkDisp> m_ink;
    LONG m_id;
    bool m_deleted = false;
    std::vector<POINT> m_points;
    std::vector<WORD> m_pressures;
    InkDrawingAttributes m_attributes;
    InkExtendedProperties m_properties;
};

constexpr WORD kMaxInkPressure = 1023;
