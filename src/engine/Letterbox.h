// Where the fixed-size game picture sits inside a window of any size: scaled
// as large as fits with its aspect ratio kept, centred, black bars around.
#pragma once

namespace korvid {

struct ViewRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The picture's rectangle inside a window of windowW x windowH.
ViewRect FitLetterbox(int windowW, int windowH, int gameW, int gameH);

// A window position (mouse) turned into game pixels through that rectangle.
void WindowToGame(const ViewRect& view, int gameW, int gameH, float wx, float wy, float* gx, float* gy);

}  // namespace korvid
