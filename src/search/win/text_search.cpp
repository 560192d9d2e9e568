#include "search/win/text_search.h"

#include <cstdint>

#include "search/find_logic.h"

namespace nerula {

TextSearch::TextSearch(RegexpEngines engines) : FRegexp(engines) {}

void TextSearch::ApplyStartUpRule() {
    if (!FRegexp.Usable()) {
        FFindDialog.SetOptions(FFindDialog.Options()
                                   .Without(TREFindOption::frUsesRegexp)
                                   .With(TREFindOption::frDisableUsesRegexp));
    }
}

TextSearch::Outcome TextSearch::FindAndSelect(TextView& memo) {
    const std::u16string findText = FFindDialog.FindText();
    if (findText.empty()) {
        return Outcome::NoFindText;
    }
    const TREFindOptions options = FFindDialog.Options();
    const std::u16string pattern = BuildFindPattern(findText, options, FRegexp.Usable());
    const SearchSettings engine{
        .pattern = FRegexp.Pattern(),
        .ignoreCase = FRegexp.IgnoreCase(),
        .usesRegexp = FRegexp.UsesRegexp(),
        .multiLine = FRegexp.MultiLine(),
    };
    if (!CanReuseMatches(FMatches.has_value(), engine, pattern, options)) {
        const SearchSettings wanted = SettingsFor(pattern, options);
        FRegexp.SetPattern(wanted.pattern);
        FRegexp.SetIgnoreCase(wanted.ignoreCase);
        FRegexp.SetUsesRegexp(wanted.usesRegexp);
        FRegexp.SetMultiLine(wanted.multiLine);
        // The old list goes before the text is read again: both at once could be twice
        // the memory of a large text.
        FMatches.reset();
        FMatches = FRegexp.Execute(memo.Text());
    }

    const auto start = static_cast<std::int32_t>(memo.Selection().start);
    const auto chosen = ChooseMatch(*FMatches, start, options.Has(TREFindOption::frDown));
    if (!chosen) {
        return Outcome::NotFound;
    }
    const TMatch match = FMatches->Item(*chosen);
    memo.SetSelection({static_cast<DWORD>(match.FirstIndex()), static_cast<DWORD>(match.Length())});
    memo.ScrollCaret(true);
    return Outcome::Selected;
}

} // namespace nerula
