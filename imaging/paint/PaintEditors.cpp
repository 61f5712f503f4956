#include "imaging/paint/PaintEditors.h"

#include "controls/EditBitmapDlg.h"
#include "imaging/Dib.h"
#include "imaging/paint/PntBitmapEditDlg.h"

BOOL RunBitmapEditor(CDib& picture, COLORREF& transparent, CWnd* parent)
{
    CPntBitmapEditDlg editor(parent);
    CPntCtrl& ctrl = editor.GetPaintCtrl();
    if (picture.GetSize() && !ctrl.SetImage(&picture))
        return FALSE;
    if (transparent != CPntCtrl::NoColour) {
        ctrl.SetTransparencyColour(transparent);
        ctrl.EnableTransparency(TRUE);
    }
    if (editor.DoModal() != IDOK)
        return FALSE;
    transparent = ctrl.IsTransparencyOn() ? ctrl.GetTransparencyColour() : CPntCtrl::NoColour;
    return ctrl.GetImage(&picture);
}

void InstallPaintEditors() { SetBitmapEditor(RunBitmapEditor); }
