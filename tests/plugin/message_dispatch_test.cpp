#include "plugin/message_dispatch.h"

#include <gtest/gtest.h>

#include <new>

#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"
#include "tests/support/inert_host_model.h"

namespace ortolix {
namespace {

using test::InertHostModel;

// What the last handler saw, and the result the next one gives.
struct HandlerLog {
  int calls = 0;
  char which = ' ';
  HostModel* model = nullptr;
  PluginWord argument = 0;
  HostModel* currentModelDuringCall = nullptr;
  PluginWord hostHandleDuringCall = 0;
  std::int32_t result = 1;
};

HandlerLog log_;

template <char Which>
std::int32_t Record(HostModel& model, PluginWord argument) {
  ++log_.calls;
  log_.which = Which;
  log_.model = &model;
  log_.argument = argument;
  log_.currentModelDuringCall = CurrentModel();
  log_.hostHandleDuringCall = HostHandle();
  return log_.result;
}

std::int32_t RunOutOfMemory(HostModel&, PluginWord) { throw std::bad_alloc(); }

const MessageHandlers kRecording = {
    .importRead = &Record<'r'>,
    .exportWrite = &Record<'w'>,
    .importTransfer = &Record<'t'>,
    .exportPrepare = &Record<'p'>,
};

constexpr PluginWord kInstance = 0x400000;
constexpr PluginWord kOldHandle = 0x55;

class DispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    log_ = HandlerLog{};
    SetCurrentModel(&previous_);
    SetHostHandle(kOldHandle);
  }

  void ExpectStateUntouched() {
    EXPECT_EQ(CurrentModel(), &previous_);
    EXPECT_EQ(HostHandle(), kOldHandle);
  }

  InertHostModel previous_;
  InertHostModel model_;
};

struct HandledCase {
  std::uint32_t message;
  char which;
  bool needsArgument;
  bool storesHostHandle;
};

const HandledCase kHandled[] = {
    {kMessageImportRead, 'r', false, false},
    {kMessageExportWrite, 'w', false, false},
    {kMessageImportTransfer, 't', true, false},
    {kMessageExportPrepare, 'p', true, true},
};

TEST_F(DispatchTest, HandlerRunsAfterTheModelIsStored) {
  for (const HandledCase& c : kHandled) {
    SetUp();
    log_.result = 2;
    EXPECT_EQ(DispatchMessage(kRecording, c.message, &model_, kInstance), 2) << std::hex << c.message;
    EXPECT_EQ(log_.calls, 1);
    EXPECT_EQ(log_.which, c.which);
    EXPECT_EQ(log_.model, &model_);
    EXPECT_EQ(log_.argument, kInstance);
    EXPECT_EQ(log_.currentModelDuringCall, &model_);
    EXPECT_EQ(log_.hostHandleDuringCall, c.storesHostHandle ? kInstance : kOldHandle);
    EXPECT_EQ(CurrentModel(), &model_);
  }
}

TEST_F(DispatchTest, NullModelAnswersZeroAndStoresNothing) {
  for (const HandledCase& c : kHandled) {
    SetUp();
    EXPECT_EQ(DispatchMessage(kRecording, c.message, nullptr, kInstance), 0) << std::hex << c.message;
    EXPECT_EQ(log_.calls, 0);
    ExpectStateUntouched();
  }
}

TEST_F(DispatchTest, NullArgumentMattersOnlyForTheDialogMessages) {
  for (const HandledCase& c : kHandled) {
    SetUp();
    const std::int32_t result = DispatchMessage(kRecording, c.message, &model_, 0);
    EXPECT_EQ(result, c.needsArgument ? 0 : 1) << std::hex << c.message;
    EXPECT_EQ(log_.calls, c.needsArgument ? 0 : 1);
    EXPECT_EQ(CurrentModel(), c.needsArgument ? &previous_ : &model_);
    EXPECT_EQ(HostHandle(), kOldHandle);
  }
}

TEST_F(DispatchTest, OutOfMemoryInAHandlerAnswersZero) {
  MessageHandlers throwing = kRecording;
  throwing.exportPrepare = &RunOutOfMemory;
  EXPECT_EQ(DispatchMessage(throwing, kMessageExportPrepare, &model_, kInstance), 0);
  EXPECT_EQ(CurrentModel(), &model_);
}

TEST_F(DispatchTest, AcceptNeedsBothArgumentsAndDoesNoOtherWork) {
  EXPECT_EQ(DispatchMessage(kRecording, kMessageAccept, &model_, 0), 0);
  EXPECT_EQ(DispatchMessage(kRecording, kMessageAccept, nullptr, kInstance), 0);
  ExpectStateUntouched();
  EXPECT_EQ(DispatchMessage(kRecording, kMessageAccept, &model_, kInstance), 1);
  EXPECT_EQ(CurrentModel(), &model_);
  EXPECT_EQ(HostHandle(), kInstance);
  EXPECT_EQ(log_.calls, 0);
}

TEST_F(DispatchTest, MessagesWithoutWorkAnswerZero) {
  for (std::uint32_t message = 0x1001a; message <= 0x1001d; ++message) {
    EXPECT_EQ(DispatchMessage(kRecording, message, &model_, kInstance), 0) << std::hex << message;
  }
  for (std::uint32_t message : {0u, 0x10016u, 0x10017u, 0x10021u, 0x20018u, 0xFFFFFFFFu}) {
    EXPECT_EQ(DispatchMessage(kRecording, message, &model_, kInstance), 0) << std::hex << message;
  }
  EXPECT_EQ(log_.calls, 0);
  ExpectStateUntouched();
}

}  // namespace
}  // namespace ortolix
