#include "search/win/vb_regexp.h"

#include <utility>

#include <windows.h>

#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "search/literal_search.h"
#include "search/regexp_error.h"

namespace nerula {
namespace {

// The system locale's upper-case mapping, one unit for one.
std::u16string UpperCase(std::u16string_view text) {
    std::wstring upper = ToWide(text);
    if (!upper.empty()) {
        CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    }
    return ToU16(upper);
}

// An error the object reported becomes the component's own; any other failure of a call
// goes on as it is.
template <typename Call>
auto OnObject(Call call) -> decltype(call()) {
    try {
        return call();
    } catch (const AutomationException& error) {
        throw ERegexpException(ObjectErrorMessage(error.Message(),
                                                  SystemErrorText(static_cast<DWORD>(error.Code())),
                                                  static_cast<std::uint32_t>(error.Code())));
    }
}

} // namespace

TVBRegexp::TVBRegexp(RegexpEngines engines) {
    if (engines == RegexpEngines::ObjectOrBuiltin || engines == RegexpEngines::ObjectOnly) {
        try {
            FRegexpObject = DispatchObject::Create(L"VBScript.RegExp");
            PutOnObject(L"Global", Variant(FGlobal));
            PutOnObject(L"IgnoreCase", Variant(FIgnoreCase));
            PutOnObject(L"Pattern", Variant(std::u16string_view(FPattern)));
            PutOnObject(L"MultiLine", Variant(FMultiLine));
        } catch (const AutomationFailure& error) {
            // The object is not there or not usable. Some systems have no text for the
            // code ("invalid class string" under Wine): the code then says why.
            FRegexpObject = DispatchObject();
            FRegexpErrorMessage =
                ObjectErrorMessage(u"", error.Message(), static_cast<std::uint32_t>(error.Code()));
        } catch (const Exception& error) {
            FRegexpObject = DispatchObject();
            FRegexpErrorMessage = error.Message();
        }
    }
    if (!FRegexpObject) {
        if (engines == RegexpEngines::ObjectOnly || engines == RegexpEngines::None) {
            FUsable = false;
            FUsesRegexp = false;
        } else {
            builtin_ = std::make_unique<BuiltinRegexp>(FPattern, BuiltinSettings());
            FRegexpErrorMessage.clear();
        }
    }
}

TVBRegexp::~TVBRegexp() = default;

void TVBRegexp::PutOnObject(const wchar_t* member, Variant value) {
    ++objectCalls_;
    OnObject([&] {
        FRegexpObject.Put(member, std::move(value));
        return 0;
    });
}

RegexpSettings TVBRegexp::BuiltinSettings() const noexcept {
    return {.global = FGlobal, .ignoreCase = FIgnoreCase, .multiLine = FMultiLine};
}

void TVBRegexp::SetFlag(bool& field, bool value, const wchar_t* member) {
    if (value == field) {
        return;
    }
    field = value;
    if (FRegexpObject) {
        PutOnObject(member, Variant(value));
    } else if (builtin_) {
        builtin_->SetSettings(BuiltinSettings());
    }
}

void TVBRegexp::SetGlobal(bool value) {
    SetFlag(FGlobal, value, L"Global");
}

void TVBRegexp::SetIgnoreCase(bool value) {
    SetFlag(FIgnoreCase, value, L"IgnoreCase");
}

void TVBRegexp::SetMultiLine(bool value) {
    SetFlag(FMultiLine, value, L"MultiLine");
}

void TVBRegexp::SetPattern(const std::u16string& value) {
    if (value == FPattern) {
        return;
    }
    FPattern = value;
    if (FRegexpObject) {
        PutOnObject(L"Pattern", Variant(std::u16string_view(value)));
    } else if (builtin_) {
        builtin_->SetPattern(value);
    }
}

TVBRegexp::Mode TVBRegexp::Choose() const {
    if (!FUsesRegexp) {
        return Mode::Literal;
    }
    if (!FUsable) {
        throw ERegexpException(FRegexpErrorMessage);
    }
    return FRegexpObject ? Mode::Object : Mode::Builtin;
}

TMatches TVBRegexp::Execute(std::u16string text) {
    switch (Choose()) {
    case Mode::Literal:
        return TMatches::Literal(std::move(text), FPattern, FIgnoreCase);
    case Mode::Object:
        return ExecuteOnObject(std::move(text));
    case Mode::Builtin:
        break;
    }
    return ExecuteBuiltin(std::move(text));
}

TMatches TVBRegexp::ExecuteOnObject(std::u16string text) {
    TMatches matches(std::move(text));
    const std::u16string_view searched = matches.Text();
    OnObject([&] {
        objectCalls_ += 1;
        std::vector<Variant> arguments;
        arguments.emplace_back(searched);
        const DispatchObject collection(FRegexpObject.Call(L"Execute", std::move(arguments)).ToDispatch());
        const std::int32_t count = collection.Get(L"Count").ToInt32();
        matches.Reserve(static_cast<std::size_t>(std::max(count, 0)));
        // Without a parenthesis the pattern has no groups, and no match has sub-matches to ask for.
        const bool mayHaveGroups = FPattern.find(u'(') != std::u16string::npos;
        // The members' IDs, from the first objects of each class.
        DISPID itemId = DISPID_UNKNOWN;
        DISPID firstIndexId = DISPID_UNKNOWN;
        DISPID lengthId = DISPID_UNKNOWN;
        DISPID subMatchesId = DISPID_UNKNOWN;
        DISPID subCountId = DISPID_UNKNOWN;
        DISPID subItemId = DISPID_UNKNOWN;
        std::vector<std::u16string> subValues;
        std::vector<std::u16string_view> subViews;
        for (std::int32_t i = 0; i < count; ++i) {
            if (i == 0) {
                itemId = collection.MemberId(L"Item");
            }
            const DispatchObject item(collection.Get(itemId, Variant(i)).ToDispatch());
            if (i == 0) {
                firstIndexId = item.MemberId(L"FirstIndex");
                lengthId = item.MemberId(L"Length");
                subMatchesId = mayHaveGroups ? item.MemberId(L"SubMatches") : DISPID_UNKNOWN;
            }
            const std::int32_t firstIndex = item.Get(firstIndexId).ToInt32();
            const std::int32_t length = item.Get(lengthId).ToInt32();
            if (firstIndex < 0 || length < 0 ||
                static_cast<std::size_t>(firstIndex) + length > searched.size()) {
                throw ERegexpException(u"正規表現の一致が文字列の範囲を越えています");
            }
            subValues.clear();
            if (mayHaveGroups) {
                const DispatchObject subMatches(item.Get(subMatchesId).ToDispatch());
                if (subCountId == DISPID_UNKNOWN) {
                    subCountId = subMatches.MemberId(L"Count");
                    subItemId = subMatches.MemberId(L"Item");
                }
                const std::int32_t groups = subMatches.Get(subCountId).ToInt32();
                for (std::int32_t j = 0; j < groups; ++j) {
                    subValues.push_back(subMatches.Get(subItemId, Variant(j)).ToString());
                }
            }
            subViews.assign(subValues.begin(), subValues.end());
            // A match's value is the text it covers: kept as a span of the list's own copy.
            matches.AddMatch(
                firstIndex,
                searched.substr(static_cast<std::size_t>(firstIndex), static_cast<std::size_t>(length)),
                subViews);
        }
        matches.ShrinkToFit();
        return 0;
    });
    return matches;
}

TMatches TVBRegexp::ExecuteBuiltin(std::u16string text) {
    TMatches matches(std::move(text));
    const std::u16string_view searched = matches.Text();
    std::vector<std::u16string_view> subViews;
    builtin_->Scan(searched, [&](const RegexpMatch& match) {
        subViews.clear();
        for (const std::optional<TextSpan>& group : match.subMatches) {
            subViews.push_back(group ? searched.substr(static_cast<std::size_t>(group->firstIndex),
                                                       static_cast<std::size_t>(group->length))
                                     : std::u16string_view());
        }
        matches.AddMatch(match.firstIndex,
                         searched.substr(static_cast<std::size_t>(match.firstIndex),
                                         static_cast<std::size_t>(match.length)),
                         subViews);
        return true;
    });
    matches.ShrinkToFit();
    return matches;
}

std::u16string TVBRegexp::Replace(std::u16string_view text, std::u16string_view replacement) {
    switch (Choose()) {
    case Mode::Literal:
        return ReplaceLiteral(text, FPattern, replacement, FGlobal, FIgnoreCase, &UpperCase);
    case Mode::Object:
        return OnObject([&] {
            ++objectCalls_;
            std::vector<Variant> arguments;
            arguments.emplace_back(text);
            arguments.emplace_back(replacement);
            return FRegexpObject.Call(L"Replace", std::move(arguments)).ToString();
        });
    case Mode::Builtin:
        break;
    }
    return builtin_->Replace(text, replacement);
}

bool TVBRegexp::Test(std::u16string_view text) {
    switch (Choose()) {
    case Mode::Literal:
        return TestLiteral(text, FPattern, FIgnoreCase);
    case Mode::Object:
        return OnObject([&] {
            ++objectCalls_;
            std::vector<Variant> arguments;
            arguments.emplace_back(text);
            return FRegexpObject.Call(L"Test", std::move(arguments)).ToBool();
        });
    case Mode::Builtin:
        break;
    }
    return builtin_->Test(text);
}

} // namespace nerula
