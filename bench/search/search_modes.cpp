#include "search_modes.h"

#include "search_text.h"

namespace nerula::bench {

ModeSetup SetupFor(SearchMode mode) {
    switch (mode) {
    case SearchMode::Literal:
        return {"literal", RegexpEngines::BuiltinOnly,
                kDefaultFindOptions.Without(TREFindOption::frUsesRegexp), std::u16string(kSearchWord)};
    case SearchMode::Builtin:
        return {"builtin", RegexpEngines::BuiltinOnly, kDefaultFindOptions, u"検索語|探索語"};
    case SearchMode::Object:
        break;
    }
    return {"object", RegexpEngines::ObjectOnly, kDefaultFindOptions, u"検索語|探索語"};
}

std::optional<SearchMode> ModeNamed(std::wstring_view name) {
    if (name == L"literal") {
        return SearchMode::Literal;
    }
    if (name == L"builtin") {
        return SearchMode::Builtin;
    }
    if (name == L"object") {
        return SearchMode::Object;
    }
    return std::nullopt;
}

void Prepare(TextSearch& search, const ModeSetup& setup) {
    search.FindDialog().SetFindText(setup.findText);
    search.FindDialog().SetOptions(setup.options);
}

} // namespace nerula::bench
