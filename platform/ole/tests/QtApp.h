// Test programs of this folder share one offscreen Qt application.
#pragma once

void EnsureQtApplication();
