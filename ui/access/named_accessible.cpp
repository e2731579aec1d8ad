#include "ui/access/named_accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <new>
#include <string>

#include "support/optional_calls_win32.h"
#include "support/wide_text_win32.h"

namespace trinumero {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// COM interfaces have no virtual destructor by design: an object is only ever deleted by its own
// Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The system's accessible object of a control, answering with another control's text as its
// name; everything else is the system's answer. It serves systems that refuse annotations, such
// as Wine: where the annotation service takes the name, the field is never answered with this
// object. A COM object: clients hold references to it, from this process or another, and the last
// release deletes it, possibly after the control is gone (the system's object then reports the
// window as gone).
class NamedAccessible final : public IAccessible, public IOleWindow {
  public:
    NamedAccessible(IAccessible* standard, HWND control, HWND source)
        : standard_(standard), control_(control), source_(source) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    // Clients on other threads of this process may hold references too.
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const auto left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0) {
            delete this;  // the COM lifetime: made with new in AnswerAccessibleObject
        }
        return left;
    }

    // IOleWindow: clients find the control of the object through it.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // The name, read from the source control when asked, so that it is always its text.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr || !IsSelf(child) || !IsWindow(source_)) {
            return standard_->get_accName(child, name);
        }
        const auto allocate = FindOptionalCall<OptionalCall::kSysAllocString>();
        *name = allocate != nullptr ? allocate(WindowText(source_).c_str()) : nullptr;
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // Everything else as the system answers it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    // A client that reads the name through IDispatch gets this object's name too.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override {
        if (id == DISPID_ACC_NAME && (flags & DISPATCH_PROPERTYGET) != 0 && result != nullptr &&
            parameters != nullptr && parameters->cNamedArgs == 0 && parameters->cArgs <= 1) {
            VARIANT child{};
            child.vt = VT_I4;
            child.lVal = CHILDID_SELF;
            // The child argument is optional: left out, it is the object itself.
            if (parameters->cArgs == 1 && parameters->rgvarg[0].vt != VT_ERROR &&
                parameters->rgvarg[0].vt != VT_EMPTY) {
                child = parameters->rgvarg[0];
            }
            BSTR name = nullptr;
            const HRESULT got = get_accName(child, &name);
            if (SUCCEEDED(got)) {
                result->vt = VT_BSTR;
                result->bstrVal = name;
            }
            return got;
        }
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                                 argument_error);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~NamedAccessible() { standard_->Release(); }

    IAccessible* standard_;
    HWND control_;
    HWND source_;
    LONG references_ = 1;
};

#pragma GCC diagnostic pop

}  // namespace

std::optional<LRESULT> AnswerWithNamedObject(HWND control, HWND source, WPARAM wparam) {
    const auto create_standard = FindOptionalCall<OptionalCall::kCreateStdAccessibleObject>();
    const auto lresult_from_object = FindOptionalCall<OptionalCall::kLresultFromObject>();
    IAccessible* standard = nullptr;
    if (create_standard == nullptr || lresult_from_object == nullptr ||
        FAILED(create_standard(control, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&standard)))) {
        return std::nullopt;
    }
    auto* named = new (std::nothrow) NamedAccessible(standard, control, source);
    if (named == nullptr) {
        standard->Release();
        return std::nullopt;
    }
    const LRESULT reference =
        lresult_from_object(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(named));
    // The reference holds the object for the client now.
    named->Release();
    // Without a reference the client still gets the system's object, unnamed.
    if (reference <= 0) {
        return std::nullopt;
    }
    return reference;
}

}  // namespace trinumero
