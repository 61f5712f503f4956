// Private to platform/ole: clipboard content as Qt's MIME data and back, for drags.
#pragma once

#include "platform/ole/ClipSource.h"

class QMimeData;

namespace ole {

// A new QMimeData offering the source; the caller (or Qt) owns it.
QMimeData* MimeOfSource(std::shared_ptr<ClipSource> source);
// The source a QMimeData carries: ours directly, anyone else's through its types.
std::shared_ptr<ClipSource> SourceOfMime(const QMimeData* mime);

} // namespace ole
