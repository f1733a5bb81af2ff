// The two flat projections that place a background panel on the screen:
// the top view (across against depth) gives screen x, the side view (height
// against depth) gives screen y. Each is a camera at (camA, camD) turned by
// an angle, looking at a screen line `reach` units away.
#pragma once

namespace korvid {

class PlaneView {
public:
    // angle in degrees; camA is the camera's across (or height) position.
    PlaneView(double camA, double camD, double angleDeg, double reach);

    // Screen offset, in tenths of world units along the across axis, of the
    // point where the sight line to (wa, wd) crosses the screen line; 0 when
    // the construction has no answer (a zero divisor).
    int Offset(double wa, double wd) const;

    bool Valid() const { return valid_; }

private:
    bool valid_ = false;
    double camA_ = 0, camD_ = 0;
    double p_ = 0;  // the screen line's foot, across
    double m_ = 0;  // its slope
    double b_ = 0;  // its intercept
};

}  // namespace korvid
