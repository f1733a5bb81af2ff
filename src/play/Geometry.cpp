#include "play/Geometry.h"

#include <cmath>

namespace korvid {

float NormaliseAngleFolded(float a) {
    if (!(std::fabs(a) < 2.0e9f)) return 0.0f;  // a broken angle must not overflow the truncation
    if (a < 0) a = 360.0f - std::fabs(a);
    const int whole = static_cast<int>(a);
    return a - static_cast<float>(whole) + static_cast<float>(whole % 360);
}

namespace {

DirectionTables buildTables() {
    DirectionTables t{};
    for (int i = 0; i <= 3600; ++i) {
        if (i % 900 == 0) continue;
        const double tn = std::tan((90.0 - i / 10.0) / 57.3);
        double x = std::sqrt(1.0 / (tn * tn + 1.0));
        double y = -x * tn;
        if (i > 1800) {
            x = -x;
            y = -y;
        }
        t.dirX[i] = static_cast<float>(x);
        t.dirY[i] = static_cast<float>(y);
    }
    constexpr int kExact[5] = {0, 900, 1800, 2700, 3600};
    constexpr float kExactX[5] = {0, 1, 0, -1, 0};
    constexpr float kExactY[5] = {-1, 0, 1, 0, -1};
    for (int j = 0; j < 5; ++j) {
        t.dirX[kExact[j]] = kExactX[j];
        t.dirY[kExact[j]] = kExactY[j];
    }
    return t;
}

}  // namespace

const DirectionTables kDirectionTables = buildTables();

int DirectionIndexFolded(float angle) {
    if (!std::isfinite(angle)) return 0;
    float a = std::fmod(angle, 360.0f);
    if (a < 0) a += 360.0f;
    int k = static_cast<int>(a * 10.0f);
    if (k < 0) k = 0;
    if (k > 3600) k = 3600;
    return k;
}

namespace {

// trunc(a) == trunc(b). Within +-2^52 the whole parts fit a 64-bit integer and
// the conversion truncates exactly (without SSE4.1, std::trunc is a long bit
// sequence); anything else, NaN included, takes std::trunc itself.
bool sameWholePart(double a, double b) {
    constexpr double kExact = 4503599627370496.0;  // 2^52
    if (std::fabs(a) < kExact && std::fabs(b) < kExact)
        return static_cast<long long>(a) == static_cast<long long>(b);
    return std::trunc(a) == std::trunc(b);
}

}  // namespace

double BearingTo(double x1, double y1, double x2, double y2, double offset) {
    double a = std::atan((y1 - y2) / (x1 - x2)) * 57.3 + 90.0;
    if (sameWholePart(y1, y2)) a = 90.0;
    if (x1 > x2) a += 180.0;
    if (sameWholePart(x1, x2)) a = (y1 <= y2) ? 180.0 : 0.0;
    return a + offset;
}

}  // namespace korvid
