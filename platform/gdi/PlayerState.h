// Private to platform/gdi: what a metafile player keeps while it plays onto a DC.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/gdi/MetaRecords.h"

#include <QRegion>

#include <vector>

namespace gdi {

// The metafile's own mapping, composed with the step from its device units to the target.
class PlayerState {
public:
    // frame: the picture's extent in the metafile's device units; target: device rectangle.
    PlayerState(HDC hdc, QRectF frame, QRect target);
    // Plays straight through the DC's own mapping.
    explicit PlayerState(HDC hdc);
    ~PlayerState();
    PlayerState(const PlayerState&) = delete;
    PlayerState& operator=(const PlayerState&) = delete;

    CDC& dc() { return *m_dc; }
    void SetMapMode(int mode);
    void SetWindowOrg(POINT p);
    void SetWindowExt(SIZE s);
    void SetViewportOrg(POINT p);
    void SetViewportExt(SIZE s);
    void OffsetWindowOrg(int dx, int dy) { SetWindowOrg({m_map.wo.x + dx, m_map.wo.y + dy}); }
    void OffsetViewportOrg(int dx, int dy) { SetViewportOrg({m_map.vo.x + dx, m_map.vo.y + dy}); }
    void Save();
    void Restore(int relative);
    // A region in the metafile's device units, on the target.
    QRegion ToTarget(const QRegion& rgn) const;
    void SelectClip(const QRegion* rgn, int mode);
    // Objects by table index.
    void Store(size_t index, HGDIOBJ object);
    void StoreInFreeSlot(HGDIOBJ object);  // the Windows-metafile rule
    HGDIOBJ Object(DWORD index) const;
    void Delete(DWORD index);

private:
    struct Map {
        int mode = MM_TEXT;
        POINT wo{0, 0}, vo{0, 0};
        SIZE we{1, 1}, ve{1, 1};
    };
    void Apply();
    CDC* m_dc;
    int m_saved;
    Map m_map;
    std::vector<Map> m_stack;
    QRectF m_frame;
    QRect m_target;
    std::vector<HGDIOBJ> m_objects;
    std::vector<HGDIOBJ> m_retired;  // replaced while still selected
    HRGN m_baseClip;
    bool m_hadClip;
    bool m_direct = false;
};

}  // namespace gdi
