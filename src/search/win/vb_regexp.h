#pragma once
// The regular-expression component: every match of a pattern in a text, through the
// system's "VBScript.RegExp" automation object where it can be created and through Nerula's
// own engine where it cannot (the object is an optional part of newer Windows), or
// literally, without either, when UsesRegexp is off.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/win/automation.h"
#include "common/win/com.h"
#include "search/builtin_regexp.h"
#include "search/match_list.h"

namespace nerula {

// Which engines the component may use: tests force one through this seam.
enum class RegexpEngines {
    ObjectOrBuiltin, // the object where it can be created, else the own engine
    ObjectOnly,      // the object or none (then the component is not usable)
    BuiltinOnly,     // the own engine, never the object
    None,            // neither, as on a system without the object and a build without the own
                     // engine: for tests of what the program does then
};

class TVBRegexp {
public:
    explicit TVBRegexp(RegexpEngines engines = RegexpEngines::ObjectOrBuiltin);
    TVBRegexp(const TVBRegexp&) = delete;
    TVBRegexp& operator=(const TVBRegexp&) = delete;
    ~TVBRegexp();

    // Whether regular expressions can be matched at all, by either engine.
    bool Usable() const noexcept { return FUsable; }
    // Whether the automation object does the matching.
    bool UsesObject() const noexcept { return static_cast<bool>(FRegexpObject); }
    // Why neither engine can be had; empty otherwise.
    const std::u16string& ErrorMessage() const noexcept { return FRegexpErrorMessage; }

    bool UsesRegexp() const noexcept { return FUsesRegexp; }
    void SetUsesRegexp(bool value) noexcept { FUsesRegexp = value; }
    bool Global() const noexcept { return FGlobal; }
    void SetGlobal(bool value);
    bool IgnoreCase() const noexcept { return FIgnoreCase; }
    void SetIgnoreCase(bool value);
    bool MultiLine() const noexcept { return FMultiLine; }
    void SetMultiLine(bool value);
    const std::u16string& Pattern() const noexcept { return FPattern; }
    void SetPattern(const std::u16string& value);

    // Every match in the text (literal, or by the engine); the list keeps the text. An
    // error of the engine (a pattern it rejects) is an ERegexpException.
    TMatches Execute(std::u16string text);
    std::u16string Replace(std::u16string_view text, std::u16string_view replacement);
    bool Test(std::u16string_view text);

    // How many automation calls the component has made: writing a property with its
    // current value makes none.
    std::uint64_t ObjectCalls() const noexcept { return objectCalls_; }

private:
    enum class Mode { Literal, Object, Builtin };
    Mode Choose() const;
    void PutOnObject(const wchar_t* member, Variant value);
    // Writes one of the Boolean settings, on the engine too, when it changes.
    void SetFlag(bool& field, bool value, const wchar_t* member);
    RegexpSettings BuiltinSettings() const noexcept;
    TMatches ExecuteOnObject(std::u16string text);
    TMatches ExecuteBuiltin(std::u16string text);

    // COM for this component's own use of the object, once per component.
    ComInitialization com_;
    bool FUsable = true;
    bool FUsesRegexp = true;
    bool FGlobal = true;
    bool FIgnoreCase = false;
    bool FMultiLine = false;
    std::u16string FPattern;
    std::u16string FRegexpErrorMessage;
    DispatchObject FRegexpObject;
    std::unique_ptr<BuiltinRegexp> builtin_;
    std::uint64_t objectCalls_ = 0;
};

} // namespace nerula
