// The painting styles a manifest region can name. Each family of styles lives
// in its own Paint*.cpp and hands its table to the registry here.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "Manifest.h"

namespace korvid::packgen {

using Painter = void (*)(Canvas&, const Region&);

struct StyleEntry {
    const char* name;
    Painter paint;
};

// Family tables, one per Paint*.cpp.
const std::vector<StyleEntry>& BulletStyles();
const std::vector<StyleEntry>& EffectStyles();
const std::vector<StyleEntry>& ItemStyles();
const std::vector<StyleEntry>& ShipStyles();
const std::vector<StyleEntry>& EnemyStyles();
const std::vector<StyleEntry>& FigureStyles();
const std::vector<StyleEntry>& BackgroundStyles();
const std::vector<StyleEntry>& SceneStyles();
const std::vector<StyleEntry>& TextStyles();
const std::vector<StyleEntry>& UiStyles();

// The painter of a style name; throws for an unknown name.
Painter FindStyle(const std::string& name);
std::vector<std::string> StyleNames();

// Paints a whole picture entry of the manifest.
Canvas PaintPicture(const FileEntry& file);

}  // namespace korvid::packgen
