// The host model as one JSON document (format "ortolix-host-model",
// version 1): loading into a new in-process Host, saving any HostModel.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/in_process_host.h"
#include "host/json_bounded_parse.h"

namespace ortolix {

inline constexpr char kHostModelFormat[] = "ortolix-host-model";
inline constexpr int kHostModelVersion = 1;

struct HostLoadResult {
  std::unique_ptr<InProcessHost> host;  // null on failure
  std::string error;                    // "bones[3].rotaton: unknown key"
};

// Loads a document. Safe on hostile input: every failure is a result with a
// message naming the JSON path; nothing is allocated beyond the limits.
HostLoadResult LoadHostModelJson(std::string_view text, const JsonLimits& limits = {});

// Reads and loads a file (pipes too); reading stops, with an error, once the
// text exceeds the size limit. Errors start with the file's path.
HostLoadResult LoadHostModelFile(const std::string& path, const JsonLimits& limits = {});

// The document of `model`, walking its public records as the plug-in sees
// them. Floats in their shortest round-trip form, negative zero as -0.0,
// non-finite floats as strings. Texts that are not valid UTF-8 get U+FFFD
// in place of each bad byte. `model` is not changed (GetTextureMap is called).
std::string SaveHostModelJson(HostModel& model);

// Writes SaveHostModelJson(model) to `path`; false with `error` set on failure.
bool SaveHostModelFile(HostModel& model, const std::string& path, std::string& error);

}  // namespace ortolix
