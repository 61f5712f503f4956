// The view layer of the formatting commands: bold, italic, alignment, line width and style,
// arrowheads, hatch and shadow styles and colours, applied to the typed properties of the
// primary selection and every other selected object as one undo step (or, with nothing
// selected, to the defaults of new objects), with update handlers that show the selection's
// state, indeterminate when the objects disagree.
#pragma once

#include "View/FreeHandView.h"

#include <functional>
#include <vector>

class CHyperBaseOb;
class CPropOb;
struct CHARFORMAT;
struct NMHDR;

class CHyperFmtView : public CFreeHandView {
    DECLARE_DYNCREATE(CHyperFmtView)
public:
    // Property ids: the string ids of the property names.
    static constexpr UINT HatchStyleId = 27041;
    static constexpr UINT ShadowStyleId = 27050;
    static constexpr UINT TextColorId = 27153;
    static constexpr UINT BackColorId = 27154;
    static constexpr UINT ForeColorId = 27155;
    static constexpr UINT FontId = 27158;
    static constexpr UINT AlignmentId = 27160;
    static constexpr UINT LineStyleId = 27168;
    static constexpr UINT LineWidthId = 27174;
    static constexpr UINT BorderWidthId = 27175;
    static constexpr UINT ArrowheadId = 27185;
    static constexpr UINT LayoutId = 27265;
    static constexpr int NoAlternate = -1;
    static constexpr int NoHatch = 99;
    // Commands.
    static constexpr UINT CmdBold = 60580;
    static constexpr UINT CmdItalic = 60581;
    static constexpr UINT CmdForeColor = 60551;
    static constexpr UINT CmdBackColor = 60550;
    static constexpr UINT CmdForeAutomatic = 60619;
    static constexpr UINT CmdForeMoreColors = 60620;
    static constexpr UINT CmdBackAutomatic = 60621;
    static constexpr UINT CmdBackMoreColors = 60622;
    static constexpr UINT ForeColorSelector = 60610;
    static constexpr UINT BackColorSelector = 60611;
    static constexpr UINT FontNameBox = 33954;
    static constexpr UINT FontSizeBox = 60553;
    static constexpr COLORREF Automatic = static_cast<COLORREF>(-1);
    static constexpr int NotCollected = -2;

    enum class FontModifier { Bold, Italic };
    // A change that a first one brings along: a wider line is solid, a dashed line 1 wide.
    enum class LinkedChange { None, SolidUnlessWidthOne, WidthOneUnlessSolid };
    // A comparator records the first holder's property (first TRUE) and gives its check
    // state; for later holders 2 means the selection disagrees.
    using Comparator = std::function<int(CPropOb* property, BOOL first)>;

    CHyperFmtView() = default;

    long ApplyLongProperty(long value, UINT id, int alternate, BOOL query);
    int ApplyIntProperty(int value, UINT id, int alternate, BOOL query);
    // A bold or italic toggle, or the face, character set and size a font box chose.
    void ApplyFont(const FontModifier* modifier, const CHARFORMAT* format = nullptr);
    // The character format the selection agrees on, as the font boxes show it.
    void GetSelectionCharFormat(CHARFORMAT* format);
    int UpdateFromSelection(CCmdUI* cmdUI, const Comparator& comparator, UINT id, int alternate, BOOL* found);
    // An editor bound to a default of new objects, or NULL when the defaults lack it.
    virtual CPropOb* CreateFormatProperty(UINT id);

    void OnValueItem(UINT id);
    void OnUpdateValueItem(CCmdUI* cmdUI);
    void OnCycleButton(UINT id);
    void OnUpdateCycleButton(CCmdUI* cmdUI);
    void OnBold();
    void OnItalic();
    void OnUpdateBold(CCmdUI* cmdUI);
    void OnUpdateItalic(CCmdUI* cmdUI);
    void OnColorCommand(UINT id);
    void OnUpdateColorCommand(CCmdUI* cmdUI);
    // Notifications of the font boxes and the colour selectors of the command bars.
    // The font boxes are enabled while a target holds a font.
    void OnUpdateFontBox(CCmdUI* cmdUI);
    void OnFontQuery(UINT id, NMHDR* header, LRESULT* result);
    void OnFontExecute(UINT id, NMHDR* header, LRESULT* result);
    void OnColorSelector(UINT id, NMHDR* header, LRESULT* result);

    COLORREF m_colorCache = static_cast<COLORREF>(NotCollected);
    int m_widthCache = NotCollected;
    int m_styleCache = NotCollected;
    LOGFONT m_fontCache{};
    COLORREF m_currentForeColor = Automatic;
    COLORREF m_currentBackColor = Automatic;

protected:
    // The objects a command changes: the primary target first (NULL: the defaults), then the
    // other selected objects.
    std::vector<CHyperBaseOb*> GetTargets() const;
    CPropOb* FindProperty(CHyperBaseOb* target, UINT id, int alternate);
    template <typename Set>
    void ApplyProperty(UINT id, int alternate, Set set);
    long QueryProperty(UINT id, int alternate, BOOL asInt);
    // A second change that belongs to the same undo step as the first.
    void ApplyLinked(UINT id, int alternate, long value, BOOL asInt);
    void ApplyWithLink(int value, UINT property, int alternate, BOOL asInt, LinkedChange link);
    int UpdateValue(CCmdUI* cmdUI, UINT id, int alternate, long itemValue, BOOL asInt);
    void ApplyColor(BOOL foreground);
    void UpdateFontAttribute(CCmdUI* cmdUI, BOOL (*attribute)(const LOGFONT&));
    // The font a font property holds, from its text form.
    static LOGFONT FontOf(CPropOb* property);
    // The font text under that property is drawn in: its own, or the page's or the program's
    // where it names no face.
    LOGFONT ShownFontOf(CPropOb* property);
    void ChooseMoreColors(BOOL foreground);

    DECLARE_MESSAGE_MAP()
};
