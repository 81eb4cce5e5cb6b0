#include "cli/plugin_clock_win32.h"

#include <cstring>
#include <ctime>

#include "platform/crt/clock.h"

namespace ortolix::cli {

namespace {

__time64_t __cdecl CommandTime64(__time64_t* out) {
  const __time64_t now = Time64();
  if (out != nullptr) *out = now;
  return now;
}

template <typename T>
T* At(BYTE* base, DWORD offset) {
  return reinterpret_cast<T*>(base + offset);
}

// The import address slot of msvcrt.dll!_time64 in `module`, or null.
ULONG_PTR* Time64Slot(BYTE* base) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = At<IMAGE_NT_HEADERS>(base, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); dll->Name != 0; ++dll) {
    if (lstrcmpiA(At<char>(base, dll->Name), "msvcrt.dll") != 0) continue;
    const DWORD namesAt = dll->OriginalFirstThunk != 0 ? dll->OriginalFirstThunk : dll->FirstThunk;
    auto* names = At<IMAGE_THUNK_DATA>(base, namesAt);
    auto* slots = At<IMAGE_THUNK_DATA>(base, dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "_time64") == 0) {
        return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

}  // namespace

bool RouteClockImport(HMODULE module) {
  ULONG_PTR* slot = Time64Slot(reinterpret_cast<BYTE*>(module));
  if (slot == nullptr) return false;
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return false;
  *slot = reinterpret_cast<ULONG_PTR>(&CommandTime64);
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace ortolix::cli
