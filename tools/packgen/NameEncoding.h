// Pack member names: the game looks its files up by GBK-encoded names, so a
// name with Chinese characters (UTF-8 in the manifest) is stored as GBK.
#pragma once

#include <string>

namespace korvid::packgen {

// ASCII names come back unchanged; throws when a name has no GBK form.
std::string ToGbk(const std::string& utf8);

}  // namespace korvid::packgen
