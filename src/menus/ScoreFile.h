// "score.dat": created at the first start, read at every start. Only its
// fourth number matters: exclusive-or 11, it becomes the side panel's counter.
#pragma once

#include <string>

namespace korvid {

// The exact bytes of a freshly created score file: 10, 11, 11 and 1260
// further 11s, each followed by one space, no line end.
std::string ScoreFileDefaultContent();

// Creates the file when it does not exist (through a temporary file and a
// rename), then reads it. Returns the panel counter: the fourth number
// exclusive-or 11, or 0 when the file cannot be created or read or holds
// fewer than four numbers.
int BootstrapScoreFile(const std::string& path);

}  // namespace korvid
