// A headless game drawing with the stand-in pack on real offscreen GL, with
// every texture rectangle it draws logged, so a picture test can check that
// everything drawn comes from painted parts of the pack.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "engine/EngineTestKit.h"
#include "game/Game.h"
#include "play/Resources.h"
#include "support/TestPaths.h"

namespace korvid::test {

struct PackPictureGame {
    korvid::testing::TempDir dir;
    std::unique_ptr<Engine> engine = korvid::testing::StartHeadless(dir);
    std::ostringstream drawn;  // "file x y w h" per quad
    std::unique_ptr<Game> game;
    bool attached = false;  // the pack opened

    PackPictureGame() {
        attached = engine->Resource_AttachPack(korvid::test::BinaryPath("/gamedat.zip").c_str(), kPackPassword);
        engine->Shell_SetQuadLogger([this](const std::string& file, float x0, float y0, float x1, float y1) {
            drawn << file << ' ' << std::lround(x0) << ' ' << std::lround(y0) << ' ' << std::lround(x1 - x0) << ' '
                  << std::lround(y1 - y0) << '\n';
        });
        game = std::make_unique<Game>(*engine);
        game->screenSprite = std::make_unique<Sprite>(*engine, 0, 0, 0, 640, 480);
        game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0, 0, 0, 0);
        LoadSharedResources(*game);
    }

    void ExpectEverythingDrawnIsPainted() const {
        const packgen::Manifest manifest = packgen::Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
        std::istringstream log(drawn.str());
        for (const std::string& miss : packgen::FindUnpaintedRects(manifest, log)) ADD_FAILURE() << miss;
    }
};

}  // namespace korvid::test
