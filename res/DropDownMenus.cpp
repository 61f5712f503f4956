// The menus behind the split buttons of the Layout bar and of the Standard bar's Catalog and
// Project Manager buttons.
#include "res/ResourceParts.h"

#include "platform/ui/Resources.h"

void RegisterDropDownMenus()
{
    RegisterMenuResource(28567, {Command(60417, "Align &Left"), Command(60418, "Align &Right"),
                                 Command(60419, "Align &Top"), Command(60420, "Align &Bottom"), Separator(),
                                 Command(60425, "&Horizontal Centers"), Command(60426, "&Vertical Centers")});
    RegisterMenuResource(28568, {Command(60423, "Center &Horizontally"), Command(60424, "Center &Vertically")});
    RegisterMenuResource(28569, {Command(60421, "Space &Across"), Command(60422, "Space &Down")});
    RegisterMenuResource(28570, {Command(60429, "&Both"), Command(60428, "&Height"), Command(60427, "&Width")});
    RegisterMenuResource(28572, {Command(60565, "&Group"), Command(60566, "&Ungroup"), Command(60567, "&Regroup")});
    RegisterMenuResource(256, {Command(60548, "&Free Rotate"), Command(60558, "Rotate &Right"),
                               Command(60557, "&Unrotate")});
    RegisterMenuResource(28573, {Command(33968, "&Show Catalog Manager"), Separator(), Command(60679, "&New Catalog"),
                                 Command(60680, "&Open Catalog..."), Command(60681, "&Close Catalog")});
    RegisterMenuResource(28574, {Command(33969, "&Show Project Manager"), Separator(),
                                 Command(23020, "&New Project..."), Command(23021, "&Open Project..."),
                                 Command(23029, "&Save Project"), Command(23022, "&Close Project")});
}
