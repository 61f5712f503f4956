// The page object: a page seen as a form that can run, with its colour, scroll extent, print
// scale, font, cursor, tooltip, help context, tag, event scripts and layer list.
#pragma once

#include "objects/FontDescriptor.h"
#include "objects/HyperBaseOb.h"
#include "objects/ObValue.h"
#include "platform/ole/OleVariant.h"

#include <memory>

class CLayerFmt;

class CHyperViewOb : public CHyperBaseOb {
    DECLARE_SERIAL(CHyperViewOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT RecordVersion = 4;
    static constexpr int MaxScrollSize = 0xFFFF;
    // Property ids.
    static constexpr UINT FormCodeId = 26685;
    static constexpr UINT PrintScaleId = 27295;
    static constexpr UINT ScrollBarsId = 27282;
    static constexpr UINT ScrollWidthId = 27283;
    static constexpr UINT ScrollHeightId = 27284;
    static constexpr UINT ColorId = 27152;
    static constexpr UINT FontId = 27158;
    static constexpr UINT HelpContextId = 27380;
    static constexpr UINT LayersId = 27454;
    static constexpr UINT TagId = 27433;
    static constexpr UINT AutoRecordId = 27293;
    static constexpr UINT ReportLockId = 27294;
    static constexpr UINT ToolTipId = 27381;
    static constexpr UINT CursorId = 27382;
    static constexpr UINT DragOverId = 27466;
    static constexpr UINT DragDropId = 27468;
    static constexpr UINT DragEnterId = 27470;
    static constexpr UINT InitializeId = 27262;
    static constexpr UINT TerminateId = 27263;
    static constexpr UINT ClickId = 27257;

    CHyperViewOb();
    ~CHyperViewOb() override;
    CHyperViewOb(const CHyperViewOb&) = delete;
    CHyperViewOb& operator=(const CHyperViewOb&) = delete;

    CString GetSecondaryText() const override { return m_formCode; }
    void UpdateLayout(int, BOOL) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
    void CollectProperties(CObArray& list, BOOL argument) override;
    CString GetTypeName() const override { return "Form"; }
    // Takes the view, names the page after its type and gives it the default layers when it
    // has no layer list yet.
    void SetView(CHyperRunView* view) override;
    void Serialize(CArchive& archive) override { SerializeRecord(archive); }
    virtual void SerializeRecord(CArchive& archive);
    void CopyFrom(const CHyperBaseOb* other) override;
    virtual CHyperViewOb* Clone() const;
    // A new empty layer list, replacing the one held.
    virtual void CreateLayerList();
    virtual CLayerFmt* GetLayerList() const { return m_layers.get(); }
    // Color, or the button face colour when Color is automatic.
    virtual COLORREF GetColor() const;

    int GetScrollWidth() const { return m_scrollWidth; }
    int GetScrollHeight() const { return m_scrollHeight; }
    // Script setters; they tell the view. Scroll sizes are stored in 16 bits.
    void SetScrollWidth(long width);
    void SetScrollHeight(long height);
    void SetScrollBars(int scrollBars);
    void SetColor(COLORREF color);

    // Automation.
    BOOL IsFormOpen(LPCTSTR name) const;
    IDispatch* FormFind(LPCTSTR name) const;
    void OpenDoc(LPCTSTR name);
    void OnUpdate() { NotifyChanged(); }
    CString GetFontText() const { return Font.ToString(); }
    void SetFontText(LPCTSTR text);
    long GetColorValue() const { return static_cast<LONG>(Color); }
    void SetColorValue(long color) { SetColor(static_cast<COLORREF>(color)); }
    long GetScrollBars() const { return ScrollBars; }
    void SetScrollBarsValue(long scrollBars) { SetScrollBars(static_cast<int>(scrollBars)); }
    long GetScrollWidthValue() const { return m_scrollWidth; }
    long GetScrollHeightValue() const { return m_scrollHeight; }
    // Whether the layer of that name shows; setting shows or hides it.
    BOOL GetLayer(LPCTSTR name) const;
    void SetLayer(LPCTSTR name, BOOL visible);
    VARIANT GetTag() const;
    void SetTag(const VARIANT& value);
    void RunClick();

    int m_autoRecord = 2;
    int m_reportLock = 0;
    double PrintScale = 1.0;
    int ScrollBars = 1;
    COLORREF Color;
    int m_thirdMode = 0xFFFF;
    CObValue InitializeEvent;
    CObValue TerminateEvent;
    CObValue ClickEvent;
    CObValue m_fourthValue;
    CFontDescriptor Font;
    int CursorPointer = 0;
    CString ToolTipText;
    int HelpContextID = 0;
    CString m_formCode;
    CString m_tagText;
    // A free value for scripts; never stored.
    COleVariant Tag;
    CObValue DragOverEvent;
    CObValue DragDropEvent;
    CObValue DragEnterEvent;

private:
    // The editors of the event scripts.
    CPropOb* CreateEventProperty(UINT propertyId);
    void LoadUntagged(CArchive& archive);
    void LoadTagged(CArchive& archive, int version);
    void SerializeLastEvents(CArchive& archive);
    // Tells the view the page changed.
    void NotifyChanged();

    int m_scrollWidth = 650;
    int m_scrollHeight = 800;
    std::unique_ptr<CLayerFmt> m_layers;
};
