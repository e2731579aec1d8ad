#include "support/optional_calls_win32.h"

#include <array>
#include <cstddef>

#include "support/system_library_win32.h"

namespace trinumero {

namespace {

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
    Library library;
    const char* name;
};

constexpr std::array<CallSource, static_cast<std::size_t>(OptionalCall::kCount)> kCallSources{{
    {Library::kKernel32, "SetDefaultDllDirectories"},
    {Library::kKernel32, nullptr},  // the fast fail, asked of the processor features
    {Library::kUser32, "GetDpiForWindow"},
    {Library::kUser32, "AdjustWindowRectExForDpi"},
    {Library::kShcore, "GetDpiForMonitor"},
    {Library::kOle32, "CoInitializeEx"},
    {Library::kOle32, "CoCreateInstance"},
    {Library::kOleaut32, "SysAllocString"},
    {Library::kOleacc, "CreateStdAccessibleObject"},
    {Library::kOleacc, "LresultFromObject"},
    {Library::kDwmapi, "DwmSetWindowAttribute"},
}};

// What has been looked up, or put in place by a test, so far.
struct OptionalCallTable {
    std::array<HMODULE, static_cast<std::size_t>(Library::kCount)> modules{};
    std::array<bool, static_cast<std::size_t>(Library::kCount)> modules_tried{};
    std::array<AnyFunction, static_cast<std::size_t>(OptionalCall::kCount)> addresses{};
    std::array<bool, static_cast<std::size_t>(OptionalCall::kCount)> known{};
};

OptionalCallTable& Table() {
    static OptionalCallTable table;
    return table;
}

HMODULE ModuleOf(Library library) {
    OptionalCallTable& table = Table();
    const auto index = static_cast<std::size_t>(library);
    if (!table.modules_tried[index]) {
        table.modules_tried[index] = true;
        // A library the program loads stays for the rest of the run: its calls are kept.
        table.modules[index] = AlwaysMapped(library)
                                   ? GetModuleHandleW(kLibraryFiles[index])
                                   : LoadSystemLibrary(kLibraryFiles[index]).release();
    }
    return table.modules[index];
}

AnyFunction LookUp(OptionalCall call) {
    if (call == OptionalCall::kFastFail) {
        return IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE)
                   ? reinterpret_cast<AnyFunction>(&IsProcessorFeaturePresent)
                   : nullptr;
    }
    const CallSource& source = kCallSources[static_cast<std::size_t>(call)];
    return LookUpFunction<AnyFunction>(ModuleOf(source.library), source.name);
}

}  // namespace

AnyFunction OptionalCallAddress(OptionalCall call) {
    OptionalCallTable& table = Table();
    const auto index = static_cast<std::size_t>(call);
    if (index >= table.addresses.size()) {
        return nullptr;
    }
    if (!table.known[index]) {
        table.addresses[index] = LookUp(call);
        table.known[index] = true;
    }
    return table.addresses[index];
}

bool FastFailAvailable() {
    return OptionalCallAddress(OptionalCall::kFastFail) != nullptr;
}

void ReplaceOptionalCall(OptionalCall call, AnyFunction address) {
    OptionalCallTable& table = Table();
    const auto index = static_cast<std::size_t>(call);
    if (index < table.addresses.size()) {
        table.addresses[index] = address;
        table.known[index] = true;
    }
}

void RestoreOptionalCalls() {
    Table().known.fill(false);
}

}  // namespace trinumero
