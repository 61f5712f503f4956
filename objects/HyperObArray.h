// The objects of a page. The page's own array owns its objects and deletes them; arrays
// that only refer to objects (selections) are made non-owning.
#pragma once

#include "platform/core/Arrays.h"

class CHyperVBPSOb;

class CHyperObArray : public CObArray {
public:
    explicit CHyperObArray(BOOL ownsElements = TRUE) : m_ownsElements(ownsElements) { }
    ~CHyperObArray() override;

    BOOL OwnsElements() const { return m_ownsElements; }
    CHyperVBPSOb* GetObject(INT_PTR index) const;

    // Deletes every element (when owning) and empties the array.
    virtual void DeleteAll();
    // Each broadcast calls every element, first to last, and returns the element count.
    virtual INT_PTR BroadcastPropertyChanged(UINT propertyId);
    virtual INT_PTR BroadcastUpdateLayout();
    virtual INT_PTR BroadcastSaveAsDefault();

private:
    template <typename Call>
    INT_PTR Broadcast(Call call);

    BOOL m_ownsElements;
};
