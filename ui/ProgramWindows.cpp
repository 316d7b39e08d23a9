#include "ProgramWindows.h"

#include "AboutDialog.h"
#include "CentrePalette.h"
#include "FormFont.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "MainWindow.h"
#include "RotationPalette.h"
#include "ShapePalette.h"
#include "SizeDialog.h"
#include "TwistPalette.h"

#include <QFont>

namespace {

template <typename Window> void Destroy(Window *&window) {
    delete window;
    window = nullptr;
}

} // namespace

void CreateProgramWindows(const std::string &settingsPath) {
    // The windows ask for the classic Japanese proportional Gothic face; IPA's
    // proportional Gothic is the free face that matches it.
    QFont::insertSubstitution(kFormFaceName, QStringLiteral("IPAPGothic"));
    mainWindow = new MainWindow(settingsPath);
    StarDocument &star = *mainWindow->Document;
    jagsPalette = new JagsPalette(star, *mainWindow);
    sizeDialog = new SizeDialog;
    twistPalette = new TwistPalette(star, *mainWindow);
    centrePalette = new CentrePalette(star, *mainWindow);
    magnificationDialog = new MagnificationDialog;
    rotationPalette = new RotationPalette(star, *mainWindow);
    aboutDialog = new AboutDialog;
    shapePalette = new ShapePalette(star, *mainWindow);
}

void DestroyProgramWindows() {
    Destroy(shapePalette);
    Destroy(aboutDialog);
    Destroy(rotationPalette);
    Destroy(magnificationDialog);
    Destroy(centrePalette);
    Destroy(twistPalette);
    Destroy(sizeDialog);
    Destroy(jagsPalette);
    Destroy(mainWindow);
}
