#include "controls/CatPropertiesDlg.h"

#include "controls/EditBitmapDlg.h"

BOOL CCatPropertiesDlg::EditBitmapProperty(CExtDib* bitmap, CHyperRunView*)
{
    return EditPictureCopy(bitmap, this, TRUE);
}
