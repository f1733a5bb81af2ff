// packgen: builds the stand-in resource pack "gamedat.zip" from
// tools/packgen/manifest.json.
//
//   packgen --out PATH --root SRCDIR [--jobs N] [--quiet]
//   packgen --root SRCDIR --dump DIR [--only NAME]... [--preview SCALE]
//       writes the members as loose files to look at; with --preview each
//       picture also gets a NAME.preview.png flattened over a checkerboard,
//       SCALE times larger (or -SCALE times smaller)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Manifest.h"
#include "PackBuilder.h"
#include "Preview.h"

namespace {

using namespace korvid::packgen;

struct Options {
    std::string out, root = ".", dump;
    std::vector<std::string> only;
    int jobs = 2;
    int preview = 0;
    bool quiet = false;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: packgen --out PATH --root SRCDIR [--jobs N] [--quiet]\n"
                 "       packgen --root SRCDIR --dump DIR [--only NAME]... [--preview SCALE]\n");
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--out") { if (!value(o.out)) return false; }
        else if (a == "--root") { if (!value(o.root)) return false; }
        else if (a == "--dump") { if (!value(o.dump)) return false; }
        else if (a == "--only") { if (!value(v)) return false; o.only.push_back(v); }
        else if (a == "--jobs") { if (!value(v)) return false; o.jobs = std::max(1, std::atoi(v.c_str())); }
        else if (a == "--preview") { if (!value(v)) return false; o.preview = std::atoi(v.c_str()); }
        else if (a == "--quiet") o.quiet = true;
        else return false;
    }
    return !o.out.empty() || !o.dump.empty();
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        Usage();
        return 2;
    }
    try {
        auto start = std::chrono::steady_clock::now();
        Manifest manifest = Manifest::load(o.root + "/tools/packgen/manifest.json");
        BuildOptions build;
        build.threads = o.jobs;
        if (!o.quiet)
            build.progress = [](const std::string& name, double secs) {
                std::fprintf(stderr, "  %-36s %6.2f s\n", name.c_str(), secs);
            };
        if (!o.dump.empty()) {
            for (const FileEntry& f : manifest.files()) {
                if (!o.only.empty() && std::find(o.only.begin(), o.only.end(), f.name) == o.only.end()) continue;
                for (const PackMember& m : BuildEntry(f)) {
                    std::filesystem::path path = std::filesystem::path(o.dump) / m.name;
                    if (!WriteFile(path, m.data)) throw std::runtime_error("cannot write " + m.name);
                    if (o.preview != 0 && (path.extension() == ".png" || path.extension() == ".jpg"))
                        WriteFile(path.string() + ".preview.png", PreviewPng(m.data, o.preview));
                }
                if (build.progress) build.progress(f.name, 0);
            }
            return 0;
        }
        std::vector<std::uint8_t> pack = BuildPack(manifest, build);
        std::string temp = o.out + ".part";
        if (!WriteFile(temp, pack)) throw std::runtime_error("cannot write " + temp);
        std::filesystem::rename(temp, o.out);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!o.quiet)
            std::fprintf(stderr, "packgen: %zu entries, %zu bytes, %.1f s -> %s\n", manifest.files().size(),
                         pack.size(), secs, o.out.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "packgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
