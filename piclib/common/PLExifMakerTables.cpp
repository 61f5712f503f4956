#include "piclib/common/PLExifMakerTables.h"

#include "piclib/common/PLExifFormatters.h"

namespace {

constexpr PLExifValueName word[] = { { PLExifWordMarker, nullptr } };
constexpr PLExifValueName unitMetres[] = { { PLExifUnitMarker, "m" } };
constexpr PLExifValueName unitMillimetres[] = { { PLExifUnitMarker, "mm" } };
constexpr PLExifValueName unitTimes[] = { { PLExifUnitMarker, "x" } };

constexpr PLExifTagRow nikonRows[] = {
    { 0x0002, "ISO", {}, nullptr, "Nikon ISO Setting" },
    { 0x0003, "Color", word, nullptr, "Nikon Color Mode" },
    { 0x0004, "Quality", word, nullptr, "Nikon Quality" },
    { 0x0005, "WhiteBal", word, nullptr, "Nikon White Balance" },
    { 0x0006, "Sharp", word, nullptr, "Nikon Image Sharpening" },
    { 0x0007, "Focus", word, nullptr, "Nikon Focus Mode" },
    { 0x0008, "Flash", word, nullptr, "Nikon Flash" },
    { 0x0009, "FlashMode", word, nullptr, "Nikon Flash Mode" },
    { 0x000F, "ISOSel", word, nullptr, "Nikon ISO Selection" },
    { 0x0080, "ImgAdjust", word, nullptr, "Nikon Image Adjustment" },
    { 0x0082, "Adapter", word, nullptr, "Nikon Adapter Setting" },
    { 0x0084, "Lens", word, nullptr, "Nikon Lens" },
    { 0x0085, "ManFocus", unitMetres, PLExifFormatDecimal, "Nikon Manual Focus Distance" },
    { 0x0086, "DigZoom", unitTimes, PLExifFormatDecimal, "Nikon Digital Zoom" },
    { 0x0088, "AFPos", {}, nullptr, "Nikon Auto Focus Position" },
};

constexpr PLExifValueName nikon2Quality[]
    = { { 1, "VGA Basic" }, { 2, "VGA Normal" }, { 3, "VGA Fine" }, { 4, "SXGA Basic" }, { 5, "SXGA Normal" },
          { 6, "SXGA Fine" }, { 12, "UXGA Fine" }, { 20, "HI (Uncompressed)" } };
constexpr PLExifValueName nikon2Color[] = { { 1, "Colour" }, { 2, "Monochrome" } };
constexpr PLExifValueName nikon2ImgAdjust[]
    = { { 0, "Normal" }, { 1, "Bright+" }, { 2, "Bright-" }, { 3, "Contrast+" }, { 4, "Contrast-" } };
constexpr PLExifValueName nikon2CCDSens[] = { { 0, "80" }, { 2, "160" }, { 4, "320" }, { 5, "100" } };
constexpr PLExifValueName nikon2WhiteBal[] = { { 0, "Auto" }, { 1, "Preset" }, { 2, "Daylight" },
    { 3, "Incandescent" }, { 4, "Flourescent" }, { 5, "Cloudy" }, { 6, "SpeedLight" } };
constexpr PLExifValueName nikon2Converter[] = { { 0, "None" }, { 1, "Fisheye" } };
constexpr PLExifTagRow nikon2Rows[] = {
    { 0x0002, "Unknown0002", {}, nullptr, "Nikon Unknown (0002)" },
    { 0x0003, "Quality", nikon2Quality, nullptr, "Nikon Quality" },
    { 0x0004, "Color", nikon2Color, nullptr, "Nikon Color Mode" },
    { 0x0005, "ImgAdjust", nikon2ImgAdjust, nullptr, "Nikon Image Adjustment" },
    { 0x0006, "CCDSens", nikon2CCDSens, nullptr, "Nikon ISO Setting" },
    { 0x0007, "WhiteBal", nikon2WhiteBal, nullptr, "Nikon White Balance" },
    { 0x0008, "Focus", {}, PLExifFormatDecimal, "Nikon Focus" },
    { 0x0009, "Unknown0009", {}, nullptr, "Nikon Unknown (0009)" },
    { 0x000A, "DigZoom", unitTimes, PLExifFormatDecimal, "Nikon Digital Zoom" },
    { 0x000B, "Converter", nikon2Converter, nullptr, "Nikon Converter" },
    { 0x0F00, "Unknown0F00", {}, nullptr, "Nikon Unknown (0F00)" },
};

constexpr PLExifValueName olympusQuality[] = { { 1, "SQ" }, { 2, "HQ" }, { 3, "SHQ" } };
constexpr PLExifValueName olympusMacro[] = { { 0, "Normal" }, { 1, "Macro" } };
constexpr PLExifValueName olympusFlash[] = { { 0, "On" }, { 1, "Red-eye" }, { 2, "Fill" }, { 2, "Off" } };
constexpr PLExifValueName olympusSharp[] = { { 0, "Normal" }, { 1, "Hard" }, { 2, "Soft" } };
constexpr PLExifTagRow olympusRows[] = {
    { 0x0200, "SpcMode", {}, nullptr, "Olympus Special Mode" },
    { 0x0201, "Quality", olympusQuality, nullptr, "Olympus JPG Quality" },
    { 0x0202, "Macro", olympusMacro, nullptr, "Olympus Macro" },
    { 0x0204, "DigZoom", unitTimes, PLExifFormatDecimal, "Olympus Digital Zoom" },
    { 0x0207, "Software", {}, nullptr, "Olympus Software" },
    { 0x0209, "CameraID", {}, nullptr, "Olympus Camera ID" },
    { 0x1004, "Flash", olympusFlash, nullptr, "Olympus Flash Mode" },
    { 0x100F, "Sharp", olympusSharp, nullptr, "Olympus Sharpness Mode" },
    { 0x102A, "SharpScale", {}, nullptr, "Olympus Sharpness" },
};

constexpr PLExifTagRow canonRows[] = {
    { 0x0001, "CnSet1", {}, nullptr, "Canon Settings 1" },
    { 0x0004, "CnSet2", {}, nullptr, "Canon Settings 2" },
    { 0x0006, "ImageType", {}, nullptr, "Canon Image Type" },
    { 0x0007, "Software", {}, nullptr, "Canon Firmware Version" },
    { 0x0008, "ImageNo", {}, PLExifFormatCanonImageNumber, "Canon Image Number" },
    { 0x0009, "Owner", {}, nullptr, "Canon Owner Name" },
    { 0x000C, "SerialNo", {}, PLExifFormatCanonSerialNumber, "Canon Serial Number" },
    { 0x000F, "CustomFnc", {}, nullptr, "Canon Custom Functions" },
};

constexpr PLExifValueName canonSet1Macro[] = { { 1, "Macro" }, { 2, "Off" } };
constexpr PLExifValueName canonSet1Flash[] = { { 0, "Off" }, { 1, "Auto" }, { 2, "On" }, { 3, "Red-eye" },
    { 4, "Slow" }, { 5, "Auto + red-eye" }, { 6, "On + red-eye" }, { 16, "External" } };
constexpr PLExifValueName canonSet1Drive[] = { { 0, "Single/self timer" }, { 1, "Continuous" } };
constexpr PLExifValueName canonSet1Focus[] = { { 0, "One-shot" }, { 1, "AI servo" }, { 2, "AI Focus" },
    { 3, "Manual" }, { 4, "Single" }, { 5, "Continuous" }, { 6, "Manual" } };
constexpr PLExifValueName canonSet1ImgSize[] = { { 0, "Large" }, { 1, "Medium" }, { 2, "Small" } };
constexpr PLExifValueName canonSet1Shoot[] = { { 0, "Full auto" }, { 1, "Manual" }, { 2, "Landscape" },
    { 3, "Fast shutter" }, { 4, "Slow shutter" }, { 5, "Night" }, { 6, "B & W" }, { 7, "Sepia" },
    { 8, "Portrait" }, { 9, "Sports" }, { 10, "Macro" }, { 11, "Pan Focus" } };
constexpr PLExifValueName canonSet1Contrast[] = { { 65535, "Low" }, { 0, "Normal" }, { 1, "High" } };
constexpr PLExifValueName canonSet1Saturation[] = { { 65535, "Low" }, { 0, "Normal" }, { 1, "High" } };
constexpr PLExifValueName canonSet1Sharpness[] = { { 65535, "Low" }, { 0, "Normal" }, { 1, "High" } };
constexpr PLExifValueName canonSet1ISO[] = { { 0, "Not supplied use EXIF tag" }, { 15, "Auto" }, { 16, "50" },
    { 17, "100" }, { 18, "200" }, { 19, "400" } };
constexpr PLExifValueName canonSet1Metering[]
    = { { 3, "Evaluative" }, { 4, "Partial" }, { 5, "Center-weighted" } };
constexpr PLExifValueName canonSet1AFPoint[] = { { 12288, "MF" }, { 12289, "Auto selected" },
    { 12290, "Right" }, { 12291, "Center" }, { 12292, "Left" } };
constexpr PLExifTagRow canonSet1Rows[] = {
    { 0x0001, "Macro", canonSet1Macro, nullptr, "Canon Macro Mode" },
    { 0x0004, "Flash", canonSet1Flash, nullptr, "Canon Flash Mode" },
    { 0x0005, "Drive", canonSet1Drive, nullptr, "Canon Drive Mode" },
    { 0x0007, "Focus", canonSet1Focus, nullptr, "Canon Focus Mode" },
    { 0x000A, "ImgSize", canonSet1ImgSize, nullptr, "Canon Image Size" },
    { 0x000B, "Shoot", canonSet1Shoot, nullptr, "Canon Easy Shooting Mode" },
    { 0x000D, "Contrast", canonSet1Contrast, nullptr, "Canon Contrast Setting" },
    { 0x000E, "Saturation", canonSet1Saturation, nullptr, "Canon Saturation Setting" },
    { 0x000F, "Sharpness", canonSet1Sharpness, nullptr, "Canon Sharpness Setting" },
    { 0x0010, "ISO", canonSet1ISO, nullptr, "Canon ISO" },
    { 0x0011, "Metering", canonSet1Metering, nullptr, "Canon Metering mode" },
    { 0x0013, "AFPoint", canonSet1AFPoint, nullptr, "Canon AutoFocus Point" },
    { 0x0014, "ExpMode", {}, nullptr, "Canon Exposure Mode" },
    { 0x0017, "LongFocal", {}, nullptr, "Canon Long Focal Length" },
    { 0x0018, "ShortFocal", {}, nullptr, "Canon Short Focal Length" },
    { 0x0019, "FocalUnits", {}, nullptr, "Canon Focal Units per mm" },
    { 0x001D, "FlashDet", {}, PLExifFormatCanonFlashDetails, "Canon Flash Details" },
    { 0x0020, "FocusMode", {}, nullptr, "Canon Focus Mode" },
};

constexpr PLExifValueName canonSet2WhiteBal[] = { { 0, "Auto" }, { 1, "Sunny" }, { 2, "Cloudy" },
    { 3, "Tungsten" }, { 4, "Flourescent" }, { 5, "Flash" }, { 6, "Custom" } };
constexpr PLExifValueName canonSet2FlashBias[]
    = { { 65472, "-2 EV" }, { 65484, "-1.67 EV" }, { 65488, "-1.50 EV" }, { 65492, "-1.33 EV" },
          { 65504, "-1 EV" }, { 65516, "-0.67 EV" }, { 65520, "-0.50 EV" }, { 65524, "-0.33 EV" },
          { 0, "0 EV" }, { 12, "0.33 EV" }, { 16, "0.50 EV" }, { 20, "0.67 EV" }, { 32, "1 EV" },
          { 44, "1.33 EV" }, { 48, "1.50 EV" }, { 52, "1.67 EV" }, { 64, "2 EV" } };
constexpr PLExifTagRow canonSet2Rows[] = {
    { 0x0007, "WhiteBal", canonSet2WhiteBal, nullptr, "Canon White Balance" },
    { 0x0009, "SeqNo", {}, nullptr, "Canon Continuous Frame" },
    { 0x000E, "AF Point", {}, PLExifFormatCanonFocusPoint, "Canon Focus Point" },
    { 0x000F, "FlashBias", canonSet2FlashBias, nullptr, "Canon Flash Bias" },
    { 0x0013, "SubjectDist", {}, nullptr, "Canon Subject Distance (0.01m or 0.001m)" },
};

constexpr PLExifValueName canonCustomNoiseRed[] = { { 0, "Off" }, { 1, "On" } };
constexpr PLExifValueName canonCustomLock[]
    = { { 0, "AF/AE Lock" }, { 1, "AE Lock/AF" }, { 2, "AF/AF Lock" }, { 3, "AE+release/AE+AF" } };
constexpr PLExifValueName canonCustomMirrorLock[] = { { 0, "Disable" }, { 1, "Enable" } };
constexpr PLExifValueName canonCustomTVAVexp[] = { { 0, "1/2 stop" }, { 1, "1/3 stop" } };
constexpr PLExifValueName canonCustomAFassist[]
    = { { 0, "On (auto)" }, { 1, "Off" }, { 2, "External only" } };
constexpr PLExifValueName canonCustomShuttAv[] = { { 0, "Auto" }, { 1, "1/200(fixed)" } };
constexpr PLExifValueName canonCustomAEBSeq[]
    = { { 0, "0,-,+/Enabled" }, { 1, "0,-,+/Disabled" }, { 2, "-,0,+/Enabled" }, { 3, "-,0,+/Disabled" } };
constexpr PLExifValueName canonCustomShuttSync[] = { { 0, "1st-curtain sync" }, { 1, "2nd-curtain sync" } };
constexpr PLExifValueName canonCustomAFStop[]
    = { { 0, "AF Stop" }, { 1, "Operate AF" }, { 2, "Lock AE & start timer" } };
constexpr PLExifValueName canonCustomFillReduce[] = { { 0, "Enable" }, { 1, "Disable" } };
constexpr PLExifValueName canonCustomMenuButt[]
    = { { 0, "Top" }, { 1, "Previous(volatile)" }, { 2, "Previous" } };
constexpr PLExifValueName canonCustomSetButt[]
    = { { 0, "Not assigned" }, { 1, "Change quality" }, { 2, "Change ISO" }, { 3, "Select Params" } };
constexpr PLExifValueName canonCustomSensClean[] = { { 0, "Disable" }, { 1, "Enable" } };
constexpr PLExifTagRow canonCustomRows[] = {
    { 0x0001, "NoiseRed", canonCustomNoiseRed, nullptr, "Canon CFn 01 Long exp noise reduction" },
    { 0x0002, "Lock", canonCustomLock, nullptr, "Canon CFn 02 Shutter/AE lock buttons" },
    { 0x0003, "MirrorLock", canonCustomMirrorLock, nullptr, "Canon CFn 03 Mirror lockup   " },
    { 0x0004, "TVAVexp", canonCustomTVAVexp, nullptr, "Canon CFn 04 Tv/Av & exposure level" },
    { 0x0005, "AFassist", canonCustomAFassist, nullptr, "Canon CFn 05 AF-assist light" },
    { 0x0006, "ShuttAv", canonCustomShuttAv, nullptr, "Canon CFn 06 Shutter speed in Av mode" },
    { 0x0007, "AEBSeq", canonCustomAEBSeq, nullptr, "Canon CFn 07 AEB Sequence/auto cancel" },
    { 0x0008, "ShuttSync", canonCustomShuttSync, nullptr, "Canon CFn 08 Shutter curtain sync" },
    { 0x0009, "AFStop", canonCustomAFStop, nullptr, "Canon CFn 09 Lens AF stop button switch" },
    { 0x000A, "FillReduce", canonCustomFillReduce, nullptr, "Canon CFn 10 Fill flash auto reduction" },
    { 0x000B, "MenuButt", canonCustomMenuButt, nullptr, "Canon CFn 11 Menu button return pos" },
    { 0x000C, "SetButt", canonCustomSetButt, nullptr, "Canon CFn 12 SET button when shooting" },
    { 0x000D, "SensClean", canonCustomSensClean, nullptr, "Canon CFn 13 Sensor cleaning   " },
};

constexpr PLExifValueName fujiSharpness[]
    = { { 1, "Soft" }, { 2, "Soft" }, { 3, "Normal" }, { 4, "Hard" }, { 5, "Hard" } };
constexpr PLExifValueName fujiWhiteBal[] = { { 0, "Auto" }, { 256, "Daylight" }, { 512, "Cloudy" },
    { 768, "DaylightColor-fluorescent" }, { 769, "DaywhiteColor-fluorescent" }, { 770, "White-fluorescent" },
    { 1024, "Incandescent" }, { 3840, "Custom" } };
constexpr PLExifValueName fujiColor[]
    = { { 0, "Normal" }, { 256, "High" }, { 512, "Low" }, { 768, "Black & White" } };
constexpr PLExifValueName fujiContrast[] = { { 0, "Normal" }, { 256, "High" }, { 512, "Low" } };
constexpr PLExifValueName fujiFlashMode[] = { { 0, "Auto" }, { 1, "On" }, { 2, "Off" }, { 3, "Red-eye" } };
constexpr PLExifValueName fujiMacro[] = { { 0, "Off" }, { 1, "On" } };
constexpr PLExifValueName fujiFocus[] = { { 0, "Auto" }, { 1, "Manual" } };
constexpr PLExifValueName fujiSlowSnyc[] = { { 0, "Off" }, { 1, "On" } };
constexpr PLExifValueName fujiPicture[] = { { 0, "Auto" }, { 1, "Portrait" }, { 2, "Landscape" },
    { 4, "Sports" }, { 5, "Night" }, { 6, "Program AE" }, { 256, "Aperture Prior AE" },
    { 512, "Shutter Prior AE" }, { 768, "Manual exposure" } };
constexpr PLExifValueName fujiSequence[] = { { 0, "Off" }, { 1, "On" } };
constexpr PLExifValueName fujiBlurWarn[] = { { 0, "OK" }, { 1, "Warning" } };
constexpr PLExifValueName fujiFocusWarn[] = { { 0, "OK" }, { 1, "Warning" } };
constexpr PLExifValueName fujiAEWarn[] = { { 0, "OK" }, { 1, "Over-exposed" } };
constexpr PLExifTagRow fujiRows[] = {
    { 0x0000, "Version", {}, nullptr, "Fuji Version" },
    { 0x1000, "Quality", word, nullptr, "Fuji Quality" },
    { 0x1001, "Sharpness", fujiSharpness, nullptr, "Fuji Sharpness" },
    { 0x1002, "WhiteBal", fujiWhiteBal, nullptr, "Fuji White Balance" },
    { 0x1003, "Color", fujiColor, nullptr, "Fuji Color" },
    { 0x1004, "Contrast", fujiContrast, nullptr, "Fuji Tone" },
    { 0x1010, "FlashMode", fujiFlashMode, nullptr, "Fuji Flash Mode" },
    { 0x1011, "FlashStrg", {}, PLExifFormatDecimal, "Fuji Flash Strength APEX" },
    { 0x1020, "Macro", fujiMacro, nullptr, "Fuji Macro Mode" },
    { 0x1021, "Focus", fujiFocus, nullptr, "Fuji Focus Mode" },
    { 0x1022, "Unknown1022", {}, nullptr, "Fuji Unknown (1022)" },
    { 0x1023, "Unknown1023", {}, nullptr, "Fuji Unknown (1023)" },
    { 0x1030, "SlowSnyc", fujiSlowSnyc, nullptr, "Fuji Slow Sync" },
    { 0x1031, "Picture", fujiPicture, nullptr, "Fuji Exposure Mode" },
    { 0x1032, "Unknown1032", {}, nullptr, "Fuji Unknown (1032)" },
    { 0x1100, "Sequence", fujiSequence, nullptr, "Fuji Sequence Mode" },
    { 0x1101, "Unknown1101", {}, nullptr, "Fuji Unknown (1101)" },
    { 0x1200, "Unknown1200", {}, nullptr, "Fuji Unknown (1200)" },
    { 0x1300, "BlurWarn", fujiBlurWarn, nullptr, "Fuji Blur Warning" },
    { 0x1301, "FocusWarn", fujiFocusWarn, nullptr, "Fuji Focus Warning" },
    { 0x1302, "AEWarn", fujiAEWarn, nullptr, "Fuji Exposure Warning" },
};

constexpr PLExifValueName casioRecordMode[] = { { 1, "Single Shutter" }, { 2, "Panorama" },
    { 3, "Night Scene" }, { 4, "Portrait" }, { 5, "Landscape" }, { 7, "Panorama" }, { 10, "Night Scene" },
    { 15, "Portrait" }, { 16, "Landscape" } };
constexpr PLExifValueName casioQuality[] = { { 1, "Economy" }, { 2, "Normal" }, { 3, "Fine" } };
constexpr PLExifValueName casioFocusMode[]
    = { { 2, "Macro" }, { 3, "Auto Focus" }, { 4, "Manual Focus" }, { 5, "Infinity" } };
constexpr PLExifValueName casioFlashMode[]
    = { { 1, "Auto" }, { 2, "On" }, { 3, "Off" }, { 4, "Off" }, { 5, "Red Eye Reduction" } };
constexpr PLExifValueName casioFlasIntense[]
    = { { 11, "Weak" }, { 13, "Normal" }, { 14, "High" }, { 15, "Strong" } };
constexpr PLExifValueName casioWhiteBal[] = { { 1, "Auto" }, { 2, "Tungsten" }, { 3, "Daylight" },
    { 4, "Fluorescent" }, { 5, "Shade" }, { 9, "Manual" } };
constexpr PLExifValueName casioDigZoom[]
    = { { 65536, "Off" }, { 65537, "2X" }, { 131072, "2X" }, { 262144, "4X" } };
constexpr PLExifValueName casioSharpness[] = { { 0, "Normal" }, { 1, "Soft" }, { 2, "Hard" } };
constexpr PLExifValueName casioContrast[] = { { 0, "Normal" }, { 1, "Low" }, { 2, "High" } };
constexpr PLExifValueName casioSaturation[] = { { 0, "Normal" }, { 1, "Low" }, { 2, "High" } };
constexpr PLExifValueName casioCCDSense0014[] = { { 0, "OK" }, { 1, "Over-exposed" } };
constexpr PLExifValueName casioEnhancement[]
    = { { 1, "Off" }, { 2, "Red" }, { 3, "Green" }, { 4, "Blue" }, { 5, "Flesh Tones" } };
constexpr PLExifValueName casioFilter[] = { { 1, "Off" }, { 2, "Black & White" }, { 3, "Sepia" },
    { 4, "Red" }, { 5, "Green" }, { 6, "Blue" }, { 7, "Yellow" }, { 8, "Pink" }, { 9, "Purple" } };
constexpr PLExifValueName casioFocFrmLoc[] = { { 1, "Centre" }, { 2, "Scene S1" }, { 3, "Scene S2" },
    { 4, "Scene S3" }, { 5, "Scene S4" }, { 6, "Scene S5" }, { 7, "Scene S8" }, { 8, "Scene S6" },
    { 9, "Scene S7" }, { 10, "Top Left" }, { 11, "Top Middle" }, { 12, "Top Right" }, { 13, "Middle Left" },
    { 14, "Middle Right" }, { 15, "Bottom Left" }, { 16, "Bottom Middle" }, { 17, "Bottom Right" } };
constexpr PLExifValueName casioCCDSense0019[] = { { 64, "Normal" }, { 80, "Normal" }, { 100, "High" },
    { 125, "+1.0" }, { 250, "+2.0" }, { 244, "+3.0" }, { 9, "Manual" } };
constexpr PLExifValueName casioMeterMode[] = { { 2, "Centre" }, { 3, "Spot" }, { 5, "Multi" } };
constexpr PLExifValueName casioEVShift[] = { { -6, "-2.0 EV" }, { -5, "-1.67 EV" }, { -4, "-1.33 EV" },
    { -3, "-1.0 EV" }, { -2, "-0.67 EV" }, { -1, "-0.33 EV" }, { 0, "0 EV" }, { 1, "+0.33 EV" },
    { 2, "+0.67 EV" }, { 3, "+1.0 EV" }, { 4, "+1.33 EV" }, { 5, "+1.67 EV" }, { 6, "+2.0 EV" } };
constexpr PLExifValueName casioAperture[] = { { 1, "f2.0" }, { 2, "f2.3" }, { 3, "f2.8" }, { 4, "f4.0" },
    { 5, "f5.6" }, { 6, "f8.0" }, { 15, "f8.0" } };
constexpr PLExifValueName casioRecordMode2[]
    = { { 0, "Normal" }, { 1, "Portrait" }, { 2, "Landscape" }, { 3, "Night Scene" }, { 4, "Slow Shutter" } };
constexpr PLExifValueName casioComposition[]
    = { { 1, "Off" }, { 2, "Scene S1" }, { 3, "Scene S2" }, { 4, "Scene S3" }, { 5, "Scene S4" },
          { 6, "Scene S5" }, { 7, "Scene S8" }, { 8, "Scene S6" }, { 9, "Scene S7" } };
constexpr PLExifValueName casioExpMode[]
    = { { 1, "Manual" }, { 2, "Program AE" }, { 3, "Aperture Priority" }, { 4, "Shutter Priority" } };
constexpr PLExifTagRow casioRows[] = {
    { 0x0001, "RecordMode", casioRecordMode, nullptr, "Casio Recording Mode" },
    { 0x0002, "Quality", casioQuality, nullptr, "Casio Quality  " },
    { 0x0003, "FocusMode", casioFocusMode, nullptr, "Casio Focusing Mode" },
    { 0x0004, "FlashMode", casioFlashMode, nullptr, "Casio Flash Mode" },
    { 0x0005, "FlasIntense", casioFlasIntense, nullptr, "Casio Flash Intensity" },
    { 0x0006, "ObjDist", unitMillimetres, nullptr, "Casio Object Distance" },
    { 0x0007, "WhiteBal", casioWhiteBal, nullptr, "Casio White Balance" },
    { 0x0008, "Unknown0008", {}, nullptr, "Casio Unknown (0008)" },
    { 0x0009, "Unknown0009", {}, nullptr, "Casio Unknown (0009)" },
    { 0x000A, "DigZoom", casioDigZoom, nullptr, "Casio Digital Zoom" },
    { 0x000B, "Sharpness", casioSharpness, nullptr, "Casio Sharpness" },
    { 0x000C, "Contrast", casioContrast, nullptr, "Casio Contrast " },
    { 0x000D, "Saturation", casioSaturation, nullptr, "Casio Saturation" },
    { 0x000E, "Unknown000E", {}, nullptr, "Casio Unknown (000E)" },
    { 0x000F, "Unknown000F", {}, nullptr, "Casio Unknown (000F)" },
    { 0x0010, "Unknown0010", {}, nullptr, "Casio Unknown (0010)" },
    { 0x0011, "Unknown0011", {}, nullptr, "Casio Unknown (0011)" },
    { 0x0012, "Unknown0012", {}, nullptr, "Casio Unknown (0012)" },
    { 0x0013, "Unknown0013", {}, nullptr, "Casio Unknown (0013)" },
    { 0x0014, "CCDSense", casioCCDSense0014, nullptr, "Casio CCD Sensitivity" },
    { 0x0015, "Unknown0015", {}, nullptr, "Casio Unknown (0015)" },
    { 0x0016, "Enhancement", casioEnhancement, nullptr, "Casio Enhancement" },
    { 0x0017, "Filter", casioFilter, nullptr, "Casio Filter   " },
    { 0x0018, "FocFrmLoc", casioFocFrmLoc, nullptr, "Casio Focus Frame Locator" },
    { 0x0019, "CCDSense", casioCCDSense0019, nullptr, "Casio CCD Sensitivity" },
    { 0x001A, "Unknown001A", {}, nullptr, "Casio Unknown (001A)" },
    { 0x0100, "MeterMode", casioMeterMode, nullptr, "Casio Metering Mode" },
    { 0x0101, "EVShift", casioEVShift, nullptr, "Casio EV Shift" },
    { 0x0102, "Unknown0102", {}, nullptr, "Casio Unknown (0102)" },
    { 0x0103, "Aperture", casioAperture, nullptr, "Casio Apertue" },
    { 0x0104, "RecordMode2", casioRecordMode2, nullptr, "Casio Recording Mode" },
    { 0x0105, "Composition", casioComposition, nullptr, "Casio Composition Frame" },
    { 0x0106, "ExpMode", casioExpMode, nullptr, "Casio Exposure Mode" },
    { 0x0107, "Unknown0107", {}, nullptr, "Casio Unknown (0107)" },
};

} // namespace

PLExifTagTable PLExifNikonTable()
{
    return nikonRows;
}

PLExifTagTable PLExifNikon2Table()
{
    return nikon2Rows;
}

PLExifTagTable PLExifOlympusTable()
{
    return olympusRows;
}

PLExifTagTable PLExifCanonTable()
{
    return canonRows;
}

PLExifTagTable PLExifCanonSet1Table()
{
    return canonSet1Rows;
}

PLExifTagTable PLExifCanonSet2Table()
{
    return canonSet2Rows;
}

PLExifTagTable PLExifCanonCustomTable()
{
    return canonCustomRows;
}

PLExifTagTable PLExifFujiTable()
{
    return fujiRows;
}

PLExifTagTable PLExifCasioTable()
{
    return casioRows;
}
