// `ortolix export` end to end: exit statuses, the dialog answers, and a real
// reader (assimp, from assimp-utils) loading what we wrote with the counts
// we wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/xwriter/golden_file.h"

namespace ortolix {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) { return test::ReadFile(path.string()); }

// Runs a shell command line; returns its exit status (-1 when it did not exit).
int RunShell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests as parallel processes.
    dir_ = fs::path(::testing::TempDir()) /
           (std::string("ortolix_export_command_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // `ortolix export MODEL -o OUT ARGS`, standard error kept in err.txt; `shell`
  // runs first in the same shell (e.g. a ulimit).
  int Export(const fs::path& model, const fs::path& out, const std::string& args = "",
             const std::string& shell = ":") {
    return RunShell("(" + shell + "; TZ=UTC " + Quoted(ORTOLIX_CLI) + " export " +
                    Quoted(model.string()) + " -o " + Quoted(out.string()) + " " + args + ") 2>" +
                    Quoted((dir_ / "err.txt").string()));
  }
  std::string Errors() const { return ReadFile(dir_ / "err.txt"); }

  static fs::path Sample(const char* name) {
    return fs::path(ORTOLIX_SOURCE_DIR) / "samples" / name;
  }

  fs::path dir_;
};

TEST_F(ExportCommand, WritesTheSampleWithTheClockAndOptionsGiven) {
  const fs::path out = dir_ / "arm.x";
  ASSERT_EQ(Export(Sample("arm.json"), out, "--epoch 0 --ticks 25 --set export-templates=0"), 0)
      << Errors();
  const std::string text = ReadFile(out);
  EXPECT_EQ(text.rfind("xof 0303txt 0032\r\n\r\n// DirectX 9.0 file\r\n", 0), 0u);
  EXPECT_NE(text.find("// Time: Thu Jan 01 00:00:00 1970\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nAnimTicksPerSecond {\r\n 25;\r\n}\r\n"), std::string::npos);
  EXPECT_EQ(text.find("template Mesh {"), std::string::npos);
  EXPECT_EQ(text.find('\n', 0), text.find("\r\n", 0) + 1);
  // The same run twice gives the same bytes.
  ASSERT_EQ(Export(Sample("arm.json"), dir_ / "again.x", "--epoch 0 --ticks 25 "
                                                         "--set export-templates=0"), 0);
  EXPECT_EQ(ReadFile(dir_ / "again.x"), text);
}

TEST_F(ExportCommand, TheAnswerToTheUnskinnedVertexWarningDecides) {
  // Two of three vertices bound to the bone: the preparation warns.
  const fs::path model = dir_ / "partly_skinned.json";
  std::ofstream(model) << R"({"format": "ortolix-host-model", "version": 1,
    "vertices": [{"position": [0, 0, 0], "influences": [[0, 1]]},
                 {"position": [1, 0, 0], "influences": [[0, 1]]},
                 {"position": [0, 1, 0]}],
    "meshes": [{"faces": [{"corners": [0, 1, 2]}]}],
    "bones": [{"name": "root", "skinUseCount": 1}]})";
  EXPECT_EQ(Export(model, dir_ / "cancel.x", "--answer cancel"), 2);
  EXPECT_NE(Errors().find("Warning: Some vertices are not assigned to any bones."),
            std::string::npos)
      << Errors();
  EXPECT_FALSE(fs::exists(dir_ / "cancel.x"));
  EXPECT_EQ(Export(model, dir_ / "ok.x", "--answer ok"), 0) << Errors();
  EXPECT_NE(ReadFile(dir_ / "ok.x").find("Mesh skinnedMesh {"), std::string::npos);
}

TEST_F(ExportCommand, FailuresAndUsageErrors) {
  EXPECT_EQ(Export(Sample("arm.json"), dir_ / "no_dir" / "arm.x"), 1);
  EXPECT_NE(Errors().find("no_dir/arm.x: No such file or directory"), std::string::npos) << Errors();
  EXPECT_EQ(Export(dir_ / "missing.json", dir_ / "arm.x"), 1);
  EXPECT_EQ(Export(Sample("arm.json"), dir_ / "arm.x", "--set no-such-box=1"), 64);
  EXPECT_EQ(Export(Sample("arm.json"), dir_ / "arm.x", "--set export-animation=2"), 64);
  EXPECT_EQ(Export(Sample("arm.json"), dir_ / "arm.x", "--answer maybe"), 64);
}

// A write that fails part-way exits 1 naming the file and the reason, and
// leaves an existing file as it was, with no temporary file beside it.
TEST_F(ExportCommand, FailedWritesExitOneAndKeepTheOldFile) {
  EXPECT_EQ(Export(Sample("arm.json"), "/dev/full"), 1);
  EXPECT_NE(Errors().find("ortolix export: /dev/full: No space left on device"), std::string::npos)
      << Errors();

  const fs::path out = dir_ / "arm.x";
  std::ofstream(out) << "old";
  EXPECT_EQ(Export(Sample("arm.json"), out, "", "ulimit -f 4"), 1);
  EXPECT_NE(Errors().find(out.string() + ": File too large"), std::string::npos) << Errors();
  EXPECT_EQ(ReadFile(out), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // + err.txt
}

// A model the writer turns into a file no reader accepts (a face of one
// corner) is still written with exit 0, with a warning naming the problem.
TEST_F(ExportCommand, ReadsItsOutputBackAndWarns) {
  const fs::path model = dir_ / "one_corner.json";
  std::ofstream(model) << R"({"format": "ortolix-host-model", "version": 1,
    "vertices": [{"position": [0, 0, 0]}], "meshes": [{"faces": [{"corners": [0]}]}]})";
  EXPECT_EQ(Export(model, dir_ / "out.x"), 0);
  EXPECT_NE(Errors().find("warning: the written file does not read back: " +
                          (dir_ / "out.x").string() + ": Mesh 'staticMesh': face 0 has 1 corners"),
            std::string::npos)
      << Errors();
  EXPECT_EQ(Export(model, dir_ / "out.x", "--no-verify"), 0);
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(Export(Sample("arm.json"), dir_ / "arm.x"), 0);
  EXPECT_EQ(Errors(), "");
}

// The counts of a file we wrote, read from its text. Each Mesh is followed
// by its vertex and face lists; its material list and skin weights come
// before the next Mesh.
struct WrittenCounts {
  struct Mesh {
    std::vector<std::vector<int>> faces;  // corners
    std::vector<int> faceMaterials;
    std::vector<std::set<int>> boneVertices;  // one per SkinWeights
  };
  std::vector<Mesh> meshes;
  int animationSets = 0;
};

WrittenCounts CountWritten(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line.substr(std::min(line.find_first_not_of(' '), line.size())));
  }
  WrittenCounts counts;
  std::size_t i = 0;
  auto next_int = [&] { return std::atoi(lines.at(++i).c_str()); };
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("Mesh ", 0) == 0) {
      counts.meshes.emplace_back();
      const int vertices = next_int();
      i += static_cast<std::size_t>(vertices);
      const int faces = next_int();
      for (int f = 0; f < faces; ++f) {
        std::vector<int> corners;
        std::istringstream face(lines.at(++i));
        int count = 0;
        char separator = 0;
        face >> count >> separator;
        for (int k = 0; k < count; ++k) {
          int corner = 0;
          face >> corner >> separator;
          corners.push_back(corner);
        }
        counts.meshes.back().faces.push_back(corners);
      }
    } else if (line == "MeshMaterialList {") {
      next_int();
      const int indexes = next_int();
      for (int f = 0; f < indexes; ++f) counts.meshes.back().faceMaterials.push_back(next_int());
    } else if (line == "SkinWeights {") {
      ++i;  // the bone's name
      const int weights = next_int();
      std::set<int> vertices;
      for (int w = 0; w < weights; ++w) vertices.insert(next_int());
      counts.meshes.back().boneVertices.push_back(vertices);
    } else if (line.rfind("AnimationSet ", 0) == 0) {
      ++counts.animationSets;
    }
  }
  return counts;
}

// What assimp reports without post-processing: one mesh per material a Mesh
// uses, each face corner its own vertex, per such mesh the bones that weigh
// one of its vertices.
std::map<std::string, int> ExpectedReaderCounts(const WrittenCounts& written) {
  std::map<std::string, int> expected{
      {"Meshes", 0}, {"Vertices", 0}, {"Faces", 0}, {"Bones", 0}, {"Animations", 0}};
  for (const WrittenCounts::Mesh& mesh : written.meshes) {
    std::map<int, std::set<int>> verticesByMaterial;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
      const int material = f < mesh.faceMaterials.size() ? mesh.faceMaterials[f] : 0;
      std::set<int>& used = verticesByMaterial[material];
      used.insert(mesh.faces[f].begin(), mesh.faces[f].end());
      expected["Vertices"] += static_cast<int>(mesh.faces[f].size());
    }
    expected["Faces"] += static_cast<int>(mesh.faces.size());
    expected["Meshes"] += std::max<int>(1, static_cast<int>(verticesByMaterial.size()));
    for (const auto& [material, used] : verticesByMaterial) {
      for (const std::set<int>& bone : mesh.boneVertices) {
        bool weighs = false;
        for (int v : bone) weighs = weighs || used.count(v) != 0;
        expected["Bones"] += weighs ? 1 : 0;
      }
    }
  }
  expected["Animations"] = written.animationSets;
  return expected;
}

// The "Name:   N" summary lines of `assimp info`.
std::map<std::string, int> ReaderCounts(const std::string& report) {
  std::map<std::string, int> counts;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || line.find_first_of(" \t") < colon) continue;
    const std::string key = line.substr(0, colon);
    const char* value = line.c_str() + colon + 1;
    char* end = nullptr;
    const long n = std::strtol(value, &end, 10);
    if (end != value && counts.count(key) == 0) counts[key] = static_cast<int>(n);
  }
  return counts;
}

bool HaveAssimp() { return RunShell("command -v assimp >/dev/null 2>&1") == 0; }

TEST_F(ExportCommand, AssimpReadsOurSamplesWithTheCountsWeWrote) {
  if (!HaveAssimp()) {
    GTEST_SKIP() << "assimp not found (install assimp-utils): the cross-check with a real "
                    ".x reader is skipped";
  }
  struct Case {
    fs::path model;
    std::string args;
  };
  std::vector<Case> cases;
  for (const fs::directory_entry& entry : fs::directory_iterator(Sample(""))) {
    if (entry.path().extension() == ".json") cases.push_back({entry.path(), ""});
  }
  cases.push_back({Sample("arm.json"),
                   "--set export-groups-as-meshes=1 --set flip-handedness=1 "
                   "--set export-multiple-uvsets=1 --set use-full-texture-filepath=1 "
                   "--set export-root-bone-transform=1"});
  ASSERT_GE(cases.size(), 2u);
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model.string() + " " + c.args);
    const fs::path out = dir_ / ("sample" + std::to_string(n++) + ".x");
    ASSERT_EQ(Export(c.model, out, c.args), 0) << Errors();
    const fs::path report = dir_ / "assimp.txt";
    ASSERT_EQ(RunShell("assimp info " + Quoted(out.string()) + " --raw >" + Quoted(report.string()) +
                  " 2>&1"),
              0)
        << ReadFile(report);
    const std::map<std::string, int> reader = ReaderCounts(ReadFile(report));
    const WrittenCounts written = CountWritten(ReadFile(out));
    ASSERT_FALSE(written.meshes.empty());
    for (const auto& [key, value] : ExpectedReaderCounts(written)) {
      ASSERT_EQ(reader.count(key), 1u) << key << " missing in:\n" << ReadFile(report);
      EXPECT_EQ(reader.at(key), value) << key;
    }
  }
}

}  // namespace
}  // namespace ortolix
