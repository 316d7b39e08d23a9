#include "UnitSlider.h"

UnitSlider::UnitSlider(QWidget *parent) : QSlider(parent) {}
