// Plays a dialog script on a running headless dialog. Internal to platform/win32.
#pragma once

#include "platform/win32/headless_state.h"

namespace ortolix::headless {

// Plays the steps in order until they end or the dialog ends. Returns false,
// with the reason in Errors(), when a step names no suitable control or
// steps remain after the dialog ended.
bool PlayDialogScript(RunningDialog& dialog, int resource_id, const DialogScript& script);

}  // namespace ortolix::headless
