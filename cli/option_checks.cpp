#include "cli/option_checks.h"

#include <system_error>

#include <charconv>
#include <cstdio>

#include "cli/dialog_settings.h"
#include "platform/crt/utf8.h"

namespace ortolix::cli {

CLI::Option* AddSettingOption(CLI::App& sub, const std::string& flag, std::vector<std::string>& out,
                              std::span<const std::string_view> names,
                              const std::string& description) {
  return sub.add_option(flag, out, description)
      ->type_name("NAME=0|1")
      ->check([names](const std::string& text) { return CheckSettingText(text, names); })
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);  // one NAME=V per flag, so operands may follow
}

CLI::Option* AddEpochOption(CLI::App& sub, std::int64_t& out, const std::string& description) {
  // Taken as text: CLI11's own integer conversion clamps values beyond 64 bits.
  return sub
      .add_option_function<std::string>(
          "--epoch",
          [&out](const std::string& text) {
            std::int64_t value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value);
            if (text.empty() || error != std::errc() || stop != end) {
              throw CLI::ValidationError(
                  "--epoch", "expected whole seconds that fit in 64 bits, got \"" + text + "\"");
            }
            out = value;
          },
          description)
      ->type_name("SECONDS");
}

std::string CheckUtf8Text(const std::string& text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
  for (std::size_t at = 0; at < text.size();) {
    char32_t cp = 0;
    const std::size_t length = bytes[at] == 0 ? 0 : utf8::Decode(bytes + at, cp);
    if (length == 0) {
      char reason[64];
      std::snprintf(reason, sizeof reason, "not UTF-8 text: byte 0x%02X at offset %zu", bytes[at],
                    at);
      return reason;
    }
    at += length;
  }
  return {};
}

}  // namespace ortolix::cli
