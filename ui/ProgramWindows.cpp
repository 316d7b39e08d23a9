#include "ProgramWindows.h"

#include "AccessibleInterfaces.h"
#include "CentrePalette.h"
#include "FormFont.h"
#include "JagsPalette.h"
#include "MainWindow.h"
#include "RotationPalette.h"
#include "ShapePalette.h"
#include "TwistPalette.h"

#include <QFont>

ProgramWindows::ProgramWindows(const std::string &settingsPath) {
    // The windows ask for the classic Japanese proportional Gothic face; IPA's
    // proportional Gothic is the free face that matches it.
    QFont::insertSubstitution(kFormFaceName, QStringLiteral("IPAPGothic"));
    InstallAccessibleInterfaces();
    main = std::make_unique<MainWindow>(settingsPath);
    StarDocument &star = *main->Document;
    jags = std::make_unique<JagsPalette>(star, *main);
    twist = std::make_unique<TwistPalette>(star, *main);
    centre = std::make_unique<CentrePalette>(star, *main);
    rotation = std::make_unique<RotationPalette>(star, *main);
    shape = std::make_unique<ShapePalette>(star, *main);
    main->Palettes->FollowPalettes();
}

// Members go in the opposite order: the palettes, then the main window.
ProgramWindows::~ProgramWindows() = default;
