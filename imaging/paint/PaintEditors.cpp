#include "imaging/paint/PaintEditors.h"

#include "controls/EditBitmapDlg.h"
#include "imaging/Dib.h"
#include "imaging/paint/PntBitmapEditDlg.h"
#include "imaging/paint/PntIconEditDlg.h"

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

BOOL RunIconEditor(CDib& image, CDib& mask, CWnd* parent)
{
    CPntIconEditDlg editor(parent);
    if (!editor.SetIcon(&image, mask.GetSize() ? &mask : nullptr) || editor.DoModal() != IDOK)
        return FALSE;
    CPntCtrl& ctrl = editor.GetPaintCtrl();
    return ctrl.GetImage(&image) && ctrl.GetMask(&mask);
}

void InstallPaintEditors() { SetBitmapEditor(RunBitmapEditor); }
