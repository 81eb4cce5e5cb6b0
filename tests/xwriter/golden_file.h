// Reads the hand-written expected outputs under tests/xwriter/golden/.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace ortolix::test {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::string ReadGolden(const std::string& name) {
  return ReadFile(std::string(ORTOLIX_SOURCE_DIR) + "/tests/xwriter/golden/" + name);
}

}  // namespace ortolix::test
