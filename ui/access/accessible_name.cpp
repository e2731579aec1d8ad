#include "ui/access/accessible_name.h"

// The annotation service's ids, defined here from the SDK's header.
#include <initguid.h>

#include <ole2.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "support/optional_calls_win32.h"
#include "support/wide_text_win32.h"
#include "ui/access/named_accessible.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

namespace {

// The client object's id as the annotation service takes it.
constexpr auto kClientObject = static_cast<DWORD>(OBJID_CLIENT);

// The object id by which UI Automation asks a window for a provider of its own.
constexpr LONG kUiaRootObjectId = -25;

// The result of joining this thread to a single-threaded apartment, the first time anything
// here needs COM; it stays joined for the rest of the run. A client in another process gets
// an object of this thread marshalled, and its calls then arrive through the thread's message
// loop like any other message. A thread that is in another apartment already answers
// RPC_E_CHANGED_MODE: it can still use the annotation service, but serves no object of its own.
HRESULT JoinedApartment() {
    static const HRESULT joined = [] {
        const auto initialize = FindOptionalCall<OptionalCall::kCoInitializeEx>();
        return initialize != nullptr ? initialize(nullptr, COINIT_APARTMENTTHREADED) : E_NOTIMPL;
    }();
    return joined;
}

// The annotation service; nullptr where the system has none (Wine implements none of it).
IAccPropServices* CreateAnnotationService() {
    const HRESULT joined = JoinedApartment();
    const auto create = FindOptionalCall<OptionalCall::kCoCreateInstance>();
    if ((FAILED(joined) && joined != RPC_E_CHANGED_MODE) || create == nullptr) {
        return nullptr;
    }
    IAccPropServices* service = nullptr;
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void**>(&service)))) {
        return nullptr;
    }
    return service;
}

// Releases a COM interface when it goes out of scope.
struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
using AnnotationService = std::unique_ptr<IAccPropServices, ComRelease>;

// Annotates the name of every named control that has not been tried yet with its source's text,
// for every accessibility client, MSAA and UI Automation alike, while the system keeps serving
// everything else of the control (its text, caret and word navigation included).
void AnnotateNames() {
    AnnotationService service;
    bool service_tried = false;
    ControlTable().ForEach([&](int, ControlEntry& entry) {
        const HWND source = ControlHandle(entry.name_source);
        if (entry.annotation != NameAnnotation::kNotTried || entry.handle == nullptr ||
            source == nullptr) {
            return;
        }
        if (!service_tried) {
            service.reset(CreateAnnotationService());
            service_tried = true;
        }
        const bool annotated = service && SUCCEEDED(service->SetHwndPropStr(
                                              entry.handle, kClientObject, CHILDID_SELF,
                                              PROPID_ACC_NAME, WindowText(source).c_str()));
        entry.annotation = annotated ? NameAnnotation::kAnnotated : NameAnnotation::kRefused;
    });
}

}  // namespace

void SetAccessibleNameSource(int named, int source) {
    if (ControlEntry* entry = ControlTable().Find(named)) {
        entry->name_source = source;
    }
}

std::optional<LRESULT> AnswerAccessibleObject(HWND control, WPARAM wparam, LPARAM lparam) {
    const int number = KnownControlNumber(control);
    ControlEntry* entry = number >= 0 ? ControlTable().Find(number) : nullptr;
    const HWND source = entry != nullptr ? ControlHandle(entry->name_source) : nullptr;
    const auto object = static_cast<LONG>(lparam);
    if (source == nullptr || (object != OBJID_CLIENT && object != kUiaRootObjectId)) {
        return std::nullopt;
    }
    // The first client request names the fields by annotation where the system can.
    AnnotateNames();
    // Only the client object is named here; the window's other objects (its frame, its caret)
    // are the system's.
    if (entry->annotation != NameAnnotation::kRefused || object != OBJID_CLIENT ||
        FAILED(JoinedApartment())) {
        return std::nullopt;
    }
    return AnswerWithNamedObject(control, source, wparam);
}

void AnnotateAccessibleNamesFor(LONG object) {
    if (object == OBJID_WINDOW || object == OBJID_CLIENT || object == kUiaRootObjectId) {
        AnnotateNames();
    }
}

void ForgetAccessibleName(HWND control) {
    const int number = KnownControlNumber(control);
    ControlEntry* entry = number >= 0 ? ControlTable().Find(number) : nullptr;
    if (entry == nullptr || entry->annotation != NameAnnotation::kAnnotated) {
        return;
    }
    if (const AnnotationService service{CreateAnnotationService()}) {
        service->ClearHwndProps(control, kClientObject, CHILDID_SELF, &PROPID_ACC_NAME, 1);
    }
    entry->annotation = NameAnnotation::kNotTried;
}

}  // namespace trinumero
