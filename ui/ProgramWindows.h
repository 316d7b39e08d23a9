#pragma once

#include "SettingsFile.h"

#include <string>

// Creates the program's windows, hidden, in their fixed order (the shape palette
// last), each into its process-wide reference; the main window first, so its start-up runs before
// any other window exists. settingsPath names the settings file (bytes).
void CreateProgramWindows(const std::string &settingsPath = kSettingsFileName);
// Destroys them in the opposite order and clears the references.
void DestroyProgramWindows();
