// A Windows profile file ("ini"), read and written the way the game's
// settings have always been: integers read like GetPrivateProfileIntA,
// strings written like WritePrivateProfileStringA.
//
// The settings file was born on Chinese Windows, so section and key names are
// stored as GBK bytes. The API here takes and gives UTF-8; a name in the file
// matches when it equals the UTF-8 spelling or its GBK spelling, ASCII letters
// compared without case. Everything the game does not know about (other
// sections, keys, comments, their order) survives a save untouched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvid {

class ProfileFile {
public:
    // Reads the file. False when it is missing, unreadable, not a regular
    // file or implausibly large; the object is then empty. Any content at all
    // loads: garbage simply yields no matching names.
    bool load(const std::string& path);
    // The same parse from bytes already in memory (used by the fuzzer).
    void loadFromMemory(std::string_view bytes);

    // The value of the first matching key in the first matching section,
    // parsed as an integer: blanks, an optional sign, then decimal digits up
    // to the first non-digit. Missing key or no digits give 0.
    int getInt(std::string_view section, std::string_view key) const;
    // The same value, or nothing when the key is missing, its value has no
    // digits where the number should start, or its number does not fit int.
    std::optional<int> findInt(std::string_view section, std::string_view key) const;
    // The raw value (UTF-8 when the file is UTF-8), or nothing when missing.
    std::optional<std::string> findString(std::string_view section, std::string_view key) const;

    // Updates the first matching key in place, or appends the key to its
    // section, or appends the section at the end of the file. Line breaks in
    // names and values are dropped so the file keeps one entry per line.
    void setString(std::string_view section, std::string_view key, std::string_view value);

    // The whole file as it would be written: CRLF line ends, a UTF-8 BOM only
    // if the file came with one.
    std::string serialize() const;

    // Writes the file through a temporary file in the same folder that is
    // then renamed over the target, so an interrupted save leaves either the
    // old file or the new one, never half of one. False on any failure.
    bool save(const std::string& path) const;

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;   // the line as stored, without its line end
        std::string name;   // section or key name (trimmed raw bytes)
        std::string value;  // entry value (trimmed raw bytes, quotes removed)
    };

    static Line parseLine(std::string text);
    std::string encodeForFile(std::string_view utf8) const;
    // Index of the header line of the first matching section, or -1.
    int findSection(std::string_view section) const;
    // Index of the first matching entry after the header at `header`, or -1.
    int findEntry(int header, std::string_view key) const;

    std::vector<Line> lines_;
    bool utf8Bom_ = false;
};

}  // namespace korvid
