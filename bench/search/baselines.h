#pragma once
// What a first search costs done the plain way, for the rows' baseline column: each reads
// the edit control's text once and finds every match, counting them.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>
#include <oaidl.h>

#include "common/win/com_ptr.h"

namespace nerula::bench {

// The text read once, then std::u16string_view::find in a loop, no overlap.
std::size_t CountLiteral(HWND edit, std::u16string_view word);

// The text read once, then one pass of Boost.Regex over wchar_t with its own default traits.
class BoostBaseline {
public:
    BoostBaseline(std::wstring_view pattern, bool ignoreCase);
    BoostBaseline(const BoostBaseline&) = delete;
    BoostBaseline& operator=(const BoostBaseline&) = delete;
    ~BoostBaseline();

    std::size_t Count(HWND edit) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

// The text read once straight into a BSTR, the "VBScript.RegExp" object's Execute on it, and
// one walk of the collection reading each item's FirstIndex and Length. Members are called
// by DISPIDs looked up once, as a client written for this one object would.
class ObjectBaseline {
public:
    // Nothing when the object cannot be created; then `why` says why.
    static std::unique_ptr<ObjectBaseline> Create(std::wstring_view pattern, bool ignoreCase,
                                                  std::string& why);
    ObjectBaseline(const ObjectBaseline&) = delete;
    ObjectBaseline& operator=(const ObjectBaseline&) = delete;

    std::size_t Count(HWND edit);

private:
    explicit ObjectBaseline(ComPtr<IDispatch> regexp) noexcept : regexp_(std::move(regexp)) {}

    ComPtr<IDispatch> regexp_;
    DISPID execute_ = DISPID_UNKNOWN;
    // The collection's and its items' members, learnt from the first ones met.
    DISPID count_ = DISPID_UNKNOWN;
    DISPID item_ = DISPID_UNKNOWN;
    DISPID firstIndex_ = DISPID_UNKNOWN;
    DISPID length_ = DISPID_UNKNOWN;
};

} // namespace nerula::bench
