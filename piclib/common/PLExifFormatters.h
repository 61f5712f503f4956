// Display formatters of the Exif tag tables.
#pragma once

class PLExifEntry;

void PLExifFormatExposureTime(PLExifEntry& entry);
void PLExifFormatFNumber(PLExifEntry& entry);
void PLExifFormatShutterApex(PLExifEntry& entry);
void PLExifFormatApertureApex(PLExifEntry& entry);
void PLExifFormatDecimal(PLExifEntry& entry);
void PLExifFormatComponents(PLExifEntry& entry);

void PLExifFormatCanonImageNumber(PLExifEntry& entry);
void PLExifFormatCanonSerialNumber(PLExifEntry& entry);
void PLExifFormatCanonFlashDetails(PLExifEntry& entry);
void PLExifFormatCanonFocusPoint(PLExifEntry& entry);
