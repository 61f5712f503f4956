#include "piclib/common/PLFilter.h"

#include "piclib/common/PLAnyBmp.h"

void PLFilter::ApplyInPlace(PLBmp& bmp) const
{
    PLAnyBmp result;
    Apply(bmp, result);
    bmp.CopyFrom(result, 0);
}

void PLFilter::Apply(const PLBmpBase& source, PLBmp& destination) const
{
    if (&source != &destination)
        destination.CopyFrom(source, 0);
    ApplyInPlace(destination);
}
