#include "cli/plugin_loader.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

#include "cli/plugin_clock_win32.h"
#endif

#include <optional>
#include <vector>

#include "platform/crt/text_convert.h"
#include "plugin/plugin_entry.h"

namespace ortolix::cli {

namespace {

// The --plugin path (empty: the linked-in plug-in) and, once loaded, its
// entry points. One plug-in per run of the command.
struct PluginChoice {
  std::string path;
  std::optional<PluginEntryPoints> loaded;
};

PluginChoice& Choice() {
  static PluginChoice choice;
  return choice;
}

// The dialog templates of the linked-in plug-in: on Windows in the command's
// own resources; elsewhere the headless dialog manager finds them by id, so
// any non-null instance does.
PluginWord OwnModuleInstance() {
#ifdef _WIN32
  return reinterpret_cast<PluginWord>(GetModuleHandleW(nullptr));
#else
  return 0x400000;
#endif
}

#ifdef _WIN32
PluginCallbackFn& RegisteredCallback() {
  static PluginCallbackFn registered = nullptr;
  return registered;
}

std::int32_t ORTOLIX_STDCALL KeepDirectoryCallback(std::uint32_t message, HostModel* model,
                                                   PluginWord argument, PluginWord extra) {
  std::vector<wchar_t> directory(MAX_PATH + 1, L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  if (length >= directory.size()) {
    directory.resize(length + 1);
    GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  }
  const std::int32_t result = RegisteredCallback()(message, model, argument, extra);
  SetCurrentDirectoryW(directory.data());
  return result;
}

bool LoadPluginLibrary(const std::string& path, PluginEntryPoints& out, std::string& error) {
  std::vector<WideChar> wide(path.size() + 1, 0);
  if (LocaleWideFromNarrow(wide.data(), wide.size(), path.c_str()) == kConversionFailed) {
    error = path + ": the path is not text of the ANSI code page";
    return false;
  }
  HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(wide.data()));
  if (module == nullptr) {
    error = path + ": LoadLibraryW failed (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  // GetProcAddress answers a generic FARPROC; the exports have these types.
  out.version = reinterpret_cast<PluginVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "PluginVersion")));
  out.proc = reinterpret_cast<PluginProcFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "PluginProc")));
  if (out.version == nullptr || out.proc == nullptr) {
    error = path + ": the DLL does not export PluginVersion and PluginProc";
    FreeLibrary(module);
    return false;
  }
  out.moduleInstance = reinterpret_cast<PluginWord>(module);
  if (!RouteClockImport(module)) {
    std::fprintf(stderr, "ortolix: %s reads the clock by other means: --epoch will not reach it\n",
                 path.c_str());
  }
  return true;  // stays loaded until the command exits, as in the Host
}
#else
bool LoadPluginLibrary(const std::string& path, PluginEntryPoints&, std::string& error) {
  error = path + ": loading a plug-in DLL needs the Windows build of the command";
  return false;
}
#endif

}  // namespace

void AddPluginOption(CLI::App& app) {
  app.add_option("--plugin", Choice().path,
                 "Load the plug-in DLL at PATH and drive it through its exports "
                 "(Windows; default: the plug-in built into the command)");
}

bool ChosenPlugin(PluginEntryPoints& out, std::string& error) {
  PluginChoice& choice = Choice();
  if (!choice.loaded) {
    PluginEntryPoints entry;
    if (choice.path.empty()) {
      entry = {&PluginVersion, &PluginProc, OwnModuleInstance()};
    } else if (!LoadPluginLibrary(choice.path, entry, error)) {
      return false;
    }
    choice.loaded = entry;
  }
  out = *choice.loaded;
  return true;
}

#ifdef _WIN32
PluginCallbackFn HostSideCallback(PluginCallbackFn registered) {
  RegisteredCallback() = registered;
  return registered != nullptr ? &KeepDirectoryCallback : nullptr;
}
#else
PluginCallbackFn HostSideCallback(PluginCallbackFn registered) { return registered; }
#endif

bool LinkedPluginChosen() { return Choice().path.empty(); }

}  // namespace ortolix::cli
