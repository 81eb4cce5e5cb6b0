// Shared helpers of the in-process Host tests: documents and loading.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "host/host_json.h"

namespace ortolix::host_test {

// A complete document: the header, then `members` (without a leading comma).
inline std::string Doc(std::string_view members = {}) {
  std::string text = R"({"format": "ortolix-host-model", "version": 1)";
  if (!members.empty()) (text += ", ") += members;
  return text + "}";
}

// A model that uses every key of the format: each texture kind, a null
// first path, missing texture records, faces of 2 to 5 corners, absent and
// empty lists, non-finite values, negative zeros, a subnormal, texts beyond
// ASCII.
inline constexpr std::string_view kRichDocument = R"({
  "format": "ortolix-host-model", "version": 1, "filePath": "out\\model.x",
  "creator": {"name": "Modeller \"Q\"", "version": "1.0", "website": "caf\u00e9.example \u2603 \ud834\udd1e"},
  "timeStamp": "Sat Dec 05 17:25:40 2026", "message": "line\nbreak\ttab",
  "materials": [
    {"name": "wood", "diffuse": [1, 0.5, 0.25, 1], "ambient": [0.1, 0.2, 0.3, 0.4],
     "emissive": [0, -0.0, 0, 1], "specular": ["nan", "-nan", "inf", "-inf"],
     "power": 32.5, "opacity": 0.75, "useCount": 3,
     "texture": {"kind": 1, "flags": 1, "path": "C:\\tex\\wood.bmp"}},
    {"name": "layered", "texture": {"kind": 4, "flags": 2, "path1": "a.bmp", "path2": "b.bmp"}},
    {"name": "nullpath", "texture": {"kind": 4, "flags": 1, "path1": null, "path2": ""}},
    {"name": "other", "texture": {"kind": 7}},
    {"name": "plain"}
  ],
  "vertices": [
    {"position": [0, 0, 0], "normal": [0, 1, 0], "color": [1, 1, 1, 1], "influences": [[0, 0.75], [1, 0.25]]},
    {"position": [1e-45, 3.4028235e38, -3.4028235e38], "normal": [0.1, 0.2, 0.3]},
    {"position": [-0, -0.0, 1e20], "color": [0.5, 0.5, 0.5, 0.5], "influences": []},
    {"position": [2, 0, 0]},
    {"position": [2, 2, 0]}
  ],
  "groups": [
    {"name": "body", "faceCount": 7, "materials": [0, 4]},
    {"name": "empty", "materials": []},
    {"name": "nouses"}
  ],
  "meshes": [
    {"faces": [
      {"material": 0, "group": 0, "corners": [0, 1, 2], "exportIndices": [5, 6, 7],
       "uv0": [[0, 0], [1, 0], [1, 1]], "uv1": [[0.5, 0.5], [0.25, 0.75], [-0.0, "inf"]]},
      {"material": 1, "group": 1, "corners": [0, 1, 2, 3, 4], "uv0": null},
      {"material": 2, "group": 2, "corners": [3, 4], "uv0": [[1, 2], [3, 4]], "uv1": null},
      {"material": 3, "group": 0, "corners": [4, 3, 2, 1]}
    ]},
    {},
    {"faces": []}
  ],
  "bones": [
    {"name": "root", "parent": -1, "translation": [1, 2, 3], "scale": [1, 1, 1],
     "rotation": [0, 0, 0.70710677, 0.70710677],
     "local": [1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1],
     "world": [1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1], "skinUseCount": 1},
    {"name": "arm", "parent": 0}
  ],
  "animations": [
    {"name": "walk", "start": 0, "end": 30, "fps": 30, "tracks": [
      {"position": [[0, 0, 0, 0], [1, 0, 1, -0.0]], "rotation": [[0, 0, 0, 0, 1]], "scale": [[0, 1, 1, 1]]},
      {"position": [], "rotation": [], "scale": []},
      {}
    ]},
    {"name": "idle"},
    {"name": "none", "tracks": []}
  ],
  "placed1": [
    {"name": "lamp", "position": [0, 5, 0],
     "orientation": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1], "distances": [1, 10]}
  ],
  "placed2": [
    {"name": "eye", "position": [0, 1, -5], "orientation": [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15]}
  ],
  "extras": []
})";

// Loads `text`; a failed load is a test failure and gives an empty Host.
inline std::unique_ptr<InProcessHost> Load(std::string_view text) {
  HostLoadResult result = LoadHostModelJson(text);
  EXPECT_TRUE(result.host) << result.error;
  return result.host ? std::move(result.host) : std::make_unique<InProcessHost>();
}

// The path part of a load error ("bones[3].rotaton: unknown key").
inline std::string ErrorPath(const std::string& error) { return error.substr(0, error.find(": ")); }

inline std::uint32_t Bits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace ortolix::host_test
