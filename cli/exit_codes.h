// Exit statuses of the ortolix command.
#pragma once

namespace ortolix::cli {

inline constexpr int kExitOk = 0;          // the plug-in's results were 1
inline constexpr int kExitFailure = 1;     // a result of 0, or the work could not be done
inline constexpr int kExitCancelled = 2;   // a dialog or message box was cancelled
inline constexpr int kExitUsage = 64;      // the command line is wrong

}  // namespace ortolix::cli
