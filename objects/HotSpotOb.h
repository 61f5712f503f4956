// A small picture at one of nine places on a page object; a click on it goes to the object.
#pragma once

#include "objects/HyperObArray.h"
#include "platform/core/Object.h"

class CDC;
class CHyperOb;

class CHotSpotOb : public CObject {
    DECLARE_DYNAMIC(CHotSpotOb)
public:
    explicit CHotSpotOb(CHyperOb* owner);
    ~CHotSpotOb() override;
    CHotSpotOb(const CHotSpotOb&) = delete;
    CHotSpotOb& operator=(const CHotSpotOb&) = delete;

    virtual void Draw(CDC* dc);
    // 1 when the point lies on the picture, edges included; with notify, what the owner's
    // context menu answers instead.
    virtual int HitTest(int px, int py, UINT flags, BOOL notify);
    virtual void Reposition();
    virtual RECT* GetRect(RECT* out) const;

    // Takes the bitmap (owned from now on) as the picture; FALSE when no DC can hold it.
    BOOL SetPicture(HBITMAP bitmap, int width, int height);
    BOOL HasPicture() const { return m_pictureDC != nullptr; }
    POINT GetPosition() const { return { m_x, m_y }; }

    int m_id = -1;
    int m_placement = 7;
    int m_offsetX = 0;
    int m_offsetY = 0;

private:
    void ReleasePicture();

    CHyperOb* m_owner;
    CDC* m_pictureDC = nullptr;
    HBITMAP m_previousBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_x = 0;
    int m_y = 0;
};

// The hot spots of one object; deletes them with itself.
class CHotSpotArray : public CHyperObArray {
public:
    CHotSpotArray()
        : CHyperObArray(TRUE)
    {
    }

    CHotSpotOb* GetHotSpot(INT_PTR index) const { return static_cast<CHotSpotOb*>(GetAt(index)); }
    void DrawAll(CDC* dc) const;
    // The first nonzero answer in array order, else 0.
    int HitTestAll(int px, int py, UINT flags, BOOL notify) const;
    void RepositionAll() const;
};
