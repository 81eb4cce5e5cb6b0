// Options shared by the subcommands that answer a dialog: repeatable
// NAME=0|1 check-box settings, the --epoch clock, and texts that must be
// UTF-8 before they are widened for a dialog.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ortolix::cli {

// A repeatable option taking one NAME=0|1 per flag, checked against `names`;
// the help shows "FLAG NAME=0|1".
CLI::Option* AddSettingOption(CLI::App& sub, const std::string& flag, std::vector<std::string>& out,
                              std::span<const std::string_view> names,
                              const std::string& description);

// --epoch SECONDS: a whole number that fits in a signed 64-bit value; any
// other text is a usage error. `out` is set only when the option is given.
CLI::Option* AddEpochOption(CLI::App& sub, std::int64_t& out, const std::string& description);

// A CLI11 check: empty when `text` is UTF-8, else the offset and value of the
// first byte that is not.
std::string CheckUtf8Text(const std::string& text);

}  // namespace ortolix::cli
