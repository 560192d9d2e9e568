#pragma once
// Late binding to an automation object: members called by name through IDispatch, with
// owners for the VARIANTs and BSTRs that cross the call.

#include <string>
#include <string_view>
#include <vector>

#include <oaidl.h>

#include "common/exception.h"
#include "common/win/com_ptr.h"

namespace nerula {

// An automation call that failed with an error the object itself reported (the exception
// status): the object's description, the error code and the text the system has for it.
class AutomationException : public Exception {
public:
    AutomationException(std::u16string message, HRESULT code) : Exception(std::move(message)), code_(code) {}
    HRESULT Code() const noexcept { return code_; }

private:
    HRESULT code_;
};

// Any other failed automation call: an unknown member, a failing status, a value that does
// not convert. The message is the system's text for the code.
class AutomationFailure : public Exception {
public:
    AutomationFailure(std::u16string message, HRESULT code) : Exception(std::move(message)), code_(code) {}
    HRESULT Code() const noexcept { return code_; }

private:
    HRESULT code_;
};

class Variant {
public:
    Variant() noexcept { VariantInit(&value_); }
    explicit Variant(bool value) noexcept;
    explicit Variant(std::int32_t value) noexcept;
    // Fails with AutomationFailure when the string cannot be had.
    explicit Variant(std::u16string_view value);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { VariantClear(&value_); }

    VARIANT* Get() noexcept { return &value_; }
    const VARIANT& Value() const noexcept { return value_; }

    // Conversions as automation does them; fail with AutomationFailure.
    std::u16string ToString() const;
    std::int32_t ToInt32() const;
    bool ToBool() const;
    ComPtr<IDispatch> ToDispatch() const;

private:
    VARIANT value_;
};

class DispatchObject {
public:
    DispatchObject() = default;
    explicit DispatchObject(ComPtr<IDispatch> object) noexcept : object_(std::move(object)) {}

    // Creates the object of a programmatic identifier (in-process or local server).
    // Fails with AutomationFailure.
    static DispatchObject Create(const wchar_t* programId);

    explicit operator bool() const noexcept { return static_cast<bool>(object_); }

    Variant Get(const wchar_t* member) const;
    Variant Get(const wchar_t* member, Variant argument) const;
    // The same by a member's ID, which objects of one class share: looked up once, it saves
    // a name lookup in every call over a large collection.
    DISPID MemberId(const wchar_t* member) const;
    Variant Get(DISPID member) const;
    Variant Get(DISPID member, Variant argument) const;
    void Put(const wchar_t* member, Variant value) const;
    // A method with its arguments in their written order.
    Variant Call(const wchar_t* member, std::vector<Variant> arguments) const;

private:
    Variant Invoke(const wchar_t* member, WORD kind, std::vector<Variant>& arguments) const;
    Variant Invoke(DISPID member, WORD kind, std::vector<Variant>& arguments) const;

    ComPtr<IDispatch> object_;
};

} // namespace nerula
