#include "UnitSlider.h"

#include "AccessibleInterfaces.h"

UnitSlider::UnitSlider(QWidget *parent) : QSlider(parent) {
    InstallAccessibleInterfaces();
}
