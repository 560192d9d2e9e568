#pragma once
// Nerula's own regular-expression engine, for where the system's regular-expression object
// cannot be created. It reads the object's pattern language and gives the same matches:
// offsets and lengths in UTF-16 units, a surrogate pair counting two.
//
// Its rules, where the pattern language leaves room:
// - "." matches any unit but LF and CR.
// - "^" and "$" match at the start and the end of the text; with multiLine "^" also matches
//   after every LF and CR and "$" before every LF and CR, as the object's documentation says.
//   In CR LF text "$" so stands at the end of the line's visible text and "^" at the start
//   of the next line, and both also between the CR and the LF.
// - "\w" is [A-Za-z0-9_] (Japanese letters are not word characters, so "\b" stands between
//   ASCII word characters and everything else), "\d" is [0-9], "\s" is [ \t\n\v\f\r].
// - ignoreCase compares units by their simple lowercase mapping in the Basic Multilingual
//   Plane (ASCII, Latin, Greek, Cyrillic, Armenian, Georgian, full-width Latin, ...), never
//   mapping a non-ASCII letter to an ASCII one; it depends on no C library locale.
// - A group that took no part in a match has no span (the object shows it as an empty
//   string), and a back reference to it matches the empty string.
// - Matches never overlap; after an empty match the next search starts one unit further.
// A pattern that cannot be compiled, or whose search would take too long, throws
// ERegexpException with a message for the user.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nerula {

struct RegexpSettings {
    bool global = true; // every match, or only the first
    bool ignoreCase = false;
    bool multiLine = false;
    friend bool operator==(const RegexpSettings&, const RegexpSettings&) = default;
};

// A piece of the searched text, in UTF-16 units from its start.
struct TextSpan {
    std::int32_t firstIndex = 0;
    std::int32_t length = 0;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

struct RegexpMatch {
    std::int32_t firstIndex = 0;
    std::int32_t length = 0;
    // One per capturing group, in the order of their opening parentheses; none for a group
    // that took no part in the match.
    std::vector<std::optional<TextSpan>> subMatches;
};

// Called once per match, in text order; returning false ends the search. The match is only
// valid during the call (its storage is reused for the next one).
using RegexpMatchVisitor = std::function<bool(const RegexpMatch&)>;

class BuiltinRegexp {
public:
    BuiltinRegexp();
    explicit BuiltinRegexp(std::u16string_view pattern, RegexpSettings settings = {});
    BuiltinRegexp(BuiltinRegexp&&) noexcept;
    BuiltinRegexp& operator=(BuiltinRegexp&&) noexcept;
    ~BuiltinRegexp();

    const std::u16string& Pattern() const noexcept { return pattern_; }
    void SetPattern(std::u16string_view pattern);
    const RegexpSettings& Settings() const noexcept { return settings_; }
    void SetSettings(const RegexpSettings& settings);

    // Compiles the pattern now (otherwise the first search does), so that an invalid one is
    // reported before any text is searched. A compiled pattern is kept until the pattern,
    // ignoreCase or multiLine changes.
    void Compile();

    // Visits the matches (every one when global, else the first).
    void Scan(std::u16string_view text, const RegexpMatchVisitor& visit);
    std::vector<RegexpMatch> Execute(std::u16string_view text);
    bool Test(std::u16string_view text);
    // The text with the matches (every one when global, else the first) replaced. In the
    // replacement "$1" to "$9" stand for that group's text (empty when it took no part), "$&"
    // for the match and "$$" for "$"; every other character, and "$" before anything else
    // or before the number of a group that the pattern lacks, stands for itself.
    std::u16string Replace(std::u16string_view text, std::u16string_view replacement);

private:
    struct Compiled;

    std::u16string pattern_;
    RegexpSettings settings_;
    std::unique_ptr<Compiled> compiled_;
};

} // namespace nerula
