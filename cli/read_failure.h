// Why the plug-in could not read a .x file: the plug-in hands the Host only
// its result, so the command reads the file once more with the same reader
// to tell the user what the file services reported.
#pragma once

#include <string>

namespace ortolix::cli {

// The reader's reason (file position and object where the file services
// know them), or an empty text when the reader itself succeeds, so that the
// failure lay in a later stage.
std::string ReadFailureReason(const std::string& path);

}  // namespace ortolix::cli
