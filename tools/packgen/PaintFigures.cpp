// Figure styles: single figures (portraits, cut-ins, character select) and
// rows of boss sprite cells. A boss row is 4 cells: "idle" frames bob and
// flap, "tilt" cells lean further right cell by cell (the game mirrors them
// for the left), "cast" frames raise the arms.
#include <cmath>

#include "Figure.h"
#include "PaintKit.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

void PaintFigure(Canvas& c, const Region& r) {
    FigureLook look = ReadFigureLook(*r.entry);
    FigurePose pose;
    pose.lean = float(r.num("lean", 0)) / 57.3f;
    pose.flap = float(r.num("flap", 0.25));
    pose.casting = r.flag("casting", false);
    if (r.has("aura"))
        Glow(c, CentreOf(r.rect), 0.5f * float(std::max(r.rect.w, r.rect.h)), ParseColour(r.str("aura")), 1.0f);
    DrawFigure(c, r.rect, look, pose, float(r.num("zoom", 1)), float(r.num("focusY", 0.5)));
}

void PaintBossRow(Canvas& c, const Region& r) {
    FigureLook look = ReadFigureLook(*r.entry);
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    std::string pose = r.str("pose", "idle");
    Rgba aura = r.colour(0, {0, 0, 0, 0});
    ForEachCell(r.rect, cw, ch, [&](int col, int, Rect cell) {
        FigurePose p;
        p.flap = float(col % 4) / 4;
        p.bob = -0.015f * std::sin(2 * kPi * p.flap);
        if (pose == "tilt") p.lean = 0.07f * float(col % 4 + 1);
        if (pose == "cast") p.casting = true;
        if (aura.a > 0) Glow(c, CentreOf(cell), 0.5f * float(std::min(cw, ch)), aura, 0.8f);
        Canvas sprite(cw, ch);
        DrawFigure(sprite, {0, 0, cw, ch}, look, p, float(r.num("zoom", 1)), float(r.num("focusY", 0.5)));
        c.draw(sprite, cell.x, cell.y);
    });
}

}  // namespace

const std::vector<StyleEntry>& FigureStyles() {
    static const std::vector<StyleEntry> table = {{"figure", PaintFigure}, {"boss_row", PaintBossRow}};
    return table;
}

}  // namespace korvid::packgen
