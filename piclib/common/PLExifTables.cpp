#include "piclib/common/PLExifTables.h"

#include "piclib/common/PLExifFormatters.h"

#include <iterator>

namespace {

using F = PLExifValueFormatter;

constexpr PLExifFormatRow formats[] = {
    { 1, "BYTE", 1, 0, F::Unsigned },
    { 2, "ASCII", 1, 0, F::Text },
    { 3, "SHORT", 2, 2, F::Unsigned },
    { 4, "LONG", 4, 4, F::Unsigned },
    { 5, "RATIONAL", 8, 4, F::UnsignedFraction },
    { 6, "SBYTE", 1, 0, F::Signed },
    { 7, "UNDEFINED", 1, 0, F::Bytes },
    { 8, "SSHORT", 2, 2, F::Signed },
    { 9, "SLONG", 4, 4, F::Signed },
    { 10, "SRATIONAL", 8, 4, F::SignedFraction },
    { 11, "FLOAT", 4, 0, F::Bytes },
    { 12, "DOUBLE", 8, 0, F::Bytes },
};

constexpr PLExifValueName resUnit[] = { { 1, "no-unit" }, { 2, "inch" }, { 3, "cm" } };

constexpr PLExifTagRow mainRows[] = {
    { 0x010E, "Desc", {}, nullptr, "Image Description" },
    { 0x010F, "Make", {}, nullptr, "Camera Make" },
    { 0x0110, "Model", {}, nullptr, "Camera Model" },
    { 0x0112, "Ori", {}, nullptr, "Orientation" },
    { 0x011A, "XRes", {}, nullptr, "X Resolution" },
    { 0x011B, "YRes", {}, nullptr, "Y Resolution" },
    { 0x0128, "ResUnit", resUnit, nullptr, "Resolution Unit" },
    { 0x0131, "Software", {}, nullptr, "Camera Software" },
    { 0x0132, "ModTime", {}, nullptr, "Last Modification" },
    { 0x013E, "WPoint", {}, nullptr, "White Point" },
    { 0x013F, "PrimChr", {}, nullptr, "Primary Chromaticities" },
    { 0x0211, "YCbCrCoef", {}, nullptr, "YCbCrCoefficients" },
    { 0x0213, "YCbCrPos", {}, nullptr, "YCbCrPositioning" },
    { 0x0214, "RefBW", {}, nullptr, "Reference Black/White point" },
    { 0x8298, "Copy", {}, nullptr, "Copyright" },
    { 0x8769, "ExifOffset", {}, nullptr, "Sub IFD Offset" },
};

constexpr PLExifValueName unitSeconds[] = { { PLExifUnitMarker, "s" } };
constexpr PLExifValueName unitMetres[] = { { PLExifUnitMarker, "m" } };
constexpr PLExifValueName unitMillimetres[] = { { PLExifUnitMarker, "mm" } };
constexpr PLExifValueName program[] = { { 1, "Manual" }, { 2, "Program" }, { 3, "Aperture priority" },
    { 4, "Shutter priority" }, { 5, "Slow" }, { 6, "Action" }, { 7, "Portrait" }, { 8, "Landscape" } };
constexpr PLExifValueName compression[] = { { 1, "Basic" }, { 2, "Normal" }, { 3, "Fine" }, { 4, "Fine" } };
constexpr PLExifValueName metering[] = { { 0, "Unknown" }, { 1, "Average" }, { 2, "Center weighted" },
    { 3, "Spot" }, { 4, "Multi-spot" }, { 5, "Multi-segment" }, { 6, "Partial" }, { 255, "Other" } };
constexpr PLExifValueName lights[] = { { 0, "Unknown/cloudy" }, { 1, "Daylight" }, { 2, "Fluorescent" },
    { 3, "Tungsten" }, { 10, "Flash" }, { 17, "Standard light A" }, { 18, "Standard light B" },
    { 19, "Standard light C" }, { 20, "D55" }, { 21, "D65" }, { 22, "D75" } };
constexpr PLExifValueName flash[] = { { 0, "No" }, { 1, "Yes" }, { 5, "Yes, no return detect" },
    { 7, "Yes, return detected" }, { 9, "Yes" }, { 16, "No forced" } };
constexpr PLExifValueName colorSpace[] = { { 1, "sRGB" }, { 65535, "Uncalibrated" } };
constexpr PLExifValueName planeUnit[]
    = { { 1, "inch" }, { 2, "inch" }, { 3, "centimeter" }, { 4, "milimemeter" }, { 5, "micrometer" } };
constexpr PLExifValueName senseMethod[] = { { 2, "1 chip color area" } };
constexpr PLExifValueName fileSource[] = { { 3, "Digital still camera" } };
constexpr PLExifValueName sceneType[] = { { 1, "Directly photographed" } };

constexpr PLExifTagRow subRows[] = {
    { 0x829A, "Shutter", unitSeconds, PLExifFormatExposureTime, "Exposure Time" },
    { 0x829D, "FStop", {}, PLExifFormatFNumber, "F-Stop" },
    { 0x8822, "Prog", program, nullptr, "Program" },
    { 0x8827, "Iso", {}, nullptr, "Equivalent ISO speed" },
    { 0x9000, "ExifVer", {}, nullptr, "Exif Version" },
    { 0x9003, "OrigTime", {}, nullptr, "Original Time" },
    { 0x9004, "DigTime", {}, nullptr, "Digitized Time" },
    { 0x9101, "CompConfig", {}, PLExifFormatComponents, "Components Configuration" },
    { 0x9102, "Bpp", compression, nullptr, "Average compression ratio" },
    { 0x9201, "Shuttera", {}, PLExifFormatShutterApex, "Shutter Speed" },
    { 0x9202, "Aperturea", {}, PLExifFormatApertureApex, "Aperture" },
    { 0x9203, "Brighta", {}, PLExifFormatDecimal, "Brightness APEX" },
    { 0x9204, "Expbiasa", {}, PLExifFormatDecimal, "Exposure Bias APEX" },
    { 0x9205, "Maxapa", {}, PLExifFormatApertureApex, "Maximum Aperture APEX" },
    { 0x9206, "Dist", unitMetres, PLExifFormatDecimal, "Subject Distance" },
    { 0x9207, "Meter", metering, nullptr, "Metering Mode" },
    { 0x9208, "Lights", lights, nullptr, "Light Source" },
    { 0x9209, "Flash", flash, nullptr, "Flash Used" },
    { 0x920A, "Focal", unitMillimetres, PLExifFormatDecimal, "Focal Length" },
    { 0x927C, "Maker", {}, nullptr, "Maker Note" },
    { 0x9286, "User", {}, nullptr, "User Comment" },
    { 0x9290, "STime", {}, nullptr, "Subsecond Time" },
    { 0x9291, "SOrigTime", {}, nullptr, "Subsecond Original Time" },
    { 0x9292, "SDigTime", {}, nullptr, "Subsecond Digitized Time" },
    { 0xA000, "Flashpix", {}, nullptr, "Flash Pix Version" },
    { 0xA001, "ColorSpace", colorSpace, nullptr, "Color Space" },
    { 0xA002, "Width", {}, nullptr, "Image Width" },
    { 0xA003, "Height", {}, nullptr, "Image Height" },
    { 0xA004, "SndFile", {}, nullptr, "Sound File" },
    { 0xA005, "ExifIntOff", {}, nullptr, "Exif Interoperability Offset" },
    { 0xA20E, "FPXRes", {}, PLExifFormatDecimal, "Focal Plane X Resolution" },
    { 0xA20F, "FPYRes", {}, PLExifFormatDecimal, "Focal Plane Y Resolution" },
    { 0xA210, "FPResUnit", planeUnit, nullptr, "Focal Plane Unit" },
    { 0xA215, "ExpIndex", {}, PLExifFormatDecimal, "Exposure Index" },
    { 0xA217, "SenseMethod", senseMethod, nullptr, "Sensing Method" },
    { 0xA300, "FileSource", fileSource, nullptr, "File Source" },
    { 0xA301, "SceneType", sceneType, nullptr, "Scene Type" },
    { 0xA302, "CFAPat", {}, nullptr, "CFA Pattern" },
};

} // namespace

const PLExifFormatRow* PLExifFormatOf(int code)
{
    if (code < 1 || code > static_cast<int>(std::size(formats)))
        return nullptr;
    return &formats[code - 1];
}

const PLExifTagRow* PLExifFindRow(PLExifTagTable table, uint32_t tag)
{
    for (const PLExifTagRow& row : table)
        if (row.tag == tag)
            return &row;
    return nullptr;
}

PLExifTagTable PLExifMainTable()
{
    return mainRows;
}

PLExifTagTable PLExifSubTable()
{
    return subRows;
}
