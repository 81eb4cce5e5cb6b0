#include "plugin/message_dispatch.h"

#include <new>

#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"

namespace ortolix {

namespace {

enum class Needs { kNothing, kModel, kModelAndArgument };

struct MessageRule {
  Needs needs;
  bool storesModel;
  bool storesHostHandle;
  MessageHandler MessageHandlers::*handler;  // null: the message answers `fixedResult`
  std::int32_t fixedResult;
};

constexpr std::uint32_t kFirstMessage = kMessageImportRead;
constexpr std::uint32_t kLastMessage = kMessageExportPrepare;

// One rule per message from 0x10018 to 0x10020.
constexpr MessageRule kRules[kLastMessage - kFirstMessage + 1] = {
    {Needs::kModel, true, false, &MessageHandlers::importRead, 0},             // 0x10018
    {Needs::kModel, true, false, &MessageHandlers::exportWrite, 0},            // 0x10019
    {Needs::kNothing, false, false, nullptr, 0},                               // 0x1001a
    {Needs::kNothing, false, false, nullptr, 0},                               // 0x1001b
    {Needs::kNothing, false, false, nullptr, 0},                               // 0x1001c
    {Needs::kNothing, false, false, nullptr, 0},                               // 0x1001d
    {Needs::kModelAndArgument, true, true, nullptr, 1},                        // 0x1001e
    {Needs::kModelAndArgument, true, false, &MessageHandlers::importTransfer, 0},  // 0x1001f
    {Needs::kModelAndArgument, true, true, &MessageHandlers::exportPrepare, 0},    // 0x10020
};

static_assert(kMessageAccept - kFirstMessage == 6);
static_assert(kMessageImportTransfer - kFirstMessage == 7);

bool HasArguments(const MessageRule& rule, const HostModel* model, PluginWord argument) {
  switch (rule.needs) {
    case Needs::kNothing: return true;
    case Needs::kModel: return model != nullptr;
    case Needs::kModelAndArgument: return model != nullptr && argument != 0;
  }
  return false;
}

}  // namespace

std::int32_t DispatchMessage(const MessageHandlers& handlers, std::uint32_t message,
                             HostModel* model, PluginWord argument) {
  if (message < kFirstMessage || message > kLastMessage) return 0;
  const MessageRule& rule = kRules[message - kFirstMessage];
  if (!HasArguments(rule, model, argument)) return 0;
  if (rule.storesModel) SetCurrentModel(model);
  if (rule.storesHostHandle) SetHostHandle(argument);
  if (rule.handler == nullptr) return rule.fixedResult;
  const MessageHandler handler = handlers.*rule.handler;
  if (handler == nullptr) return 0;
  // Nothing may unwind into the Host; running out of memory is a failure.
  try {
    return handler(*model, argument);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

}  // namespace ortolix
