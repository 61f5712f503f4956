// A page turned into files for use outside the editor: the picture the export options hand
// back, the names the exports offer and the web page with its image map.
#pragma once

#include "imaging/OXDib.h"
#include "platform/core/String.h"

class CDocument;
class CHyperObArray;

// What the export options dialog hands back after OK.
struct CExportOptions {
    CString format = "JPEG"; // "JPEG", "TIFF" or "BMP"
    CString zoomText = "100"; // percent, "%" after it or not
    int jpegQuality = 100;
    WORD tiffCompression = 32773; // PackBits, what the TIFF options preselect
    COXDIB picture; // the page at the zoom; empty when rendering failed
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// The zoom text as a factor: "50%" and "50" give 0.5, a number that reads 0 gives 1, a
// negative one counts as positive.
double ExportZoomFactor(const CString& zoomText);

// The name an export offers before its extension: the document's path without the extension
// of its file name, or for a document without a path its title made fit for a file name.
CString ExportBaseName(const CDocument& document);

// Text made safe to stand in an HTML attribute or element.
CString HtmlEscape(const CString& text);

// The link of an object for the image map: for a member of a group the link of the member
// that holds the group's record, else its own.
CString ExportLinkOf(const CHyperObArray& objects, INT_PTR index);

// One area line per linked object in page order (the top of the stacking order first), the
// rectangles scaled by the zoom factor; empty when no object carries a link.
CString BuildImageMapAreas(const CHyperObArray& objects, double zoom);

// The web page text with "\n" line breaks; with areas the picture uses the map.
CString BuildWebPage(
    const CString& title, const CString& pictureName, const CString& areas, int width, int height);

// Writes text with every line break as CR LF, replacing the file only once it is complete.
BOOL WriteTextFileCrLf(const CString& path, const CString& text);
