#include "controls/BlobPropertiesDlg.h"

#include "View/HyperRunView.h"
#include "controls/NoteTextDlg.h"
#include "objects/HyperBaseOb.h"
#include "objects/PropText.h"

void CBlobPropertiesDlg::ExchangePropValue(BOOL save)
{
    CCatPropertiesDlg::ExchangePropValue(save);
    if (EditKindOf(m_current) != TextBlobKind)
        return;
    if (!save) {
        m_textBlobProperty = dynamic_cast<CPropStr*>(m_current);
        if (m_textBlobProperty)
            m_textValue = m_textBlobProperty->m_edited;
    } else if (m_textBlobProperty) {
        m_textBlobProperty->m_edited = m_textValue;
    }
}

void CBlobPropertiesDlg::EditPropValue()
{
    CCatPropertiesDlg::EditPropValue();
    if (EditKindOf(m_current) == TextBlobKind)
        EditTextBlob();
}

// Whatever closed the Notes dialog, the text buffer goes back to the property.
void CBlobPropertiesDlg::EditTextBlob()
{
    CNotesEditDlg dialog(m_textValue, IsTextReadOnly(), this);
    dialog.DoModal();
    ExchangeProperty(TRUE);
}

BOOL CBlobPropertiesDlg::IsTextReadOnly() const
{
    CHyperBaseOb* owner = GetOwnerObject();
    const CHyperRunView* view = owner ? owner->GetView() : dynamic_cast<CHyperRunView*>(GetOwnerView());
    return !view || !view->IsEditMode();
}
