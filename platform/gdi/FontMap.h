// Private to platform/gdi: LOGFONT to an installed font at the DC's scale.
#pragma once

#include "platform/gdi/GdiState.h"

#include <QFont>
#include <QFontMetrics>

namespace gdi {

QString FamilyFor(const LOGFONT& lf);
// The selected font at device size (unrotated).
QFont DeviceFont(const Dc& dc);
double Escapement(const Dc& dc);  // degrees counter-clockwise

}  // namespace gdi
