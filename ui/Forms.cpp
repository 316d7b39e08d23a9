#include "Forms.h"

#include "About.h"
#include "Center.h"
#include "FormFont.h"
#include "Lean.h"
#include "Points.h"
#include "Rotaion.h"
#include "SaveRate.h"
#include "Shape.h"
#include "SizeIn.h"
#include "Vantmain.h"

#include <QFont>

namespace {

template <typename Form> void Destroy(Form *&form) {
    delete form;
    form = nullptr;
}

} // namespace

void CreateForms(const std::string &settingsPath) {
    // The windows ask for the classic Japanese proportional Gothic face; IPA's
    // proportional Gothic is the free face that matches it.
    QFont::insertSubstitution(kFormFaceName, QStringLiteral("IPAPGothic"));
    Form1 = new TForm1(settingsPath);
    StarDocument &star = *Form1->Document;
    PointsDlg = new TPointsDlg(star, *Form1);
    SizeInDlg = new TSizeInDlg;
    RotationDlg = new TRotationDlg(star, *Form1);
    CenterSettingDlg = new TCenterSettingDlg(star, *Form1);
    SaveRateDlg = new TSaveRateDlg;
    LeanDlg = new TLeanDlg(star, *Form1);
    AboutDlg = new TAboutDlg;
    ShapeDlg = new TShapeDlg(star, *Form1);
}

void DestroyForms() {
    Destroy(ShapeDlg);
    Destroy(AboutDlg);
    Destroy(LeanDlg);
    Destroy(SaveRateDlg);
    Destroy(CenterSettingDlg);
    Destroy(RotationDlg);
    Destroy(SizeInDlg);
    Destroy(PointsDlg);
    Destroy(Form1);
}
