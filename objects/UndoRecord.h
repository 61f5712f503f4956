// One step of undo and redo: copies of the page object, the frame object, every object of
// the page, the selection and the current object, taken before a command changes them.
#pragma once

#include "objects/HyperObArray.h"

class CHyperFrameOb;
class CHyperViewOb;

// What an undo record asks of the view whose page it copies; the editing view answers.
class CUndoSource {
public:
    virtual ~CUndoSource() = default;

    virtual CHyperViewOb* GetUndoPageObject() const = 0;
    virtual CHyperFrameOb* GetUndoFrameObject() const = 0;
    // FALSE while the view records no undo steps.
    virtual BOOL IsRecordingUndo() const = 0;
    virtual const CHyperObArray& GetUndoObjects() const = 0;
    virtual const CHyperObArray& GetUndoSelection() const = 0;
    virtual int GetUndoCurrentIndex() const = 0;
    // Whoever points at the live page or frame object (properties dialog, layers pane) lets
    // go of it before a restore deletes it.
    virtual void ReleasePageObjects() { }
    // The view refreshes itself after a restore.
    virtual void RefreshAfterRestore() { }
};

class CUndoRecord : public CObject {
public:
    static constexpr UINT NoSnapshot = static_cast<UINT>(-1);

    CUndoRecord(CUndoSource* view, UINT commandId);
    ~CUndoRecord() override;
    CUndoRecord(const CUndoRecord&) = delete;
    CUndoRecord& operator=(const CUndoRecord&) = delete;

    // Same current index and same number of selected objects; the command is not compared.
    BOOL IsSameAs(const CUndoRecord& other) const;
    // Puts copies of the snapshot into the view's fields; the record stays as it is.
    void Restore(CHyperViewOb** page, CHyperFrameOb** frame, CHyperObArray& objects, CHyperObArray& selection,
        int* currentIndex) const;

    UINT GetCommandId() const { return m_commandId; }
    BOOL HasSnapshot() const { return m_commandId != NoSnapshot; }
    const CHyperViewOb* GetPageCopy() const { return m_pageCopy; }
    const CHyperFrameOb* GetFrameCopy() const { return m_frameCopy; }
    const CHyperObArray& GetObjectCopies() const { return m_objectCopies; }
    const CHyperObArray& GetSelection() const { return m_selection; }
    int GetCurrentIndex() const { return m_currentIndex; }

private:
    void TakeObjects();
    void RestorePageAndFrame(CHyperViewOb** page, CHyperFrameOb** frame) const;
    void RestoreObjects(CHyperObArray& objects, CHyperObArray& selection, int* currentIndex) const;

    CUndoSource* m_view;
    CHyperFrameOb* m_frameCopy = nullptr;
    CHyperViewOb* m_pageCopy = nullptr;
    CHyperObArray m_objectCopies;
    CHyperObArray m_selection { FALSE };
    int m_currentIndex = -1;
    UINT m_commandId = NoSnapshot;
};
