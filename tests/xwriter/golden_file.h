// Reads the hand-written expected outputs under tests/xwriter/golden/.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace ortolix::testing {

inline std::string ReadGolden(const std::string& name) {
  std::ifstream in(std::string(ORTOLIX_SOURCE_DIR) + "/tests/xwriter/golden/" + name,
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace ortolix::testing
