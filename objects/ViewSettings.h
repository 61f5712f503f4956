// The one program-wide record of view settings shared by all views, frames and documents.
// It is never stored; the main frame and the main view fill it from the profile.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/gdi/FontTypes.h"

class CWnd;

class CViewSettings {
public:
    CViewSettings();
    ~CViewSettings();
    CViewSettings(const CViewSettings&) = delete;
    CViewSettings& operator=(const CViewSettings&) = delete;

    CString m_reservedText;
    LOGFONT m_defaultFont{};
    LOGFONT m_fixedFont{};
    CObArray m_openViews;
    CString m_documentFolder;
    CString m_furtherTexts[2];
    int m_flagsA[2] = {0, 1};
    CString m_furtherText;
    int m_undoStackMode = 1;
    int m_undoLevels = 10;
    int m_selectionFlag = 1;
    int m_trackingFlag = 0;
    int m_selectTrackFlags[2] = {1, 1};
    int m_flagB = 0;
    // Objects kept alive after they left their page; deleted with the record.
    CObArray m_heldOleObjects;
    // One step of the default grid right and down: a paste lies visibly apart from its original.
    static constexpr int DefaultPasteStep = 10;
    POINT m_lastPastePosition = {DefaultPasteStep, DefaultPasteStep};
    CString m_objectFileFolder;
    int m_propertyDialogState = -1;
    int m_flagC = 1;
    int m_propertyDialogFlag = 0;
    int m_thumbnailSwitch = 0;
    SIZE m_extents = {40, 40};
    int m_valueA = 0;
    // Where the next child frame goes; (-1, -1) is the origin.
    POINT m_nextFramePosition = {-1, -1};
    CObArray m_openFrames;
    int m_frameCounter = 0;
    int m_flagsD[2] = {1, 1};
    int m_switches[5] = {1, 1, 0, 0, 0};
    int m_reserved = 0;
    CWnd* m_propertyHostWnd = nullptr;
    int m_inPlaceEditorValue = 0;
    // Milliseconds between auto-scroll steps while dragging.
    int m_autoScrollInterval = 30;
};

CViewSettings& GetViewSettings();
