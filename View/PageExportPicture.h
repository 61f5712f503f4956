// The page drawn into a picture for the exports, and that picture written as JPEG, TIFF or
// BMP through the picture library.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CHyperRunView;
struct CExportOptions;

// What a rendering needs: the zoom as the list shows it, its factor and the resolution in
// dots per inch.
struct CPageRenderRequest {
    CString zoomText;
    double zoom = 1.0;
    int resolution = 120;
};

// Draws every object of the view's page into options.picture at the request's scale and sets
// the picture width and height. FALSE, with the picture left as it was and the size the
// picture would have had in megabytes, when it is too large to create.
BOOL RenderPagePicture(
    CHyperRunView& view, const CPageRenderRequest& request, CExportOptions& options, double& megabytes);

// Writes the picture in the format ("JPEG", "TIFF", "BMP") with the options' quality or
// compression. FALSE with the reason in `error`; an old file stays as it was then.
BOOL WriteExportPicture(const CExportOptions& options, const CString& format, const CString& path, CString& error);
