#include "objects/HyperObArray.h"

#include "objects/HyperVBPSOb.h"

CHyperObArray::~CHyperObArray()
{
    DeleteAll();
}

CHyperVBPSOb* CHyperObArray::GetObject(INT_PTR index) const
{
    return dynamic_cast<CHyperVBPSOb*>(GetAt(index));
}

void CHyperObArray::DeleteAll()
{
    if (m_ownsElements)
        for (INT_PTR i = 0; i < GetSize(); ++i)
            delete GetAt(i);
    RemoveAll();
}

template <typename Call>
INT_PTR CHyperObArray::Broadcast(Call call)
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (CHyperVBPSOb* object = GetObject(i))
            call(*object);
    return GetSize();
}

INT_PTR CHyperObArray::BroadcastPropertyChanged(UINT propertyId)
{
    return Broadcast([propertyId](CHyperVBPSOb& object) { object.OnPropertyChanged(propertyId); });
}

INT_PTR CHyperObArray::BroadcastUpdateLayout()
{
    return Broadcast([](CHyperVBPSOb& object) { object.UpdateLayout(2, FALSE); });
}

INT_PTR CHyperObArray::BroadcastSaveAsDefault()
{
    return Broadcast([](CHyperVBPSOb& object) { object.SaveAsDefault(); });
}
