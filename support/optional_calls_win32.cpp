#include "support/optional_calls_win32.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "support/system_library_win32.h"

namespace trinumero {

namespace {

using optional_calls_detail::AnyFunction;

enum class Library { kKernel32, kUser32, kShcore, kOle32, kOleaut32, kOleacc, kDwmapi, kCount };

constexpr std::array<const wchar_t*, static_cast<std::size_t>(Library::kCount)> kLibraryFiles{
    L"kernel32.dll", L"user32.dll", L"shcore.dll", L"ole32.dll",
    L"oleaut32.dll", L"oleacc.dll", L"dwmapi.dll"};

// kernel32 is mapped into every process, and user32 into this one through its import table:
// asking for their handles loads nothing.
bool AlwaysMapped(Library library) {
    return library == Library::kKernel32 || library == Library::kUser32;
}

struct CallSource {
    OptionalCall call;
    Library library;
    const char* name;
};

constexpr std::array<CallSource, static_cast<std::size_t>(OptionalCall::kCount)> kCallSources{{
    {OptionalCall::kSetDefaultDllDirectories, Library::kKernel32, "SetDefaultDllDirectories"},
    {OptionalCall::kGetDpiForWindow, Library::kUser32, "GetDpiForWindow"},
    {OptionalCall::kAdjustWindowRectExForDpi, Library::kUser32, "AdjustWindowRectExForDpi"},
    {OptionalCall::kGetDpiForMonitor, Library::kShcore, "GetDpiForMonitor"},
    {OptionalCall::kCoInitializeEx, Library::kOle32, "CoInitializeEx"},
    {OptionalCall::kCoCreateInstance, Library::kOle32, "CoCreateInstance"},
    {OptionalCall::kSysAllocString, Library::kOleaut32, "SysAllocString"},
    {OptionalCall::kCreateStdAccessibleObject, Library::kOleacc, "CreateStdAccessibleObject"},
    {OptionalCall::kLresultFromObject, Library::kOleacc, "LresultFromObject"},
    {OptionalCall::kDwmSetWindowAttribute, Library::kDwmapi, "DwmSetWindowAttribute"},
    {OptionalCall::kDwmIsCompositionEnabled, Library::kDwmapi, "DwmIsCompositionEnabled"},
}};

// A call finds its row by its number.
constexpr bool RowsInCallOrder() {
    for (std::size_t row = 0; row < kCallSources.size(); ++row) {
        if (static_cast<std::size_t>(kCallSources[row].call) != row) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInCallOrder(), "every row of kCallSources stands at its call's number");

// A slot holds kUnknown until its module or call has been looked up, then kMissing or the
// address. Nothing is ever at address 1. Threads that look up the same slot at once find the
// same address, and the first one stored stays.
using Slot = std::atomic<std::uintptr_t>;
constexpr std::uintptr_t kUnknown = 0;
constexpr std::uintptr_t kMissing = 1;

// What has been looked up, or put in place by a test, so far.
struct OptionalCallTable {
    std::array<Slot, static_cast<std::size_t>(Library::kCount)> modules{};
    std::array<Slot, static_cast<std::size_t>(OptionalCall::kCount)> calls{};
};

// Constant-initialised: no code runs to make it, so any thread may be the first to use it.
OptionalCallTable& Table() {
    static constinit OptionalCallTable table;
    return table;
}

std::uintptr_t SlotValue(AnyFunction function) {
    return function != nullptr ? reinterpret_cast<std::uintptr_t>(function) : kMissing;
}

HMODULE ModuleOf(Library library) {
    const auto index = static_cast<std::size_t>(library);
    Slot& slot = Table().modules[index];
    std::uintptr_t known = slot.load(std::memory_order_acquire);
    if (known == kUnknown) {
        // A library the program loads stays for the rest of the run: its calls are kept. A
        // thread that loses the race to store it gives its own reference back.
        LibraryHandle loaded;
        HMODULE module = nullptr;
        if (AlwaysMapped(library)) {
            module = GetModuleHandleW(kLibraryFiles[index]);
        } else {
            loaded = LoadSystemLibrary(kLibraryFiles[index]);
            module = loaded.get();
        }
        const std::uintptr_t found =
            module != nullptr ? reinterpret_cast<std::uintptr_t>(module) : kMissing;
        if (slot.compare_exchange_strong(known, found, std::memory_order_acq_rel)) {
            known = found;
            loaded.release();
        }
    }
    return known != kMissing ? reinterpret_cast<HMODULE>(known) : nullptr;
}

}  // namespace

namespace optional_calls_detail {

AnyFunction Address(OptionalCall call) {
    const auto index = static_cast<std::size_t>(call);
    if (index >= kCallSources.size()) {
        return nullptr;
    }
    Slot& slot = Table().calls[index];
    std::uintptr_t known = slot.load(std::memory_order_acquire);
    if (known == kUnknown) {
        const CallSource& source = kCallSources[index];
        const std::uintptr_t found =
            SlotValue(LookUpFunction<AnyFunction>(ModuleOf(source.library), source.name));
        if (slot.compare_exchange_strong(known, found, std::memory_order_acq_rel)) {
            known = found;
        }
    }
    return known != kMissing ? reinterpret_cast<AnyFunction>(known) : nullptr;
}

void Replace(OptionalCall call, AnyFunction address) {
    const auto index = static_cast<std::size_t>(call);
    if (index < kCallSources.size()) {
        Table().calls[index].store(SlotValue(address), std::memory_order_release);
    }
}

}  // namespace optional_calls_detail

void RestoreOptionalCalls() {
    for (Slot& slot : Table().calls) {
        slot.store(kUnknown, std::memory_order_release);
    }
}

}  // namespace trinumero
