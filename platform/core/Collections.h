// All collection classes.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Lists.h"
#include "platform/core/Maps.h"
