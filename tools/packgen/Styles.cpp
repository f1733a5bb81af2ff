#include "Styles.h"

#include <stdexcept>

namespace korvid::packgen {

namespace {

using Family = const std::vector<StyleEntry>& (*)();

const Family kFamilies[] = {
    BulletStyles, EffectStyles, ItemStyles, ShipStyles, EnemyStyles,
    FigureStyles, BackgroundStyles, SceneStyles, TextStyles, UiStyles,
};

}  // namespace

Painter FindStyle(const std::string& name) {
    for (Family family : kFamilies)
        for (const StyleEntry& e : family())
            if (name == e.name) return e.paint;
    throw std::runtime_error("unknown painting style '" + name + "'");
}

std::vector<std::string> StyleNames() {
    std::vector<std::string> names;
    for (Family family : kFamilies)
        for (const StyleEntry& e : family()) names.push_back(e.name);
    return names;
}

Canvas PaintPicture(const FileEntry& file) {
    Canvas canvas(file.width, file.height);
    if (file.entry->has("background"))
        canvas.fill({0, 0, file.width, file.height}, ParseColour(file.entry->str("background", "")));
    for (const Region& region : file.regions) {
        Painter paint = FindStyle(region.style);
        canvas.setClip(region.rect);
        paint(canvas, region);
        // "opacity" fades what lies in the region's rectangle once it is
        // painted (the player's shots stay see-through this way).
        if (region.has("opacity")) canvas.fade(float(region.num("opacity", 1)));
    }
    canvas.resetClip();
    return canvas;
}

}  // namespace korvid::packgen
