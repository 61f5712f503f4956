// Tag tables of the camera makers' notes. The setting arrays and custom functions
// of Canon use the element index or function number as tag.
#pragma once

#include "piclib/common/PLExifTables.h"

PLExifTagTable PLExifNikonTable();
PLExifTagTable PLExifNikon2Table();
PLExifTagTable PLExifOlympusTable();
PLExifTagTable PLExifCanonTable();
PLExifTagTable PLExifCanonSet1Table();
PLExifTagTable PLExifCanonSet2Table();
PLExifTagTable PLExifCanonCustomTable();
PLExifTagTable PLExifFujiTable();
PLExifTagTable PLExifCasioTable();
