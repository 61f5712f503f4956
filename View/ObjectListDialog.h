// The object tab order dialog as the editing view runs it. The dialog is built by the dialogs
// layer, which installs its runner here; without one the command changes nothing.
#pragma once

#include "platform/core/Types.h"

class CHyperView;

// Runs the dialog modally on the view's objects; returns the dialog's result.
using ObjectListRunner = INT_PTR (*)(CHyperView* view);
void SetObjectListRunner(ObjectListRunner runner);
ObjectListRunner GetObjectListRunner();
