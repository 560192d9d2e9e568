#include "baselines.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <utility>
#include <vector>

#include <oleauto.h>

#include <boost/regex.hpp>

namespace nerula::bench {
namespace {

template <typename String>
String ReadText(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    String text(static_cast<std::size_t>(length) + 1, 0);
    const int copied = GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Check(HRESULT status, const char* what) {
    if (FAILED(status)) {
        char code[16];
        std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(status));
        throw std::runtime_error(std::string(what) + " failed: 0x" + code);
    }
}

class OwnedVariant {
public:
    OwnedVariant() noexcept { VariantInit(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    ~OwnedVariant() { VariantClear(&value_); }
    VARIANT* Get() noexcept { return &value_; }

    ComPtr<IDispatch> TakeDispatch() {
        if (value_.vt != VT_DISPATCH || value_.pdispVal == nullptr) {
            throw std::runtime_error("the object did not answer with an object");
        }
        value_.vt = VT_EMPTY;
        return ComPtr<IDispatch>(std::exchange(value_.pdispVal, nullptr));
    }
    std::int32_t Int32() {
        if (value_.vt != VT_I4) {
            Check(VariantChangeType(&value_, &value_, 0, VT_I4), "VariantChangeType");
        }
        return value_.lVal;
    }

private:
    VARIANT value_;
};

DISPID IdOf(IDispatch* object, const wchar_t* member) {
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    Check(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), "GetIDsOfNames");
    return id;
}

// One call; `arguments` last first, as automation takes them.
void Invoke(IDispatch* object, DISPID id, WORD kind, VARIANT* arguments, UINT count, VARIANT* result) {
    DISPPARAMS parameters{};
    parameters.rgvarg = arguments;
    parameters.cArgs = count;
    DISPID named = DISPID_PROPERTYPUT;
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    Check(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, nullptr, nullptr),
          "IDispatch::Invoke");
}

void Put(IDispatch* object, const wchar_t* member, VARIANT value) {
    Invoke(object, IdOf(object, member), DISPATCH_PROPERTYPUT, &value, 1, nullptr);
}

VARIANT Boolean(bool value) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BOOL;
    variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

} // namespace

std::size_t CountLiteral(HWND edit, std::u16string_view word) {
    const std::u16string text = ReadText<std::u16string>(edit);
    const std::u16string_view searched(text);
    std::size_t count = 0;
    for (std::size_t at = searched.find(word); at != std::u16string_view::npos;
         at = searched.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

struct BoostBaseline::Compiled {
    boost::wregex regex;
};

BoostBaseline::BoostBaseline(std::wstring_view pattern, bool ignoreCase)
    : compiled_(std::make_unique<Compiled>(Compiled{
          boost::wregex(pattern.begin(), pattern.end(),
                        ignoreCase ? boost::regex_constants::ECMAScript | boost::regex_constants::icase
                                   : boost::regex_constants::ECMAScript)})) {}

BoostBaseline::~BoostBaseline() = default;

std::size_t BoostBaseline::Count(HWND edit) const {
    const std::wstring text = ReadText<std::wstring>(edit);
    const wchar_t* const begin = text.data();
    const boost::wcregex_iterator end;
    std::size_t count = 0;
    for (boost::wcregex_iterator it(begin, begin + text.size(), compiled_->regex); it != end; ++it) {
        ++count;
    }
    return count;
}

std::unique_ptr<ObjectBaseline> ObjectBaseline::Create(std::wstring_view pattern, bool ignoreCase,
                                                       std::string& why) {
    CLSID classId{};
    ComPtr<IDispatch> regexp;
    HRESULT status = CLSIDFromProgID(L"VBScript.RegExp", &classId);
    if (SUCCEEDED(status)) {
        status = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                  regexp.ReceiveVoid());
    }
    if (FAILED(status)) {
        char code[16];
        std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(status));
        why = std::string("\"VBScript.RegExp\" cannot be created (0x") + code + ")";
        return nullptr;
    }
    Put(regexp.Get(), L"Global", Boolean(true));
    Put(regexp.Get(), L"IgnoreCase", Boolean(ignoreCase));
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocStringLen(pattern.data(), static_cast<UINT>(pattern.size()));
    Put(regexp.Get(), L"Pattern", text);
    SysFreeString(text.bstrVal);
    std::unique_ptr<ObjectBaseline> baseline(new ObjectBaseline(std::move(regexp)));
    baseline->execute_ = IdOf(baseline->regexp_.Get(), L"Execute");
    return baseline;
}

std::size_t ObjectBaseline::Count(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    // The variant owns the string from here on.
    OwnedVariant text;
    text.Get()->vt = VT_BSTR;
    text.Get()->bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (text.Get()->bstrVal == nullptr) {
        throw std::runtime_error("no memory for the text");
    }
    GetWindowTextW(edit, text.Get()->bstrVal, length + 1);

    OwnedVariant collectionResult;
    Invoke(regexp_.Get(), execute_, DISPATCH_METHOD, text.Get(), 1, collectionResult.Get());
    const ComPtr<IDispatch> collection = collectionResult.TakeDispatch();
    if (count_ == DISPID_UNKNOWN) {
        count_ = IdOf(collection.Get(), L"Count");
        item_ = IdOf(collection.Get(), L"Item");
    }
    OwnedVariant countResult;
    Invoke(collection.Get(), count_, DISPATCH_PROPERTYGET, nullptr, 0, countResult.Get());
    const std::int32_t count = countResult.Int32();
    std::size_t walked = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        OwnedVariant itemResult;
        Invoke(collection.Get(), item_, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &index, 1, itemResult.Get());
        const ComPtr<IDispatch> item = itemResult.TakeDispatch();
        if (firstIndex_ == DISPID_UNKNOWN) {
            firstIndex_ = IdOf(item.Get(), L"FirstIndex");
            length_ = IdOf(item.Get(), L"Length");
        }
        OwnedVariant firstIndex;
        OwnedVariant matchLength;
        Invoke(item.Get(), firstIndex_, DISPATCH_PROPERTYGET, nullptr, 0, firstIndex.Get());
        Invoke(item.Get(), length_, DISPATCH_PROPERTYGET, nullptr, 0, matchLength.Get());
        if (firstIndex.Int32() >= 0 && matchLength.Int32() >= 0) {
            ++walked;
        }
    }
    return walked;
}

} // namespace nerula::bench
