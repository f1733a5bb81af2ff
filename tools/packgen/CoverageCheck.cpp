#include "CoverageCheck.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace korvid::packgen {

namespace {

std::string folded(std::string name) {
    for (char& c : name) {
        if (c == '\\') c = '/';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

// The game looks names up case-insensitively ("Fire2.png" and "fire.png").
const FileEntry* findFolded(const Manifest& manifest, const std::string& name) {
    const std::string want = folded(name);
    for (const FileEntry& f : manifest.files())
        if (folded(f.name) == want) return &f;
    return nullptr;
}

// The engine pads a picture's surface to powers of two and repeats it: a
// texel past the surface's edge is read from the other side.
int surfaceSize(int size) {
    int s = 1;
    while (s < size) s *= 2;
    return s;
}

int fold(int v, int size) {
    if (size <= 0) return v;
    const int s = surfaceSize(size);
    return ((v % s) + s) % s;
}

bool painted(const FileEntry& file, int x, int y) {
    x = fold(x, file.width);
    y = fold(y, file.height);
    for (const Region& r : file.regions)
        if (x >= r.rect.x && x < r.rect.right() && y >= r.rect.y && y < r.rect.bottom()) return true;
    return false;
}

// The first unpainted texel of the rectangle shrunk by the tolerance, if any.
bool firstHole(const FileEntry& file, Rect rect, int tolerance, int& hx, int& hy) {
    const int x0 = rect.x + tolerance, y0 = rect.y + tolerance;
    const int x1 = rect.right() - tolerance, y1 = rect.bottom() - tolerance;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!painted(file, x, y)) {
                hx = x;
                hy = y;
                return true;
            }
    return false;
}

}  // namespace

std::vector<std::string> FindUnpaintedRects(const Manifest& manifest, std::istream& log, int tolerance) {
    std::vector<std::string> problems;
    std::string line;
    while (std::getline(log, line)) {
        std::istringstream in(line);
        std::string file;
        Rect r;
        if (!(in >> file >> r.x >> r.y >> r.w >> r.h)) continue;
        const FileEntry* entry = findFolded(manifest, file);
        if (!entry) {
            problems.push_back(file + " is drawn but not in the pack");
            continue;
        }
        int hx = 0, hy = 0;
        if (firstHole(*entry, r, tolerance, hx, hy)) {
            std::ostringstream msg;
            msg << file << " rectangle (" << r.x << ", " << r.y << ", " << r.w << ", " << r.h
                << ") is not painted at (" << hx << ", " << hy << ")";
            problems.push_back(msg.str());
        }
    }
    return problems;
}

}  // namespace korvid::packgen
