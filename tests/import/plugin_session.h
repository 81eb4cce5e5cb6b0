// Running the plug-in's import and export messages on in-process Hosts, as
// the Host does, with the dialogs answered OK. For the end-to-end tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/in_process_host.h"

namespace ortolix::import_test {

// Reads `path` into a new Host and transfers it with the import dialog's
// defaults; the Host's use counts are brought up to date as the Host does.
// `read` and `transfer` receive the two messages' results; the Host is
// returned whatever they were.
std::unique_ptr<InProcessHost> ImportFile(const std::string& path, std::int32_t* read = nullptr,
                                          std::int32_t* transfer = nullptr);

// Exports `host` to `path` with the export dialog's defaults, and "Export
// multiple uvsets" when `second_uv_set`; 1 when both export messages
// answered 1.
std::int32_t ExportTo(InProcessHost& host, const std::string& path, bool second_uv_set = false);

// A path in the temporary directory, unique to this process.
std::string TempFile(const std::string& name);

// The shared folder (ORTOLIX_SHARED_DIR from the environment, else the one
// beside the source tree).
std::string SharedDir();

}  // namespace ortolix::import_test
