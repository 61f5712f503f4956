// The frame object: the window that shows a run document, with its caption, client size,
// caption-bar boxes, border, help button and local entries.
#pragma once

#include "objects/HyperBaseOb.h"
#include "objects/LocalFmt.h"
#include "objects/ObValue.h"

#include <memory>

class CFrameWindow;

class CHyperFrameOb : public CHyperBaseOb {
    DECLARE_SERIAL(CHyperFrameOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT RecordVersion = 2;
    static constexpr int MaxSize = 0xFFFF;
    // Each style field holds its window style bit when on, the bit's complement when off.
    static constexpr DWORD MinimizeOn = 0x20000;
    static constexpr DWORD MaximizeOn = 0x10000;
    static constexpr DWORD ResizingBorder = 0x40000;
    static constexpr DWORD HelpButtonOn = 0x400;
    // Property ids.
    static constexpr UINT TitleId = 27144;
    static constexpr UINT WidthId = 27140;
    static constexpr UINT HeightId = 27141;
    static constexpr UINT MinimizeId = 27243;
    static constexpr UINT MaximizeId = 27244;
    static constexpr UINT BorderId = 27245;
    static constexpr UINT HelpId = 27285;
    static constexpr UINT LocalsId = 27279;

    CHyperFrameOb();
    ~CHyperFrameOb() override;
    CHyperFrameOb(const CHyperFrameOb&) = delete;
    CHyperFrameOb& operator=(const CHyperFrameOb&) = delete;

    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
    void CollectProperties(CObArray& list, BOOL argument) override;
    CString GetTypeName() const override { return "Frame"; }
    void SetView(CHyperRunView* view) override;
    void Serialize(CArchive& archive) override { SerializeRecord(archive); }
    virtual void SerializeRecord(CArchive& archive);
    void CopyFrom(const CHyperBaseOb* other) override;
    virtual CHyperFrameOb* Clone() const;
    // The local list and its words into another frame object.
    virtual void CopyLocalList(CHyperFrameOb* other) const;
    virtual void SetParentFrame(CFrameWindow* frame) { m_parentFrame = frame; }
    // Gives the window the frame object's boxes, border, help button, title and client size.
    virtual void ApplyToFrame(CFrameWindow* frame) const;
    virtual CFrameWindow* GetParentFrame() const { return m_parentFrame; }
    // Applies the fields to the parent frame.
    void UpdateLayout(int, BOOL) override;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Sizes are stored in 16 bits.
    void SetWidth(long width);
    void SetHeight(long height);
    static BOOL IsOn(DWORD styleField, DWORD bit) { return (styleField & bit) != 0; }
    // Automation; every change is applied to the window.
    void OnUpdate() { UpdateLayout(TRUE, FALSE); }
    CString GetTitle() const { return Title; }
    void SetTitle(LPCTSTR title);
    template <DWORD CHyperFrameOb::*Style>
    long GetStyle() const
    {
        return static_cast<LONG>(this->*Style);
    }
    template <DWORD CHyperFrameOb::*Style>
    void SetStyle(long value)
    {
        this->*Style = static_cast<DWORD>(value);
        OnUpdate();
    }
    long GetWidthValue() const { return m_width; }
    void SetWidthValue(long width);
    long GetHeightValue() const { return m_height; }
    void SetHeightValue(long height);

    // The value left by records of the first two layouts, or NULL.
    const CObValue* GetOldValue() const { return m_oldValue.get(); }
    // The page takes the old value over; the frame object forgets it.
    void DeleteOldValue() { m_oldValue.reset(); }

    CString Title;
    DWORD MinimizeBox = MinimizeOn;
    DWORD MaximizeBox = MaximizeOn;
    DWORD BorderStyle = ResizingBorder;
    DWORD WhatsThisHelp = ~HelpButtonOn;
    CLocalFmt m_locals;
    int m_lastWord = 0;

private:
    void LoadSizesAndStyles(CArchive& archive);
    // A non-zero old value becomes a choice kind of the old value field.
    void TakeOldValue(DWORD old);

    int m_width = 100;
    int m_height = 100;
    std::unique_ptr<CObValue> m_oldValue;
    CFrameWindow* m_parentFrame = nullptr;
};
