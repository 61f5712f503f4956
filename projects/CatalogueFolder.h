// The folder that holds catalogues and the open-catalogue list. The shell installs its
// settings-backed folder at start-up; until then the process's current folder answers.
#pragma once

#include "platform/core/String.h"

using CatalogueFolderSource = CString (*)();

CString GetCatalogueFolder();
// NULL puts the default back.
void SetCatalogueFolderSource(CatalogueFolderSource source);
