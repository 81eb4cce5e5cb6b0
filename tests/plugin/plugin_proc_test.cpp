#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"

namespace ortolix {
namespace {

// A registration record as the Host hands it over, pre-filled with a pattern
// so that untouched fields can be told from written ones.
class RecordingInfo final : public HostPluginInfo {
 public:
  explicit RecordingInfo(std::int32_t answer) : answer_(answer) {
    std::memset(identifier, 0xAB, sizeof identifier);
    registrationWord1 = registrationWord2 = -1;
    callback = nullptr;
    description = HostPathString(u"old description");
    versionText = HostPathString(u"old version");
    fileFilter = HostPathString(u"old filter");
  }

  std::int32_t RegisterExtension(HostPathString& extension) override {
    extensions.emplace_back(extension.Wide());
    narrowExtensions.emplace_back(extension.Narrow());
    // Registration fills the whole record before it registers the extension.
    recordFilledFirst = callback != nullptr && registrationWord2 == 7 &&
                        fileFilter.Wide() == std::u16string(u"DirectX 9.0 files (*.x)");
    return answer_;
  }

  std::vector<std::u16string> extensions;
  std::vector<std::string> narrowExtensions;
  bool recordFilledFirst = false;

 private:
  std::int32_t answer_;
};

std::vector<unsigned char> Bytes(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(p, p + size);
}

constexpr PluginWord kHandle = 0x1234;

TEST(PluginVersion, AnswersTheInterfaceVersion) { EXPECT_EQ(PluginVersion(), 22); }

TEST(PluginProc, RegisterWithNullArgumentLeavesEverythingUntouched) {
  RecordingInfo info(1);
  const std::vector<unsigned char> before = Bytes(&info, sizeof(HostPluginInfo));
  SetHostHandle(77);
  EXPECT_EQ(PluginProc(0x10016, &info, 0, 0), 0);
  EXPECT_EQ(PluginProc(0x10016, nullptr, kHandle, 0), 0);
  EXPECT_EQ(Bytes(&info, sizeof(HostPluginInfo)), before);
  EXPECT_TRUE(info.extensions.empty());
  EXPECT_EQ(HostHandle(), 77u);
}

TEST(PluginProc, RegisterFillsTheRecordAndRegistersTheExtension) {
  RecordingInfo info(1);
  EXPECT_EQ(PluginProc(0x10016, &info, kHandle, 0), 1);

  // The record bytes are pinned by RegistrationRecordBytes.
  EXPECT_EQ(info.extensions, std::vector<std::u16string>{u"x"});
  EXPECT_EQ(info.narrowExtensions, std::vector<std::string>{"x"});
  EXPECT_TRUE(info.recordFilledFirst);
  EXPECT_EQ(HostHandle(), kHandle);
}

// The Host reads the record as bytes: after the virtual-table pointer the
// identifier, the two words (little-endian), the callback address, then the
// three texts, each 520 bytes of UTF-16LE followed by 260 narrow bytes.
void AppendText(std::vector<unsigned char>& bytes, std::size_t at, const std::string& ascii) {
  bytes.resize(at + 780, 0);
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    bytes[at + 2 * i] = static_cast<unsigned char>(ascii[i]);
    bytes[at + 520 + i] = static_cast<unsigned char>(ascii[i]);
  }
}

TEST(PluginProc, RegistrationRecordBytes) {
  RecordingInfo info(1);
  ASSERT_EQ(PluginProc(0x10016, &info, kHandle, 0), 1);
  const std::size_t word = sizeof(void*);
  std::vector<unsigned char> expected = {0x0C, 0xF1, 0x06, 0xFF, 0x08, 0xB9, 0xC8, 0x43,
                                         0xA0, 0x2A, 0x61, 0xDF, 0x95, 0x94, 0xF5, 0x36,
                                         3, 0, 0, 0, 7, 0, 0, 0};
  const PluginCallbackFn callback = &PluginCallback;
  expected.resize(24 + word);
  std::memcpy(expected.data() + 24, &callback, word);
  const char* texts[] = {"DirectX 9.0 Importer/Exporter\r\n", "2.50.60", "DirectX 9.0 files (*.x)"};
  for (const char* text : texts) AppendText(expected, expected.size(), text);

  const auto* record = reinterpret_cast<const unsigned char*>(&info) + word;
  // Only the bytes of each text and its terminators are defined; the rest of
  // each buffer is whatever the copy carried.
  for (std::size_t i = 0; i < 24 + word; ++i) EXPECT_EQ(record[i], expected[i]) << "byte " << i;
  for (int t = 0; t < 3; ++t) {
    const std::size_t at = 24 + word + 780 * t;
    const std::size_t length = std::strlen(texts[t]);
    for (std::size_t i = 0; i <= 2 * length + 1; ++i)
      EXPECT_EQ(record[at + i], expected[at + i]) << "text " << t << " wide byte " << i;
    for (std::size_t i = 0; i <= length; ++i)
      EXPECT_EQ(record[at + 520 + i], expected[at + 520 + i]) << "text " << t << " narrow byte " << i;
  }
}

// Messages other than registration touch neither the record nor the host
// handle, whatever their arguments.
TEST(PluginProc, InterfaceVersionAndUnknownMessages) {
  struct Case {
    std::uint32_t message;
    std::int32_t result;
  };
  const Case cases[] = {{0x10017, 22}, {0x10030, 1}, {0x10015, 1}, {0x10018, 1}, {0, 1}, {0xFFFFFFFF, 1}};
  for (const Case& c : cases) {
    RecordingInfo info(1);
    const std::vector<unsigned char> before = Bytes(&info, sizeof(HostPluginInfo));
    SetHostHandle(77);
    EXPECT_EQ(PluginProc(c.message, &info, kHandle, kHandle), c.result) << std::hex << c.message;
    EXPECT_EQ(PluginProc(c.message, nullptr, 0, 0), c.result) << std::hex << c.message;
    EXPECT_EQ(Bytes(&info, sizeof(HostPluginInfo)), before) << std::hex << c.message;
    EXPECT_TRUE(info.extensions.empty());
    EXPECT_EQ(HostHandle(), 77u);
  }
}

TEST(PluginProc, RefusedExtensionFailsAfterTheRecordIsFilled) {
  RecordingInfo info(0);
  EXPECT_EQ(PluginProc(0x10016, &info, kHandle + 1, 0), 0);
  EXPECT_EQ(info.callback, &PluginCallback);
  EXPECT_EQ(std::u16string(info.versionText.Wide()), u"2.50.60");
  EXPECT_EQ(info.extensions.size(), 1u);
  EXPECT_EQ(HostHandle(), kHandle + 1);
}

}  // namespace
}  // namespace ortolix
