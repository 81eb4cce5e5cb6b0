// Reads a .x file the command has just written with our own reader, the way
// the import reads it, to catch output no reader accepts (a face naming a
// material that does not exist, a face of one corner, non-finite numbers, a
// name holding a quote, ...). The plug-in's result does not depend on this.
#pragma once

#include <string>

namespace ortolix::cli {

// The first problem, as a line naming where and what (for a warning), or an
// empty text when the file reads cleanly: every data object parses without a
// tolerated quirk and every Mesh loads.
std::string FirstProblemOfWrittenFile(const std::string& path);

}  // namespace ortolix::cli
