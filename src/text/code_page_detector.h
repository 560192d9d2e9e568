#pragma once
// Nerula's own guess at the code page of a text file, for systems whose MLang cannot make
// one (Wine answers E_NOTIMPL). Like MLang's, the answer is one code page or nothing.

#include <cstddef>
#include <cstdint>
#include <span>

namespace nerula {

inline constexpr int kCodePageShiftJis = 932;
inline constexpr int kCodePageEucJp = 51932;
inline constexpr int kCodePageIso2022Jp = 50220;
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageUtf16Le = 1200;
inline constexpr int kCodePageUtf16Be = 1201;
inline constexpr int kCodePageUnknown = -1;

// Returns one of the code pages above for the bytes of a file (from its first byte), or -1
// when nothing can be said: no bytes, 7-bit text that is plain ASCII (which the system's
// ANSI code page decodes as well as any), or bytes that read as no text in any of them.
//
// A byte-order mark decides alone: EF BB BF is UTF-8, FE FF UTF-16BE, FF FE UTF-16LE, even
// when FF FE 00 00 would make it UTF-32LE: Nerula has no UTF-32 decoder, and reading UTF-32LE
// as UTF-16LE still shows its characters (each with a NUL after it), where the ANSI code page
// would show none.
//
// Without a mark, iso-2022-jp is told by its escape sequences in otherwise 7-bit bytes; the
// rest is decided by reading the bytes in each candidate encoding and keeping the reading
// that looks most like Japanese text (japanese_text_model.h). A character cut off at the end
// of the bytes counts for nothing against an encoding.
//
// UTF-16 without a mark needs evidence: a file of an odd number of bytes is never UTF-16, and
// 7-bit bytes are read as UTF-16 only when they have NULs on one side of their units, as the
// Latin characters of UTF-16 text do. Other NULs (a stray one, a padded end) decide nothing:
// the text around them does.
//
// Only a bounded part of the bytes is read, so the cost does not grow with the file: the
// first 16 KiB, and when those are plain ASCII, the 16 KiB from the first byte that is not,
// if it comes within the first megabyte. Of that window the first 4 KiB are read first, and
// the rest only when their readings are a close call.
int DetectCodePage(std::span<const std::uint8_t> bytes);

// How many bytes the detector reads: thousands of characters, enough to decide on for any
// real file (the accuracy benchmark saw no wrong answer from 4 KiB on), and little enough
// that detection stays a small share of opening even a 1 MB file, where five readings of
// 64 KiB cost a tenth of the time. An even size keeps UTF-16 units whole.
inline constexpr std::size_t kCodePageDetectionWindow = 16 * 1024;

} // namespace nerula
