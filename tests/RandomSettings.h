#pragma once

#include "ShapeSettings.h"

#include <random>

// Parameters anywhere in the editors' ranges, the rest at their defaults.
inline ShapeSettings RandomSettings(std::mt19937 &rng) {
    std::uniform_int_distribution<int> points(3, 50), rate(1, 100), twist(-1000, 1000),
        centre(-50, 50), lean(-90, 90);
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.Points = points(rng);
    s.InnerRate = rate(rng);
    s.OuterRate = rate(rng);
    s.InnerTwist = twist(rng);
    s.OuterTwist = twist(rng);
    s.CenterXRate = centre(rng);
    s.CenterYRate = centre(rng);
    s.LeanAngle = lean(rng);
    return s;
}
