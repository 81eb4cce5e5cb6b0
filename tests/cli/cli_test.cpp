// The ortolix command, run as a process: argument handling of every
// subcommand, exit statuses, --version and --help, and the model subcommand.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Per test, as ctest may run the tests of this file at the same time.
std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "ortolix_cli_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
}

Outcome RunOrtolix(const std::vector<std::string>& args) {
  std::string command = Quoted(ORTOLIX_CLI_PATH);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  const std::string out = TempPath("stdout"), err = TempPath("stderr");
  command += " >" + Quoted(out) + " 2>" + Quoted(err) + " </dev/null";
  Outcome run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  return run;
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) text += (text.empty() ? "" : " ") + arg;
  return text;
}

const std::string kSample = std::string(ORTOLIX_SOURCE_DIR) + "/samples/cube.json";
const std::string kMissing = "/nonexistent-dir/missing";

TEST(CliVersionAndHelp, VersionNamesThePluginAndInterfaceVersions) {
  const Outcome run = RunOrtolix({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("2.50.60"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("interface 22"), std::string::npos) << run.out;
}

TEST(CliVersionAndHelp, HelpListsEverySubcommand) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--help"}, {"-h"}}) {
    const Outcome run = RunOrtolix(args);
    EXPECT_EQ(run.status, 0);
    for (const char* name : {"export", "import", "convert", "info", "dump", "model"}) {
      EXPECT_NE(run.out.find(name), std::string::npos) << name;
    }
  }
  for (const char* name : {"export", "import", "convert", "info", "dump", "model"}) {
    const Outcome run = RunOrtolix({name, "--help"});
    EXPECT_EQ(run.status, 0) << name;
    EXPECT_NE(run.out.find(name), std::string::npos) << name;
  }
  const Outcome run = RunOrtolix({"export", "--help"});
  EXPECT_NE(run.out.find("--epoch"), std::string::npos);
  EXPECT_NE(run.out.find("--answer"), std::string::npos);
  EXPECT_NE(run.out.find("--set NAME=0|1 "), std::string::npos) << run.out;
}

// Command lines that are wrong: status 64 and a line on standard error.
const std::vector<std::vector<std::string>> kUsageErrors = {
    {},
    {"unknown"},
    {"--bogus"},
    {"export"},
    {"export", "m.json"},
    {"export", "m.json", "-o"},
    {"export", "m.json", "-o", "o.x", "extra"},
    {"export", "m.json", "-o", "o.x", "--set", "export-animation"},
    {"export", "m.json", "-o", "o.x", "--set", "export-animation=2"},
    {"export", "m.json", "-o", "o.x", "--set", "export-animation=yes"},
    {"export", "m.json", "-o", "o.x", "--set", "swap-scene=1"},  // an import box
    {"export", "m.json", "-o", "o.x", "--set", "Export-Animation=1"},
    {"export", "m.json", "-o", "o.x", "--answer", "maybe"},
    {"export", "m.json", "-o", "o.x", "--epoch", "soon"},
    {"export", "m.json", "-o", "o.x", "--epoch", "9223372036854775808"},
    {"export", "m.json", "-o", "o.x", "--epoch", "-9223372036854775809"},
    {"export", "m.json", "-o", "o.x", "--ticks", "caf\xE9"},
    {"export", "m.json", "-o", "o.x", "--ticks"},
    {"export", "m.json", "-o", "o.x", "--animation", "1"},
    {"import"},
    {"import", "a.x", "b.x"},
    {"import", "a.x", "--set", "export-materials=1"},
    {"import", "a.x", "--set", "center-scene=-1"},
    {"import", "a.x", "--animation", "-1"},
    {"import", "a.x", "--animation", "first"},
    {"import", "a.x", "--answer", "ok"},
    {"import", "a.x", "--epoch", "0"},
    {"convert", "a.x"},
    {"convert", "a.x", "-o", "b.x", "--set", "flip-handedness=1"},
    {"convert", "a.x", "-o", "b.x", "--import-set", "export-materials=1"},
    {"convert", "a.x", "-o", "b.x", "--export-set", "floor-scene=1"},
    {"convert", "a.x", "-o", "b.x", "--epoch", "1.5"},
    {"info"},
    {"info", "a.x", "b.x"},
    {"info", "a.x", "-o", "b.json"},
    {"dump"},
    {"dump", "a.x", "--set", "swap-scene=1"},
    {"model"},
    {"model", "a.json", "--flip"},
    {"export", "import"},
};

TEST(CliArguments, UsageErrorsExit64) {
  for (const auto& args : kUsageErrors) {
    const Outcome run = RunOrtolix(args);
    EXPECT_EQ(run.status, 64) << Joined(args) << "\n" << run.err;
    EXPECT_FALSE(run.err.empty()) << Joined(args);
  }
}

TEST(CliArguments, UnknownSubcommandIsNamed) {
  const Outcome run = RunOrtolix({"bogus", "a.x"});
  EXPECT_EQ(run.status, 64);
  EXPECT_NE(run.err.find("unknown subcommand \"bogus\""), std::string::npos) << run.err;
}

// Command lines that are right; the input does not exist, so every
// subcommand, built or not, ends in failure (1) with a reason.
std::vector<std::vector<std::string>> ValidLines() {
  return {
      {"export", kMissing, "-o", TempPath("o.x")},
      {"export", kMissing, "--output", TempPath("o.x"), "--set", "export-animation=0", "--set",
       "flip-handedness=1", "--ticks", "-25", "--epoch", "-9223372036854775808", "--answer", "cancel", "--cancel"},
      {"export", kMissing, "-o", TempPath("o.x"), "--ticks", ""},
      {"export", kMissing, "-o", TempPath("o.x"), "--ticks", "12ab", "--set", "export-ticks-per-second=1"},
      {"export", "--set", "export-animation=1", "--set", "export-materials=0", kMissing, "-o", TempPath("o.x")},
      {"import", kMissing},
      {"import", "--set", "swap-scene=1", kMissing},
      {"import", kMissing, "-o", TempPath("o.json"), "--set", "merge-similar-materials=0", "--set",
       "set-zero-shininess-to-default=1", "--ticks", "4800", "--animation", "2", "--cancel"},
      {"convert", kMissing, "-o", TempPath("o.x"), "--import-set", "swap-scene=1", "--export-set",
       "export-templates=0", "--import-ticks", "30", "--export-ticks", "", "--epoch", "0"},
      {"info", kMissing},
      {"dump", kMissing},
      {"model", kMissing},
  };
}

TEST(CliArguments, ValidLinesReachTheirSubcommand) {
  for (const auto& args : ValidLines()) {
    const Outcome run = RunOrtolix(args);
    EXPECT_EQ(run.status, 1) << Joined(args) << "\n" << run.err;
    EXPECT_FALSE(run.err.empty()) << Joined(args);
  }
}

// A file that cannot be read is named in the failure line.
TEST(CliArguments, ImportCommandsNameTheFileTheyCannotRead) {
  const std::vector<std::vector<std::string>> lines = {
      {"import", kMissing},
      {"convert", kMissing, "-o", TempPath("o.x")},
      {"info", kMissing},
  };
  for (const auto& args : lines) {
    const Outcome run = RunOrtolix(args);
    EXPECT_EQ(run.status, 1) << Joined(args);
    EXPECT_NE(run.err.find(kMissing), std::string::npos) << Joined(args) << "\n" << run.err;
  }
}

TEST(CliModel, LoadsSavesAndSummarisesTheSample) {
  const std::string out = TempPath("cube.json");
  const Outcome run = RunOrtolix({"model", kSample, "-o", out});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("meshes: 1 (6 faces, 24 corners)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("bones: none"), std::string::npos) << run.out;
  // Saving the saved model again changes nothing.
  const std::string again = TempPath("cube2.json");
  ASSERT_EQ(RunOrtolix({"model", out, "-o", again}).status, 0);
  EXPECT_EQ(ReadFile(again), ReadFile(out));
  EXPECT_NE(ReadFile(out).find("\"format\": \"ortolix-host-model\""), std::string::npos);
}

TEST(CliModel, AppliesHostOperations) {
  const std::string out = TempPath("cube_tri.json");
  const Outcome run = RunOrtolix({"model", kSample, "--triangulate", "--flip-handedness", "-o", out});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("meshes: 1 (12 faces, 36 corners)"), std::string::npos) << run.out;
  // The first quad (0, 3, 2, 1) becomes (0, 3, 2) and (0, 2, 1), then reversed.
  EXPECT_NE(ReadFile(out).find("\"corners\": [2, 3, 0]"), std::string::npos);
}

TEST(CliModel, RebuildsTheSkeleton) {
  const std::string in = TempPath("bones.json"), out = TempPath("bones_out.json");
  std::ofstream(in) << R"({"format": "ortolix-host-model", "version": 1,
      "bones": [{"translation": [1, 2, 3]}, {"parent": 0, "translation": [0, 0, 1]}]})";
  ASSERT_EQ(RunOrtolix({"model", in, "--rebuild-skeleton", "-o", out}).status, 0);
  EXPECT_NE(ReadFile(out).find(R"("world": [1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 4, 0, 0, 0, 1])"),
            std::string::npos)
      << ReadFile(out);
}

TEST(CliModel, BadModelsFailWithThePlace) {
  const std::string bad = TempPath("bad.json");
  std::ofstream(bad) << R"({"format": "ortolix-host-model", "version": 1, "bones": [{"rotaton": 1}]})";
  Outcome run = RunOrtolix({"model", bad});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("bones[0].rotaton"), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());

  run = RunOrtolix({"model", kSample, "-o", kMissing + "/out.json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(kMissing + "/out.json: No such file or directory"), std::string::npos) << run.err;
  run = RunOrtolix({"model", kSample, "-o", "/dev/full"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("/dev/full: No space left on device"), std::string::npos) << run.err;
}

}  // namespace

namespace {

std::string CorpusFile(const std::string& name) {
  const char* env = std::getenv("ORTOLIX_SHARED_DIR");
  return std::string(env != nullptr ? env : ORTOLIX_SHARED_DIR) + "/corpus/public/" + name;
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// import, info and convert on a skinned, animated real file.
TEST(CliImport, InfoImportAndConvertOfARealFile) {
  const std::string in = CorpusFile("dxl_tiny.x");
  if (!Exists(in)) GTEST_SKIP() << "no corpus";
  const Outcome info = RunOrtolix({"info", in});
  ASSERT_EQ(info.status, 0) << info.err;
  for (const char* line : {"faces: 6841\n", "frames: 48\n", "animations: 1\n", "  DefaultAnim (length: 4960)\n"}) {
    EXPECT_NE(info.out.find(line), std::string::npos) << line << info.out;
  }
  const Outcome summary = RunOrtolix({"import", in, "--set", "swap-scene=1", "--ticks", "4800"});
  ASSERT_EQ(summary.status, 0) << summary.err;
  EXPECT_NE(summary.out.find("meshes: 1 (6841 faces, 20523 corners)"), std::string::npos) << summary.out;

  const std::string json = TempPath("tiny.json");
  std::remove(json.c_str());
  const Outcome cancelled = RunOrtolix({"import", in, "-o", json, "--cancel"});
  EXPECT_EQ(cancelled.status, 2);
  EXPECT_FALSE(Exists(json));
  ASSERT_EQ(RunOrtolix({"import", in, "-o", json, "--animation", "7"}).status, 0);
  EXPECT_NE(ReadFile(json).find("\"format\": \"ortolix-host-model\""), std::string::npos);

  const std::string out = TempPath("tiny.x");
  const Outcome convert = RunOrtolix({"convert", in, "-o", out, "--epoch", "0", "--export-set",
                                      "export-animation=0"});
  ASSERT_EQ(convert.status, 0) << convert.err;
  const Outcome back = RunOrtolix({"info", out});
  EXPECT_NE(back.out.find("faces: 6841\n"), std::string::npos) << back.out;
  EXPECT_NE(back.out.find("animations: 0\n"), std::string::npos) << back.out;
}

// What the reader repaired reaches standard error, one line per kind with
// where it first happened: a file-level laxity and a mesh-level repair.
TEST(CliImport, InfoAndImportPrintWhatTheReaderRepaired) {
  const std::string in = TempPath("repaired.x");
  std::ofstream(in, std::ios::binary)
      << "xof 0303txt 0032\nMesh m {\n 3;\n 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n 1;\n 3;0,1,2;;\n"
         " MeshMaterialList {\n  2;\n  1;\n  0;;\n"
         "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n }\n}\n}\n";
  for (const char* command : {"info", "import"}) {
    const Outcome run = RunOrtolix({command, in});
    ASSERT_EQ(run.status, 0) << command << run.err;
    EXPECT_NE(run.err.find(": warning: " + in + ": line 14, column 1: a '}' closing nothing"),
              std::string::npos) << command << run.err;
    EXPECT_NE(run.err.find("(missing-materials, 1 time)"), std::string::npos) << command << run.err;
  }
}

// A name in Shift-JIS reaches the saved model as its characters under
// --codepage 932, and as U+FFFD (valid JSON) under the default UTF-8.
TEST(CliImport, NamesAreReadInTheChosenCodePage) {
  const std::string in = TempPath("sjis.x");
  std::ofstream(in, std::ios::binary)
      << "xof 0303txt 0032\nFrame \x95\x5c\x8e\xa6 {\n Mesh m {\n 3;\n 0.0;0.0;0.0;, 1.0;0.0;0.0;, "
         "0.0;1.0;0.0;;\n 1;\n 3;0,1,2;;\n }\n}\n";
  const std::string json = TempPath("sjis.json");
  ASSERT_EQ(RunOrtolix({"--codepage", "932", "import", in, "-o", json}).status, 0);
  EXPECT_NE(ReadFile(json).find("\"\u8868\u793a\""), std::string::npos) << ReadFile(json);
  const Outcome utf8 = RunOrtolix({"import", in, "-o", json});
  ASSERT_EQ(utf8.status, 0) << utf8.err;
  EXPECT_NE(ReadFile(json).find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_NE(utf8.err.find("became U+FFFD"), std::string::npos) << utf8.err;
}

// --plugin goes before or after the subcommand; this build cannot load a
// DLL, so every command that reaches the plug-in fails with the reason and
// writes nothing.
TEST(CliPlugin, LoadingADllFailsLoudlyOffWindows) {
  const std::string out = TempPath("out.x");
  const std::vector<std::vector<std::string>> runs = {
      {"--plugin", "ortolix.dlx", "export", kSample, "-o", out},
      {"export", kSample, "-o", out, "--plugin", "ortolix.dlx"},
      {"--plugin", "ortolix.dlx", "info", std::string(ORTOLIX_SOURCE_DIR) + "/samples/cube.json"}};
  for (const std::vector<std::string>& args : runs) {
    const Outcome run = RunOrtolix(args);
    EXPECT_EQ(run.status, 1) << Joined(args);
    EXPECT_NE(run.err.find("ortolix.dlx: loading a plug-in DLL needs the Windows build"),
              std::string::npos)
        << Joined(args) << ": " << run.err;
    EXPECT_TRUE(ReadFile(out).empty()) << Joined(args);
  }
}

}  // namespace
