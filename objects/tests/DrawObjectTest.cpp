#include "objects/HyperDrawOb.h"
#include "objects/PropCombo.h"
#include "objects/PropDatetime.h"
#include "objects/PropNumber.h"
#include "objects/tests/PageTestKit.h"
#include "objects/ShellServices.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ui/Resources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A kind that draws a hatch and a shadow.
class CShadedOb : public CHyperDrawOb {
public:
    BOOL GetHatchStyle(int* style) const override
    {
        if (style)
            *style = HatchStyle;
        return TRUE;
    }
    BOOL GetShadowStyle(int* style) const override
    {
        if (style)
            *style = ShadowStyle;
        return TRUE;
    }
};

class PenHost : public CTestPageView {
public:
    BOOL GetDefaultPen(PenDefaults* out) const override
    {
        if (!on)
            return FALSE;
        *out = {4, 2, 5, 3};
        return TRUE;
    }
    BOOL on = TRUE;
};

TEST(DrawnObject, DefaultsAndPenAnswers)
{
    CHyperDrawOb object;
    EXPECT_EQ(object.PenWidth, 1);
    EXPECT_EQ(object.PenStyle, 0);
    EXPECT_EQ(object.HatchStyle, 99);
    EXPECT_EQ(object.ShadowStyle, 0);
    EXPECT_TRUE(object.GetPenWidth(nullptr));
    EXPECT_TRUE(object.GetPenStyle(nullptr));
    EXPECT_FALSE(object.GetHatchStyle(nullptr));
    EXPECT_FALSE(object.GetShadowStyle(nullptr));
    EXPECT_EQ(object.SetHatchStyle(3), 3);
    EXPECT_EQ(object.SetShadowStyle(4), 4);
    int width = 0;
    object.SetPenWidth(7);
    EXPECT_TRUE(object.GetPenWidth(&width));
    EXPECT_EQ(width, 7);

    CHyperDrawOb copy;
    copy.CopyFrom(&object);
    EXPECT_EQ(copy.PenWidth, 7);
    EXPECT_EQ(copy.HatchStyle, 3);
    EXPECT_EQ(copy.ShadowStyle, 4);
}

TEST(DrawnObject, NewObjectsTakeTheViewsPenDefaultsWhenItsSwitchIsOn)
{
    PenHost view;
    CHyperDrawOb taking, keeping;
    CRect rect(0, 0, 10, 10);
    taking.Init(view, &rect, TRUE);
    EXPECT_EQ(taking.PenWidth, 4);
    EXPECT_EQ(taking.PenStyle, 2);
    EXPECT_EQ(taking.HatchStyle, 5);
    EXPECT_EQ(taking.ShadowStyle, 3);
    view.on = FALSE;
    keeping.Init(view, &rect, TRUE);
    EXPECT_EQ(keeping.PenWidth, 1);
    EXPECT_EQ(keeping.HatchStyle, 99);
}

TEST(DrawnObject, AShadowWidensTheUpdateRectangle)
{
    CTestPageView view;
    view.editMode = FALSE;
    CShadedOb plain, shaded;
    CRect rect(20, 20, 60, 50);
    plain.Init(view, &rect, FALSE);
    shaded.Init(view, &rect, FALSE);
    shaded.ShadowStyle = 4;
    CRect plainArea, shadedArea;
    plain.GetUpdateRect(&plainArea, nullptr);
    shaded.GetUpdateRect(&shadedArea, nullptr);
    plainArea.InflateRect(10, 10);
    EXPECT_EQ(shadedArea, plainArea);

    CHyperDrawOb noShadowKind;
    noShadowKind.Init(view, &rect, FALSE);
    noShadowKind.ShadowStyle = 4; // the kind draws no shadow
    CRect area;
    noShadowKind.GetUpdateRect(&area, nullptr);
    CRect own;
    plain.GetUpdateRect(&own, nullptr);
    EXPECT_EQ(area, own);
}

TEST(DrawnObject, EditorsByKind)
{
    for (UINT id = 27042; id <= 27048; ++id)
        RegisterStringResource(id, "<Hatch>");
    for (UINT id = 27301; id <= 27305; ++id)
        RegisterStringResource(id, "<Shadow>");
    CHyperDrawOb plain;
    CPropObArray plainList;
    plain.CollectProperties(plainList, FALSE);
    std::vector<UINT> plainIds = BasePropertyIds();
    plainIds.insert(plainIds.end(), {27174, 27168, 27474, 27477, 27472, 27473});
    EXPECT_EQ(PropertyNameIds(plainList), plainIds);

    CShadedOb shaded;
    CPropObArray shadedList;
    shaded.CollectProperties(shadedList, FALSE);
    std::vector<UINT> shadedIds = BasePropertyIds();
    shadedIds.insert(shadedIds.end(), {27174, 27168, 27041, 27050, 27474, 27477, 27472, 27473});
    EXPECT_EQ(PropertyNameIds(shadedList), shadedIds);
    EXPECT_EQ(shaded.CreateProperty(12345, FALSE), nullptr);
    EXPECT_EQ(plain.CreateProperty(27041, FALSE), nullptr);

    // Choosing "no hatch" and a shadow through the editors writes the stored values.
    auto* hatch = FindProperty<CPropCombo>(shadedList, 27041);
    auto* shadow = FindProperty<CPropCombo>(shadedList, 27050);
    ASSERT_TRUE(hatch && shadow);
    EXPECT_EQ(hatch->m_choices.GetSize(), 7);
    EXPECT_EQ(hatch->m_choices.GetChoice(0)->value, 99u);
    hatch->m_edited = 4;
    shadow->m_edited = 2;
    shadedList.ApplyAll();
    EXPECT_EQ(shaded.HatchStyle, 4);
    EXPECT_EQ(shaded.ShadowStyle, 2);
    shadedList.RestoreAll();
    EXPECT_EQ(shaded.HatchStyle, 99);
    EXPECT_EQ(shaded.ShadowStyle, 0);
}

TEST(DrawnObject, CollectedEditorsAreLinked)
{
    CHyperDrawOb object;
    object.PenWidth = 3;
    CPropObArray list;
    object.CollectProperties(list, FALSE);
    auto* width = FindProperty<CLinePropWidth>(list, 27174);
    auto* style = FindProperty<CLinePropStyle>(list, 27168);
    ASSERT_TRUE(width && style);
    style->m_edited = 1;
    style->OnValueChanged();
    EXPECT_EQ(width->m_edited, 1);

    auto* time = FindProperty<CPropCustDatetime>(list, 27472);
    auto* active = FindProperty<CPropAlarmActive>(list, 27473);
    ASSERT_TRUE(time && active);
    time->m_edited = "2h";
    time->OnValueChanged();
    EXPECT_EQ(active->m_edited, 1u);
    list.ApplyAll();
    EXPECT_EQ(object.AlarmActive, 1);
    EXPECT_EQ(object.GetAlarmTime(), CString("2h"));
    EXPECT_EQ(object.PenWidth, 1);
    EXPECT_EQ(object.PenStyle, 1);
}

TEST(DrawnObject, AlarmSignalRedrawsTheObject)
{
    CTestPageView view;
    CHyperDrawOb object;
    CRect rect(0, 0, 10, 10);
    object.Init(view, &rect, FALSE);
    size_t before = view.invalidated.size();
    object.SetAlarmSignal(TRUE);
    EXPECT_TRUE(object.GetAlarmSignal());
    EXPECT_EQ(view.invalidated.size(), before + 1);
}

// A 4 x 2 picture on a green background: red and blue dots on top, one red dot below.
std::vector<BYTE> AlarmPicture()
{
    const COLORREF g = RGB(0, 255, 0), r = RGB(255, 0, 0), b = RGB(0, 0, 255);
    return BitmapFile(4, 2, { g, r, g, b, g, g, r, g });
}

class AlarmSetting : public CShellServices {
public:
    int GetSettingInt(LPCTSTR key, int defaultValue) const override
    {
        return CString(key) == "Alarm.Showbitmap" ? show : defaultValue;
    }
    int show = 1;
};

TEST(DrawnObject, TheAlarmPictureShowsWithoutItsBackground)
{
    RegisterBinaryResource(ResourceKind::Bitmap, CHyperDrawOb::AlarmBitmapId, AlarmPicture());
    AlarmSetting setting;
    SetShellServices(&setting);
    CHyperDrawOb object;
    CRect rect(3, 2, 20, 20);
    object.Init(nullptr, &rect, FALSE);
    struct Case {
        const char* name;
        BOOL signal;
        int show;
        const char* art;
    };
    const Case cases[] = {
        { "signalling", TRUE, 1, "........\n........\n....r.b.\n.....r..\n" },
        { "not signalling", FALSE, 1, "........\n........\n........\n........\n" },
        { "switched off", TRUE, 0, "........\n........\n........\n........\n" },
    };
    for (const Case& c : cases) {
        Canvas canvas(8, 4);
        object.SetAlarmSignal(c.signal);
        setting.show = c.show;
        object.DrawAlarmBitmap(&canvas.dc);
        EXPECT_EQ(canvas.Art(), c.art) << c.name;
    }
    SetShellServices(nullptr);
}

} // namespace
