// ortolix dump --scene IN.x: the ImportScene that the import reader makes of
// a file, before any conversion.
#pragma once

#include <string>

namespace ortolix::cli {

// Prints the scene as JSON on standard output: ticks per second, the frame
// tree (names, frame, local and world matrices, mesh containers with their
// counts, materials, material names and skin bone names; animation set and
// animation nodes with their target and keys, one [time, values...] row per
// key) and the reader's warnings.
// Exit status 1 with the reason on standard error when the read fails.
int RunDumpScene(const std::string& path);

}  // namespace ortolix::cli
