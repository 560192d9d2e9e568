#include "search/find_logic.h"

namespace nerula {

namespace {

// Built by appending: GCC 12 warns falsely (-Wrestrict) about operator+ on strings.
std::u16string Enclosed(std::u16string_view before, std::u16string_view text, std::u16string_view after) {
    std::u16string result;
    result.reserve(before.size() + text.size() + after.size());
    result.append(before).append(text).append(after);
    return result;
}

} // namespace

std::u16string BuildFindPattern(std::u16string_view findText, TREFindOptions options, bool regexpUsable) {
    if (!options.Has(TREFindOption::frWholeWord)) {
        return std::u16string(findText);
    }
    if (regexpUsable && options.Has(TREFindOption::frUsesRegexp)) {
        return Enclosed(u"(^|\\b)", findText, u"(\\b|$)");
    }
    return Enclosed(u" ", findText, u" ");
}

SearchSettings SettingsFor(std::u16string_view pattern, TREFindOptions options) {
    return {
        .pattern = std::u16string(pattern),
        .ignoreCase = !options.Has(TREFindOption::frMatchCase),
        .usesRegexp = options.Has(TREFindOption::frUsesRegexp),
        .multiLine = options.Has(TREFindOption::frMultiLine),
    };
}

bool CanReuseMatches(bool hasMatches, const SearchSettings& engine, std::u16string_view pattern,
                     TREFindOptions options) {
    return hasMatches && engine.pattern == pattern &&
           engine.ignoreCase == !options.Has(TREFindOption::frMatchCase) &&
           engine.usesRegexp == options.Has(TREFindOption::frUsesRegexp) &&
           engine.multiLine == options.Has(TREFindOption::frMultiLine);
}

std::optional<std::size_t> ChooseMatch(const TMatches& matches, std::int32_t selectionStart, bool down) {
    if (down) {
        const std::size_t next = matches.CountAtOrBefore(selectionStart);
        if (next < matches.Count()) {
            return next;
        }
        return std::nullopt;
    }
    const std::size_t before = matches.CountBefore(selectionStart);
    if (before > 0) {
        return before - 1;
    }
    return std::nullopt;
}

std::u16string NotFoundMessage(std::u16string_view findText) {
    return Enclosed(u"\"", findText, u"\" が見つかりません");
}

} // namespace nerula
