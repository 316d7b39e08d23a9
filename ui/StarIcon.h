#pragma once

#include <QImage>

// The program's icon: the default star, black on white, size x size pixels.
QImage StarIcon(int size);
