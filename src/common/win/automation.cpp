#include "common/win/automation.h"

#include <utility>

#include <oleauto.h>

#include "common/text_format.h"
#include "common/win/system_error.h"

namespace nerula {
namespace {

[[noreturn]] void Fail(HRESULT code) {
    throw AutomationFailure(SystemErrorText(static_cast<DWORD>(code)), code);
}

void Check(HRESULT code) {
    if (FAILED(code)) {
        Fail(code);
    }
}

class Bstr {
public:
    explicit Bstr(BSTR value) noexcept : value_(value) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }
    std::u16string Text() const {
        return value_ == nullptr
                   ? std::u16string()
                   : std::u16string(reinterpret_cast<const char16_t*>(value_), SysStringLen(value_));
    }

private:
    BSTR value_;
};

} // namespace

Variant::Variant(bool value) noexcept : Variant() {
    value_.vt = VT_BOOL;
    value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::int32_t value) noexcept : Variant() {
    value_.vt = VT_I4;
    value_.lVal = value;
}

Variant::Variant(std::u16string_view value) : Variant() {
    const BSTR text =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.data()), static_cast<UINT>(value.size()));
    if (text == nullptr && !value.empty()) {
        Fail(E_OUTOFMEMORY);
    }
    value_.vt = VT_BSTR;
    value_.bstrVal = text;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

std::u16string Variant::ToString() const {
    if (value_.vt == VT_BSTR) {
        if (value_.bstrVal == nullptr) {
            return {};
        }
        return std::u16string(reinterpret_cast<const char16_t*>(value_.bstrVal),
                              SysStringLen(value_.bstrVal));
    }
    Variant converted;
    Check(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR));
    return Bstr(std::exchange(converted.Get()->bstrVal, nullptr)).Text();
}

std::int32_t Variant::ToInt32() const {
    Variant converted;
    Check(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_I4));
    return converted.Value().lVal;
}

bool Variant::ToBool() const {
    Variant converted;
    Check(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value_), 0, VT_BOOL));
    return converted.Value().boolVal != VARIANT_FALSE;
}

ComPtr<IDispatch> Variant::ToDispatch() const {
    if (value_.vt != VT_DISPATCH || value_.pdispVal == nullptr) {
        Fail(DISP_E_TYPEMISMATCH);
    }
    value_.pdispVal->AddRef();
    return ComPtr<IDispatch>(value_.pdispVal);
}

DispatchObject DispatchObject::Create(const wchar_t* programId) {
    CLSID classId{};
    Check(CLSIDFromProgID(programId, &classId));
    ComPtr<IDispatch> object;
    Check(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                           object.ReceiveVoid()));
    return DispatchObject(std::move(object));
}

Variant DispatchObject::Get(const wchar_t* member) const {
    std::vector<Variant> none;
    return Invoke(member, DISPATCH_PROPERTYGET, none);
}

Variant DispatchObject::Get(const wchar_t* member, Variant argument) const {
    std::vector<Variant> arguments;
    arguments.push_back(std::move(argument));
    // A collection's Item is a method to some objects and a property to others.
    return Invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments);
}

void DispatchObject::Put(const wchar_t* member, Variant value) const {
    std::vector<Variant> arguments;
    arguments.push_back(std::move(value));
    Invoke(member, DISPATCH_PROPERTYPUT, arguments);
}

Variant DispatchObject::Call(const wchar_t* member, std::vector<Variant> arguments) const {
    return Invoke(member, DISPATCH_METHOD, arguments);
}

DISPID DispatchObject::MemberId(const wchar_t* member) const {
    if (!object_) {
        Fail(E_POINTER);
    }
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    Check(object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    return id;
}

Variant DispatchObject::Get(DISPID member) const {
    std::vector<Variant> none;
    return Invoke(member, DISPATCH_PROPERTYGET, none);
}

Variant DispatchObject::Get(DISPID member, Variant argument) const {
    std::vector<Variant> arguments;
    arguments.push_back(std::move(argument));
    return Invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments);
}

Variant DispatchObject::Invoke(const wchar_t* member, WORD kind, std::vector<Variant>& arguments) const {
    return Invoke(MemberId(member), kind, arguments);
}

Variant DispatchObject::Invoke(DISPID id, WORD kind, std::vector<Variant>& arguments) const {
    if (!object_) {
        Fail(E_POINTER);
    }

    // Automation takes the arguments last first.
    std::vector<VARIANT> reversed;
    reversed.reserve(arguments.size());
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) {
        reversed.push_back(it->Value());
    }
    DISPPARAMS parameters{};
    parameters.rgvarg = reversed.empty() ? nullptr : reversed.data();
    parameters.cArgs = static_cast<UINT>(reversed.size());
    DISPID named = DISPID_PROPERTYPUT;
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO exception{};
    const HRESULT status =
        object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                        kind == DISPATCH_PROPERTYPUT ? nullptr : result.Get(), &exception, nullptr);
    if (status == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn != nullptr) {
            exception.pfnDeferredFillIn(&exception);
        }
        const Bstr source(exception.bstrSource);
        const Bstr description(exception.bstrDescription);
        const Bstr help(exception.bstrHelpFile);
        const HRESULT code = exception.scode != 0 ? exception.scode : static_cast<HRESULT>(exception.wCode);
        throw AutomationException(description.Text(), code);
    }
    Check(status);
    return result;
}

} // namespace nerula
