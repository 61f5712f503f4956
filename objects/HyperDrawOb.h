// A page object drawn with a pen and, where its kind allows, a hatch brush and a drop
// shadow; it also offers the alarm properties of every drawn object.
#pragma once

#include "objects/HyperOb.h"

class CHyperDrawOb : public CHyperOb {
    DECLARE_SERIAL(CHyperDrawOb)
public:
    static constexpr int NoHatch = 99;
    // How far a shadow reaches beyond the object.
    static constexpr int ShadowMargin = 10;
    // Property ids.
    static constexpr UINT LineWidthId = 27174;
    static constexpr UINT LineStyleId = 27168;
    static constexpr UINT HatchStyleId = 27041;
    static constexpr UINT ShadowStyleId = 27050;
    static constexpr UINT AlarmBitmapId = 28565;
    static constexpr UINT CreationDateId = 27474;
    static constexpr UINT AlarmSoundId = 27477;
    static constexpr UINT AlarmTimeId = 27472;
    static constexpr UINT AlarmActiveId = 27473;
    static constexpr UINT SoundFilterId = 27004;

    CHyperDrawOb() = default;

    void CopyFrom(const CHyperBaseOb* other) override;
    void ApplyDefaults() override;
    void GetUpdateRect(CRect* out, CDC* dc) const override;
    BOOL GetPenWidth(int* width) const override;
    BOOL GetPenStyle(int* style) const override;
    BOOL SetPenWidth(int width) override;
    BOOL SetPenStyle(int style) override;
    BOOL SetHatchStyle(int style) override;
    BOOL SetShadowStyle(int style) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
    void CollectProperties(CObArray& list, BOOL argument) override;

    // Stores the flag the view's alarm check sets and redraws the object.
    void SetAlarmSignal(BOOL signal);
    // While the alarm signals and the setting allows it: the alarm picture at the object's
    // top-left corner, its background (the colour of its first pixel) left transparent.
    void DrawAlarmBitmap(CDC* dc);
    BOOL GetAlarmSignal() const { return m_alarmSignal; }

    int PenWidth = 1;
    int PenStyle = 0;
    int HatchStyle = NoHatch;
    int ShadowStyle = 0;

private:
    BOOL m_alarmSignal = FALSE;
};
