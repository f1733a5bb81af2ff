#include "Manifest.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "Rng.h"

namespace korvid::packgen {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The kind a file has when its entry does not say.
std::string KindFromName(const std::string& name) {
    static const std::map<std::string, std::string> byExtension = {
        {".png", "image"}, {".jpg", "image"}, {".fnt", "font"},
        {".wav", "sound"}, {".ogg", "sound"}, {".mp3", "sound"},
    };
    for (const auto& [ext, kind] : byExtension)
        if (EndsWith(name, ext)) return kind;
    return "";
}

}  // namespace

Rgba Region::colour(std::size_t i, Rgba fallback) const {
    const Json& list = entry->get("colors");
    if (!list.isArray() || i >= list.size() || !list[i].isString()) return fallback;
    return ParseColour(list[i].string());
}

Manifest Manifest::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

namespace {

// The entry of one file; its regions' seeds come from `seedName`, so a
// variant of a picture paints the same noise as the picture itself.
FileEntry EntryOf(const Json& item, const std::string& name, const std::string& seedName) {
    FileEntry f;
    f.name = name;
    f.kind = item.str("kind", KindFromName(f.name));
    f.entry = &item;
    if (f.kind == "image") {
        f.width = int(item.get("size")[0].number());
        f.height = int(item.get("size")[1].number());
        Rect whole{0, 0, f.width, f.height};
        std::size_t index = 0;
        for (const Json& r : item.get("regions").array()) {
            Region region;
            region.rect = {r.integer("x", 0), r.integer("y", 0), r.integer("w", f.width), r.integer("h", f.height)};
            region.style = r.str("style", "");
            region.entry = &r;
            // Regions naming the same "seed" paint the same noise: that is how a strip
            // is made to repeat (tile) along a picture.
            region.seed = r.has("seed") ? HashName(seedName + "#seed:" + r.str("seed", ""))
                                        : HashName(seedName + "#" + std::to_string(index));
            ++index;
            if (!whole.contains(region.rect))
                throw std::runtime_error(f.name + ": region '" + region.style + "' lies outside the picture");
            f.regions.push_back(region);
        }
    } else if (f.kind != "font" && f.kind != "sound" && f.kind != "music") {
        throw std::runtime_error(f.name + ": unknown kind '" + f.kind + "'");
    }
    return f;
}

void CollectStrings(const Json& j, std::set<std::string>& out) {
    if (j.isString()) out.insert(j.string());
    if (j.isArray())
        for (const Json& item : j.array()) CollectStrings(item, out);
    if (j.isObject())
        for (const auto& [key, value] : j.members()) CollectStrings(value, out);
}

}  // namespace

Manifest Manifest::parse(const std::string& text) {
    Manifest m;
    m.root_ = Json::parse(text);
    for (const Json& item : m.root_.get("files").array()) {
        const std::string name = item.str("name", "");
        if (name.empty()) throw std::runtime_error("manifest entry without a name");
        if (m.find(name)) throw std::runtime_error("manifest names " + name + " twice");
        m.files_.push_back(EntryOf(item, name, name));
    }
    // The English pictures: a picture of the list painted again with its
    // texts replaced, under "English/" and its own name. Every text the list
    // replaces must be one the picture has.
    const Json& english = m.root_.get("english");
    if (english.isArray()) {
        for (const Json& item : english.array()) {
            const std::string name = item.str("name", "");
            const FileEntry* original = m.find(name);
            if (!original) throw std::runtime_error("english: no picture " + name);
            std::map<std::string, std::string> texts;
            std::set<std::string> present;
            CollectStrings(*original->entry, present);
            for (const auto& [zh, en] : item.get("texts").members()) {
                if (!present.count(zh)) throw std::runtime_error("english: " + name + " has no text '" + zh + "'");
                texts[zh] = en.string();
            }
            m.variants_.push_back(std::make_unique<Json>(original->entry->substituted(texts)));
            m.files_.push_back(EntryOf(*m.variants_.back(), std::string(kEnglishFolder) + name, name));
        }
    }
    return m;
}

const FileEntry* Manifest::find(const std::string& name) const {
    for (const FileEntry& f : files_)
        if (f.name == name) return &f;
    return nullptr;
}

}  // namespace korvid::packgen
