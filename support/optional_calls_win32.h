#pragma once

// Every call the program looks up at run time, in one table: the calls that only newer
// Windows versions have (the program runs on Windows 7 SP1 and later), and the calls of the
// libraries that are loaded from the system folder only when first needed. Each user of a call
// asks here and takes the older system's way when the answer is nullptr.
//
// A test can pretend that a call is missing, or put a stand-in in its place, through
// ReplaceOptionalCall: the paths of older systems then run under the newest. Nothing in the
// program itself replaces a call, and nothing outside the process (no environment variable,
// registry value or file) changes the answers.

#include <windows.h>

namespace trinumero {

// Any function's address, before it is cast to the function's own type.
using AnyFunction = void (*)();

enum class OptionalCall {
    // kernel32. Windows 8; Windows 7 with KB2533623.
    kSetDefaultDllDirectories,
    // Not a call: whether the system ends a process by a fast fail (int 0x29), from Windows 8
    // on; its address is IsProcessorFeaturePresent where it says so.
    kFastFail,
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
    // dwmapi, loaded when the window first draws dark. Windows Vista.
    kDwmSetWindowAttribute,
    kCount
};

// The address of the call, or nullptr where this Windows lacks it. A library is loaded, from
// the system folder, at the first lookup of one of its calls and kept for the rest of the run.
AnyFunction OptionalCallAddress(OptionalCall call);

// The call as the caller's function type.
template <typename Function>
Function FindOptionalCall(OptionalCall call) {
    return reinterpret_cast<Function>(OptionalCallAddress(call));
}

// Whether an overrun of the stack can end the process by a fast fail.
bool FastFailAvailable();

// For tests: from now on the call is answered with the address (nullptr: as if this Windows
// lacked it), until RestoreOptionalCalls.
void ReplaceOptionalCall(OptionalCall call, AnyFunction address);
void RestoreOptionalCalls();

}  // namespace trinumero
