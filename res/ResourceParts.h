// The parts of the program's resources that are registered from their own files.
#pragma once

void RegisterToolBars();
void RegisterPictures();
void RegisterDialogs();
void RegisterPropertyTexts();
