// Names for screen readers where the system takes annotations: each number field is annotated
// with its caption, answers no object of its own, and loses the annotation when destroyed.
// Wine refuses annotations, so a stand-in of the annotation service takes them here.

#include <windows.h>

// The annotation service's ids, defined here from the SDK's header.
#include <initguid.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/optional_calls_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/window/app_window.h"

namespace trinumero::ui_test {
namespace {

struct Annotation {
    HWND control;
    DWORD object;
    DWORD child;
    std::wstring name;
    bool operator==(const Annotation&) const = default;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A method of the service the stand-in does not take.
#define REFUSED(method)                         \
    HRESULT STDMETHODCALLTYPE method override { \
        return E_NOTIMPL;                       \
    }

// Takes name annotations and clearings, and refuses everything else.
class AnnotationStandIn final : public IAccPropServices {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND control, DWORD object, DWORD child,
                                             MSAAPROPID property, LPCWSTR text) override {
        if (property != PROPID_ACC_NAME) {
            return E_INVALIDARG;
        }
        annotated.push_back({control, object, child, text});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND control, DWORD object, DWORD child,
                                             const MSAAPROPID* properties, int count) override {
        if (count == 1 && properties[0] == PROPID_ACC_NAME) {
            cleared.push_back({control, object, child, L""});
        }
        return S_OK;
    }
    REFUSED(SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT))
    REFUSED(SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope))
    REFUSED(ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int))
    REFUSED(SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT))
    REFUSED(SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                              AnnoScope))
    REFUSED(ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*))
    REFUSED(DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*))
    REFUSED(SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT))
    REFUSED(SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR))
    REFUSED(SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope))
    REFUSED(ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int))
    REFUSED(ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*))
    REFUSED(DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*))

    std::vector<Annotation> annotated;
    std::vector<Annotation> cleared;
};

#undef REFUSED
#pragma GCC diagnostic pop

AnnotationStandIn* g_stand_in = nullptr;

// CoCreateInstance as the program calls it, making the stand-in for oleacc's
// CLSID_AccPropServices.
HRESULT WINAPI CreateStandIn(REFCLSID type, IUnknown*, DWORD, REFIID, void** object) {
    *object = type == CLSID_AccPropServices ? g_stand_in : nullptr;
    return *object != nullptr ? S_OK : REGDB_E_CLASSNOTREG;
}

using AccessibleNameTest = MainWindowTest;

TEST_F(AccessibleNameTest, WhereAnnotationsAreTakenEachFieldIsAnnotatedWithItsCaption) {
    struct Restore {
        ~Restore() {
            RestoreOptionalCalls();
            g_stand_in = nullptr;
        }
    } restore;
    AnnotationStandIn stand_in;
    g_stand_in = &stand_in;
    ReplaceOptionalCall<OptionalCall::kCoCreateInstance>(&CreateStandIn);

    const auto self = static_cast<DWORD>(CHILDID_SELF);
    const auto client = static_cast<DWORD>(OBJID_CLIENT);
    // A client that reads the window first finds the fields named already.
    SendMessageW(window_, WM_GETOBJECT, 0, OBJID_CLIENT);
    const std::vector<Annotation> expected{{bin_, client, self, L"Двоичные числа"},
                                           {hex_, client, self, L"Шестнадцатеричные числа"},
                                           {dec_, client, self, L"Десятичные числа"}};
    const auto by_control = [](std::vector<Annotation> list) {
        std::sort(list.begin(), list.end(), [](const Annotation& a, const Annotation& b) {
            return std::less<HWND>{}(a.control, b.control);
        });
        return list;
    };
    EXPECT_EQ(by_control(stand_in.annotated), by_control(expected));
    // The request of a client for a field's object: no object of the program's own.
    for (const HWND field : {hex_, bin_}) {
        EXPECT_EQ(SendMessageW(field, WM_GETOBJECT, 0, OBJID_CLIENT), 0);
    }
    EXPECT_EQ(stand_in.annotated.size(), 3u) << "each field is annotated once";

    std::vector<Annotation> annotated_names = expected;

    DestroyAllWindows();
    for (Annotation& annotation : annotated_names) {
        annotation.name.clear();
    }
    EXPECT_EQ(by_control(stand_in.cleared), by_control(annotated_names));

    // A client that asks a field first gets the names annotated as well.
    MainWindowTest::SetUp();
    SendMessageW(dec_, WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_EQ(stand_in.annotated.size(), 6u);
}

}  // namespace
}  // namespace trinumero::ui_test
