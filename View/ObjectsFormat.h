// Page objects in the private clipboard format "Quillon++ for MFC": a 16-bit count and each
// object's record, in one global block.
#pragma once

#include "platform/core/Types.h"

#include <memory>
#include <vector>

class CHyperOb;

// The registered number of the format.
UINT PrivateObjectFormat();

// A block with copies of the objects, their connections left out; the caller owns it.
HGLOBAL SaveObjectsToGlobal(const std::vector<const CHyperOb*>& objects);

// The objects of a block; none when it cannot be read whole.
std::vector<std::unique_ptr<CHyperOb>> LoadObjectsFromGlobal(HGLOBAL block);
