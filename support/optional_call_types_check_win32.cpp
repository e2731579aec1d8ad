// The function type the program writes for each call it looks up at run time, held against the
// SDK's own declaration of that call. Only the compiler runs this unit: nothing links it.
//
// A calling convention written wrong costs nothing on x86_64, which has only one, and corrupts
// the stack on i686, where the caller and the called function then disagree on who removes the
// arguments: here it stops the i686 build instead. The unit is built with the newest API level,
// under which the SDK declares every call; the program's own units keep Windows 7's.

#include <windows.h>

#include <dwmapi.h>
#include <oleacc.h>
#include <shellscalingapi.h>

#include <type_traits>

#include "support/optional_calls_win32.h"

namespace trinumero {
namespace {

// A parameter or result as the call passes it: an enumeration as the int it is passed as (the
// table writes MONITOR_DPI_TYPE as int, as its header needs Windows 8.1's API level).
template <typename T>
struct AsPassed {
    using Type = T;
};
template <typename T>
requires std::is_enum_v<T>
struct AsPassed<T> {
    using Type = int;
};

// Matches only a WINAPI (stdcall) function on i686, so an SDK declaration of another convention
// fails here too.
template <typename Function>
struct PassedSignature;
template <typename Result, typename... Parameters>
struct PassedSignature<Result(WINAPI*)(Parameters...)> {
    using Type = typename AsPassed<Result>::Type(WINAPI*)(typename AsPassed<Parameters>::Type...);
};

template <OptionalCall call, typename Declared>
constexpr bool kAsDeclared =
    std::is_same_v<OptionalCallType<call>, typename PassedSignature<Declared>::Type>;

static_assert(
    kAsDeclared<OptionalCall::kSetDefaultDllDirectories, decltype(&::SetDefaultDllDirectories)>);
static_assert(kAsDeclared<OptionalCall::kGetDpiForWindow, decltype(&::GetDpiForWindow)>);
static_assert(
    kAsDeclared<OptionalCall::kAdjustWindowRectExForDpi, decltype(&::AdjustWindowRectExForDpi)>);
static_assert(kAsDeclared<OptionalCall::kGetDpiForMonitor, decltype(&::GetDpiForMonitor)>);
static_assert(kAsDeclared<OptionalCall::kCoInitializeEx, decltype(&::CoInitializeEx)>);
static_assert(kAsDeclared<OptionalCall::kCoCreateInstance, decltype(&::CoCreateInstance)>);
static_assert(kAsDeclared<OptionalCall::kSysAllocString, decltype(&::SysAllocString)>);
static_assert(
    kAsDeclared<OptionalCall::kCreateStdAccessibleObject, decltype(&::CreateStdAccessibleObject)>);
static_assert(kAsDeclared<OptionalCall::kLresultFromObject, decltype(&::LresultFromObject)>);
static_assert(
    kAsDeclared<OptionalCall::kDwmSetWindowAttribute, decltype(&::DwmSetWindowAttribute)>);
static_assert(
    kAsDeclared<OptionalCall::kDwmIsCompositionEnabled, decltype(&::DwmIsCompositionEnabled)>);
static_assert(static_cast<int>(OptionalCall::kCount) == 11, "a new call is checked above too");

}  // namespace
}  // namespace trinumero
