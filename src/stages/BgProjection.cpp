#include "stages/BgProjection.h"

#include <cmath>

namespace korvid {

namespace {

constexpr double kDegreesPerRadian = 57.3;

// trunc, bounded: far-off points land well off the screen, never in
// undefined conversions.
int truncBounded(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e7) return 10000000;
    if (v < -1e7) return -10000000;
    return static_cast<int>(v);
}

}  // namespace

PlaneView::PlaneView(double camA, double camD, double angleDeg, double reach) : camA_(camA), camD_(camD) {
    const double t = std::tan(angleDeg / kDegreesPerRadian);
    if (t == 0 || !std::isfinite(t)) return;
    const double s = 1 / t;
    const double h = std::sqrt(1 / (s * s + 1));
    const double d = camD + reach;
    // Kept fractional: at a small angle the foot is under one unit from the
    // camera, and rounding it to 0 would fold the whole screen line to a point.
    p_ = angleDeg >= 0 ? camA + h * d : camA - h * d;
    const double q = p_ * s;
    m_ = -1 / s;
    b_ = q - p_ * m_;
    valid_ = std::isfinite(m_) && std::isfinite(b_);
}

int PlaneView::Offset(double wa, double wd) const {
    if (!valid_) return 0;
    const double across = wa - camA_;
    if (across == 0) return 0;
    const double r = (wd - camD_) / across;
    const double c = wd - wa * r;
    const double den = m_ - r;
    if (den == 0) return 0;
    const double x = (c - b_) / den;
    if (!std::isfinite(x)) return 0;
    return truncBounded((std::trunc(x) - p_) / 10);
}

}  // namespace korvid
