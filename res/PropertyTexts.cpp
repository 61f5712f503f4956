// The texts of the property dialogs: property names, choices, editor buttons and captions.
#include "res/ResourceParts.h"

#include "platform/core/StringTable.h"

namespace {

struct Text {
    UINT id;
    const char* text;
};

constexpr Text kTexts[] = {
    {26625, "(None)"}, {26629, "<Default>"}, {26630, "<Browse Files>"}, {26631, "Automatic"},
    {26635, "/"}, {26636, "Multi-Selection"},
    {26639, "(List)"}, {26647, "%d Item(s)"}, {26653, "Font..."}, {26654, "File..."},
    {26655, "Bmp..."}, {26685, "(FormCode)"}, {26691, "More Colors..."}, {26692, "(Group)"},
    {26693, "(Group Code)"}, {26695, "Symbol"}, {27027, "Normal"}, {27028, "Events"},
    {27041, "Hatch Style"}, {27042, "None"}, {27049, "Rotate Angle"}, {27050, "Shadow Style"},
    {27136, "Left"}, {27137, "Right"}, {27138, "Top"}, {27139, "Bottom"},
    {27140, "Width"}, {27141, "Height"}, {27142, "(ObjectCode)"}, {27144, "Title"},
    {27151, "Colour..."}, {27152, "Colour"}, {27154, "Background Colour"}, {27155, "Foreground Colour"},
    {27158, "Font"}, {27160, "Alignment"}, {27161, "0 - Left"}, {27162, "1 - Center"},
    {27163, "2 - Right"}, {27168, "Line style\nLine Style"}, {27169, "Solid line (-----)\nSolid (-----)"},
    {27170, "Dash line (- - -)\nDash (- - -)"}, {27171, "Dot line (.....)\nDot (.....)"},
    {27172, "Dash-dot line (-.-.-)\nDash-dot (-.-.-)"}, {27173, "Dash-dot-dot line (-..-..)\nDash-dot-dot (-..-..)"},
    {27174, "Line width\nLine Width"}, {27175, "Border width\nBorder Width"},
    {27185, "Arrowhead type\nArrowhead Type"}, {27186, "None arrowhead (-----)\nNone (-----)"},
    {27187, "Right arrowhead (---->>)\nRight (---->>)"}, {27188, "Left arrowhead (<<----)\nLeft (<<----)"},
    {27189, "Both arrowhead (<<--->>)\nBoth (<<--->>)"}, {27219, "Time..."}, {27232, "Group"},
    {27256, "Event Pump Data"}, {27257, "Event Click"}, {27258, "Event Change"}, {27262, "Event Initialize"},
    {27264, "Bitmap"}, {27265, "Layout"}, {27279, "Local Variables"}, {27282, "Scroll Bars"},
    {27283, "Scroll Width"}, {27284, "Scroll Height"}, {27293, "Auto Record"}, {27294, "Report Lock"},
    {27295, "Print Scale"}, {27301, "None"}, {27302, "Top Left"}, {27303, "Top Right"},
    {27304, "Bottom Left"}, {27305, "Bottom Right"}, {27340, "Arrowhead Height"}, {27375, "Basic..."},
    {27380, "Help Context ID"}, {27381, "Tool Tip Text"}, {27382, "Cursor Pointer"}, {27390, "URL"},
    {27391, "Event"}, {27424, "0 - Default"}, {27425, "1 - Arrow"}, {27426, "2 - IBeam"},
    {27427, "3 - Cross"}, {27428, "4 - Up-Arrow"}, {27429, "5 - No Drop"}, {27430, "6 - Help"},
    {27431, "99 - Hot Spot"}, {27433, "Tag"}, {27440, "Anchors..."}, {27441, "Anchor Snaps"},
    {27453, "Layers..."}, {27454, "View Layers"},
    {27466, "EventDragOver"}, {27468, "EventDragDrop"}, {27472, "Alarm time"}, {27473, "Alarm active"},
    {27474, "Creation date"}, {27475, "On"}, {27476, "Off"}, {27477, "Alarm sound"}, {27478, "Over"},
    {27675, "Delete selected object(s)"},
    {26696, "1 - Yellow"}, {26697, "2 - Magenta"}, {26698, "3 - Cyan"}, {27051, "Is Wedge"},
    {27052, "Angle 1"}, {27053, "Angle 2"}, {27146, "0 - No"}, {27147, "1 - Yes"},
    {8012, "Normal"}, {8013, "Advanced"}, {27148, "Border Colour"}, {27156, "Hilite Colour"}, {27157, "Text"}, {27164, "Orientation"},
    {27165, "1 - Vertical Up"}, {27166, "0 - Horizontal"}, {27167, "2 - Vertical Down"}, {27196, "4 - Disable"},
    {27203, "Border Style"}, {27204, "0 - Normal"}, {27205, "1 - 3D"}, {27206, "2 - Sunken"},
    {27207, "3 - Raised"}, {27243, "Minimize Box"}, {27244, "Maximize Box"}, {27245, "Border Style"},
    {27246, "0 - Thin"}, {27247, "1 - Resizing"}, {27285, "Whats This Help"}, {27292, "2 - Detach"},
};

} // namespace

void RegisterPropertyTexts()
{
    for (const Text& text : kTexts)
        RegisterStringResource(text.id, text.text);
}
