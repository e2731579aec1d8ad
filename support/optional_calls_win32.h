#pragma once

// Every call the program looks up at run time, in one table: the calls that only newer
// Windows versions have (the program runs on Windows 7 SP1 and later), and the calls of the
// libraries that are loaded from the system folder only when first needed. Each user of a call
// asks here and takes the older system's way when the answer is nullptr.
//
// Each call's function type is written once, below, and a caller gets the call as that type:
// a caller or a stand-in of another type does not compile. The table may be read from any
// thread.
//
// A test can pretend that a call is missing, or put a stand-in in its place, through
// ReplaceOptionalCall: the paths of older systems then run under the newest. Nothing in the
// program itself replaces a call, and nothing outside the process (no environment variable,
// registry value or file) changes the answers.

#include <windows.h>

// COM's types in the calls' parameters.
#include <ole2.h>

namespace trinumero {

enum class OptionalCall {
    // kernel32. Windows 8; Windows 7 with KB2533623.
    kSetDefaultDllDirectories,
    // user32. Windows 10 1607.
    kGetDpiForWindow,
    kAdjustWindowRectExForDpi,
    // shcore, loaded when first asked for. Windows 8.1.
    kGetDpiForMonitor,
    // ole32, oleaut32 and oleacc, loaded when a screen reader first asks. Every Windows.
    kCoInitializeEx,
    kCoCreateInstance,
    kSysAllocString,
    kCreateStdAccessibleObject,
    kLresultFromObject,
    // dwmapi, loaded when the window first draws dark or the highlight frame first moves. Windows
    // Vista.
    kDwmSetWindowAttribute,
    kDwmIsCompositionEnabled,
    kCount
};

// The function type of each call.
template <OptionalCall call>
struct OptionalCallSignature;

template <>
struct OptionalCallSignature<OptionalCall::kSetDefaultDllDirectories> {
    using Type = BOOL(WINAPI*)(DWORD);
};
template <>
struct OptionalCallSignature<OptionalCall::kGetDpiForWindow> {
    using Type = UINT(WINAPI*)(HWND);
};
template <>
struct OptionalCallSignature<OptionalCall::kAdjustWindowRectExForDpi> {
    using Type = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
};
// The second parameter is a MONITOR_DPI_TYPE.
template <>
struct OptionalCallSignature<OptionalCall::kGetDpiForMonitor> {
    using Type = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
};
template <>
struct OptionalCallSignature<OptionalCall::kCoInitializeEx> {
    using Type = HRESULT(WINAPI*)(void*, DWORD);
};
template <>
struct OptionalCallSignature<OptionalCall::kCoCreateInstance> {
    using Type = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
};
template <>
struct OptionalCallSignature<OptionalCall::kSysAllocString> {
    using Type = BSTR(WINAPI*)(const OLECHAR*);
};
template <>
struct OptionalCallSignature<OptionalCall::kCreateStdAccessibleObject> {
    using Type = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
};
template <>
struct OptionalCallSignature<OptionalCall::kLresultFromObject> {
    using Type = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
};
template <>
struct OptionalCallSignature<OptionalCall::kDwmSetWindowAttribute> {
    using Type = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
};
template <>
struct OptionalCallSignature<OptionalCall::kDwmIsCompositionEnabled> {
    using Type = HRESULT(WINAPI*)(BOOL*);
};

template <OptionalCall call>
using OptionalCallType = typename OptionalCallSignature<call>::Type;

namespace optional_calls_detail {

// Any function's address, before it is cast to the function's own type.
using AnyFunction = void (*)();

AnyFunction Address(OptionalCall call);
void Replace(OptionalCall call, AnyFunction address);

}  // namespace optional_calls_detail

// The call, or nullptr where this Windows lacks it. A library is loaded, from the system
// folder, at the first lookup of one of its calls and kept for the rest of the run.
template <OptionalCall call>
OptionalCallType<call> FindOptionalCall() {
    return reinterpret_cast<OptionalCallType<call>>(optional_calls_detail::Address(call));
}

// For tests: from now on the call is answered with the stand-in (nullptr: as if this Windows
// lacked it), until RestoreOptionalCalls.
template <OptionalCall call>
void ReplaceOptionalCall(OptionalCallType<call> stand_in) {
    optional_calls_detail::Replace(call,
                                   reinterpret_cast<optional_calls_detail::AnyFunction>(stand_in));
}
void RestoreOptionalCalls();

}  // namespace trinumero
