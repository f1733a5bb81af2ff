// Finds game files: first in the attached password-protected pack, then on
// disk relative to the game folder. Names are matched case-insensitively and
// '/' and '\' are treated alike (the game's names mix "Fire2.png" and "fire.png").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvid {

class ResourceStore {
public:
    ResourceStore();
    ~ResourceStore();
    ResourceStore(const ResourceStore&) = delete;
    ResourceStore& operator=(const ResourceStore&) = delete;

    // Folder that relative disk look-ups resolve against ("" = current directory).
    void setGameDir(const std::string& dir);
    const std::string& gameDir() const;

    // Opens a zip archive (traditional PKWARE encryption with this password, or
    // none). Relative paths resolve against the game folder. Returns false
    // (and attaches nothing) when the archive cannot be opened. A later call
    // replaces the earlier pack; a failed one leaves the earlier pack attached.
    bool attachPack(const std::string& path, const std::string& password);
    bool hasPack() const;

    // Whole file into `out`. False when the name is in neither the pack nor on
    // disk, or the member cannot be decrypted/read (wrong password, corrupt data).
    bool load(const std::string& name, std::vector<std::uint8_t>& out) const;
    // A folder of the pack whose members stand in for the members of the
    // same name (a language's pictures): "English/" makes load() of
    // "Graphics/a.png" read "English/Graphics/a.png" when the pack has it.
    // "" (the start) reads every name as it is.
    void setVariantFolder(const std::string& folder);
    bool exists(const std::string& name) const;

    // Lower-case, backslashes turned into slashes, leading "./" removed.
    static std::string normalise(const std::string& name);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace korvid
