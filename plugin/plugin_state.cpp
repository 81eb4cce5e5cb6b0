#include "plugin/plugin_state.h"

namespace ortolix {

namespace {

struct PluginState {
  HostModel* currentModel = nullptr;
  PluginWord hostHandle = 0;
};

constinit PluginState state;

}  // namespace

HostModel* CurrentModel() { return state.currentModel; }
void SetCurrentModel(HostModel* model) { state.currentModel = model; }

PluginWord HostHandle() { return state.hostHandle; }
void SetHostHandle(PluginWord handle) { state.hostHandle = handle; }

}  // namespace ortolix
