#include "engine/ResourceStore.h"

#include <filesystem>
#include <mutex>

#include "engine/DiskPath.h"
#include "engine/ZipPack.h"

namespace korvid {

struct ResourceStore::Impl {
    std::string gameDir;
    std::unique_ptr<ZipPack> pack;
    std::string variant;  // a folder of the pack read first ("" for none)
    // libzip archives are not safe to read from two threads at once.
    mutable std::mutex lock;
};

ResourceStore::ResourceStore() : impl_(std::make_unique<Impl>()) {}
ResourceStore::~ResourceStore() = default;

void ResourceStore::setGameDir(const std::string& dir) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    impl_->gameDir = dir;
}

const std::string& ResourceStore::gameDir() const {
    return impl_->gameDir;
}

bool ResourceStore::attachPack(const std::string& path, const std::string& password) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    std::optional<std::filesystem::path> found = findFileNoCase(impl_->gameDir, path);
    if (!found) return false;
    std::unique_ptr<ZipPack> pack = ZipPack::open(found->string(), password);
    if (!pack) return false;  // the earlier pack, if any, stays attached
    impl_->pack = std::move(pack);
    return true;
}

bool ResourceStore::hasPack() const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    return impl_->pack != nullptr;
}

bool ResourceStore::load(const std::string& name, std::vector<std::uint8_t>& out) const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (impl_->pack && !impl_->variant.empty()) {
        const std::string key = normalise(impl_->variant + name);
        if (impl_->pack->contains(key)) return impl_->pack->read(key, out);
    }
    if (impl_->pack) {
        std::string key = normalise(name);
        // A member that is in the pack but cannot be read is a failure, not a
        // reason to look on disk: a wrong password must not go unnoticed.
        if (impl_->pack->contains(key)) return impl_->pack->read(key, out);
    }
    std::optional<std::filesystem::path> found = findFileNoCase(impl_->gameDir, name);
    return found && readWholeFile(*found, out);
}

void ResourceStore::setVariantFolder(const std::string& folder) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    impl_->variant = folder;
}

bool ResourceStore::exists(const std::string& name) const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (impl_->pack && impl_->pack->contains(normalise(name))) return true;
    return findFileNoCase(impl_->gameDir, name).has_value();
}

std::string ResourceStore::normalise(const std::string& name) {
    std::string key;
    key.reserve(name.size());
    for (char c : name) {
        if (c == '\\') c = '/';
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        key += c;
    }
    std::size_t start = 0;
    while (key.compare(start, 2, "./") == 0) start += 2;
    return key.substr(start);
}

}  // namespace korvid
