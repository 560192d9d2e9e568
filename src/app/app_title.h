#pragma once
// The application title: the caption of Nerula's error boxes.

#include <string>
#include <string_view>

namespace nerula {

using LowerCaseFunction = std::u16string (*)(std::u16string_view);

// Before a document is open: the program file's name after its last "\", cut at its
// first ".", every character after the first lower-cased ("NERULA.EXE" gives "Nerula").
std::u16string ProgramTitle(std::u16string_view modulePath, LowerCaseFunction lowerCase);

// After a document is open: its full path followed by " - Nerula".
std::u16string DocumentTitle(std::u16string_view fileName);

// The text an error box shows: the message, with "." appended when its last character
// has a higher code than "." (so a message ending in a blank or a full stop gets none).
std::u16string ErrorBoxText(std::u16string_view message);

// The name part of a path: what follows its last "\" or ":".
std::u16string_view FileNamePart(std::u16string_view path);

} // namespace nerula
