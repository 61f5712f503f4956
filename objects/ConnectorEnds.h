// What the two ends of a line or connector are attached to: the Code of an object and the
// id of one of its snap points, or an empty Code and -1 for a free end. The record also knows
// which corners of the owner's rectangle are the end points, moves the rectangle so that the
// ends land on given points, captures ends onto nearby snap points and follows moved objects.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CArchive;
class CHyperOb;
class CObjectHost;
class CSnapPointSet;

class CConnectorEnds {
public:
    struct End {
        CString code;
        int snapId = -1;
    };
    // Which corners of the owner's rectangle are the end points.
    static constexpr int Diagonal = 0;
    static constexpr int Rising = 2;
    static constexpr int Horizontal = 6;
    static constexpr int Vertical = 8;
    // Side of the square around a snap point that captures an end.
    static constexpr int CaptureSize = 16;

    CConnectorEnds() = default;
    CConnectorEnds(const CConnectorEnds& other) { *this = other; }
    virtual ~CConnectorEnds() = default;
    // Orientation, swap flag and both ends; never the owner.
    CConnectorEnds& operator=(const CConnectorEnds& other);

    // The stored form inside the owner's object record: orientation, swap flag, then the
    // two ends when either names an object.
    virtual void Serialize(CArchive& archive);
    // Derives orientation and swap flag from the owner's rectangle, which may be inside out,
    // and normalises it; with apply the rectangle is stored.
    virtual void UpdateOrientation(BOOL apply);
    // The end points on the owner's rectangle and the tracker handles they sit on.
    virtual void ComputeEndPoints(POINT* first, POINT* second, BOOL swap, int* handle1 = nullptr,
                                  int* handle2 = nullptr) const;
    // Moves the owner's rectangle so that the handles lie on the points; TRUE when it changed.
    virtual BOOL MoveEndPoints(const POINT points[2], const int handles[2]);
    // Captures both ends anew onto the page's snap points and moves the owner onto them.
    virtual BOOL Reattach(BOOL mode);
    // Moves the ends attached to the named object onto its snap points' current places;
    // TRUE when an end moved. An end whose snap point is gone becomes free.
    virtual BOOL FollowObject(LPCTSTR name, CSnapPointSet* points);
    // Frees every end attached to the named object; with no name, both ends.
    virtual void ClearEnds(LPCTSTR name);
    // Asked before an end attaches.
    virtual BOOL IsAttachVetoed() const { return FALSE; }

    BOOL IsConnected() const { return IsStartConnected() || IsEndConnected(); }
    BOOL IsStartConnected() const { return !m_ends[0].code.IsEmpty(); }
    BOOL IsEndConnected() const { return !m_ends[1].code.IsEmpty(); }
    int CountFreeEnds() const { return !IsStartConnected() + !IsEndConnected(); }
    CHyperOb* GetStartObject(int* id) const { return GetAttachedObject(0, id); }
    CHyperOb* GetEndObject(int* id) const { return GetAttachedObject(1, id); }
    CPoint GetStartPoint() const;
    CPoint GetEndPoint() const;
    int GetStartSnapPointType() const { return GetSnapPointType(0); }
    int GetEndSnapPointType() const { return GetSnapPointType(1); }
    int GetOwnerTrackerState() const;
    // Frees one end (bit 0 of the flags: 0 first, 1 second); FALSE when it was free.
    BOOL Disconnect(UINT flags);
    // Captures the second, then the first end onto the targets' snap points; in test mode
    // nothing is recorded and the redraw rectangle follows the snapped points. TRUE when
    // either end snapped.
    BOOL AttachEnds(POINT* p1, BOOL* snapped1, POINT* p2, BOOL* snapped2, const CObArray& targets, int capture,
                    RECT* redraw, BOOL test);

    int GetOrientation() const { return static_cast<int>(m_words[0]); }
    void SetOrientation(int orientation) { m_words[0] = static_cast<DWORD>(orientation); }
    BOOL IsSwapped() const { return m_words[1] != 0; }
    void SetSwapped(BOOL swapped) { m_words[1] = swapped ? 1 : 0; }

    End m_ends[2];
    DWORD m_words[3] = {0, 1, 0};
    CHyperOb* m_owner = nullptr;

protected:
    CObjectHost* GetOwnerHost() const;
    CRect GetOwnerRect() const;

private:
    CHyperOb* GetAttachedObject(int index, int* id) const;
    int GetSnapPointType(int index) const;
    // Captures one end; the index picks the use counter.
    BOOL AttachEnd(int index, POINT* point, const CObArray& targets, int capture, RECT* redraw, BOOL test);
    BOOL CaptureOn(int index, CHyperOb* target, POINT* point, int capture, RECT* redraw, BOOL test);
};

// In r, the x equal to oldX becomes newX (left tested first) and the y equal to oldY newY.
void ReplaceRectCoord(RECT* r, LONG oldX, LONG oldY, LONG newX, LONG newY);
// The place of a snap point on its object; FALSE when the set has no point of that id.
BOOL GetSnapPlace(const CSnapPointSet* points, int id, POINT* place);

// Selects the objects that the start object reaches through connectors attached to snap
// points; with the flag the view is told that the selection changed.
void RouteSnapConnections(CHyperOb* start, BOOL notify);
