#pragma once

#include "SettingsFile.h"

#include <memory>
#include <string>

class CentrePalette;
class JagsPalette;
class MainWindow;
class RotationPalette;
class ShapePalette;
class TwistPalette;

// The program's windows: the main window with its dialogs, and the five palettes
// beside it, views of the one star document the main window holds. They are made
// hidden, the main window first, so that its start-up runs before any other window
// exists; they go in the opposite order.
struct ProgramWindows {
    // settingsPath names the settings file (bytes).
    explicit ProgramWindows(const std::string &settingsPath = kSettingsFileName);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    std::unique_ptr<MainWindow> main;
    std::unique_ptr<JagsPalette> jags;
    std::unique_ptr<TwistPalette> twist;
    std::unique_ptr<CentrePalette> centre;
    std::unique_ptr<RotationPalette> rotation;
    std::unique_ptr<ShapePalette> shape;
};
