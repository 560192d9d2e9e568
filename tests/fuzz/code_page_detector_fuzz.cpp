// Arbitrary bytes into the code-page detector, checking what its header promises:
//   - the answer is one of the code pages it lists, or -1;
//   - a byte-order mark decides alone; without one, an odd number of bytes is no UTF-16,
//     7-bit bytes are UTF-16 only with NULs on one side of a unit, iso-2022-jp needs its
//     escape sequences in 7-bit bytes, and plain ASCII says nothing;
//   - only a bounded part of the bytes is read: changing any byte past it leaves the answer.
// The part read is at most the first 16 KiB, or, when those hold no byte above 0x7F, the
// 16 KiB from the first such byte within the first megabyte; however "plain ASCII" is read
// for the escapes and NULs of 7-bit text, the detector reads no byte past that bound. Most
// inputs are the file itself; some put a long ASCII head before it, so that the second
// window and the megabyte's end are reached too.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "text/code_page_detector.h"

namespace {

using nerula::fuzz::Check;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kWindow = 16 * 1024;
constexpr std::size_t kMegabyte = 1024 * 1024;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::size_t MarkSize(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        return 3;
    }
    return StartsWith(bytes, {0xFF, 0xFE}) || StartsWith(bytes, {0xFE, 0xFF}) ? 2 : 0;
}

// What the checks need to know of the bytes, gathered in one pass: a file may be a megabyte.
struct Facts {
    std::size_t firstHigh;      // the first byte above 0x7F, or the size
    bool highInFirstWindow;     // one of them within the first 16 KiB
    bool esc = false;           // an ESC anywhere
    bool nul = false;           // a NUL anywhere
    bool nulBesideText = false; // a UTF-16 unit with a NUL in one of its bytes only
    bool jisEscape = false;     // one of the escape sequences every iso-2022-jp text uses
};

Facts Survey(std::span<const std::uint8_t> bytes) {
    Facts facts;
    facts.firstHigh = bytes.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b >= 0x80 && facts.firstHigh == bytes.size()) {
            facts.firstHigh = i;
        }
        if (b == 0x1B) {
            facts.esc = true;
            const std::uint8_t next = i + 1 < bytes.size() ? bytes[i + 1] : 0;
            const std::uint8_t last = i + 2 < bytes.size() ? bytes[i + 2] : 0;
            facts.jisEscape = facts.jisEscape || (next == '(' && (last == 'B' || last == 'J')) ||
                              (next == '$' && (last == '@' || last == 'B'));
        }
        facts.nul = facts.nul || b == 0;
        if (i % 2 == 1) {
            facts.nulBesideText = facts.nulBesideText || ((bytes[i - 1] == 0) != (b == 0));
        }
    }
    facts.highInFirstWindow = facts.firstHigh < std::min(bytes.size(), kWindow);
    return facts;
}

// The end of the part of the bytes the detector may read.
std::size_t ReadBound(std::span<const std::uint8_t> bytes, const Facts& facts) {
    if (const std::size_t mark = MarkSize(bytes); mark > 0) {
        return mark;
    }
    if (facts.highInFirstWindow) {
        return kWindow;
    }
    return std::min(facts.firstHigh, kMegabyte) + kWindow;
}

bool IsListed(int codePage) {
    for (const int listed : {nerula::kCodePageShiftJis, nerula::kCodePageEucJp, nerula::kCodePageIso2022Jp,
                             nerula::kCodePageUtf8, nerula::kCodePageUtf16Le, nerula::kCodePageUtf16Be,
                             nerula::kCodePageUnknown}) {
        if (codePage == listed) {
            return true;
        }
    }
    return false;
}

bool IsUtf16(int codePage) {
    return codePage == nerula::kCodePageUtf16Le || codePage == nerula::kCodePageUtf16Be;
}

void CheckAnswer(std::span<const std::uint8_t> bytes, const Facts& facts, int codePage) {
    Check(IsListed(codePage));
    if (bytes.empty()) {
        Check(codePage == nerula::kCodePageUnknown);
        return;
    }
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        Check(codePage == nerula::kCodePageUtf8);
        return;
    }
    if (StartsWith(bytes, {0xFF, 0xFE})) {
        Check(codePage == nerula::kCodePageUtf16Le);
        return;
    }
    if (StartsWith(bytes, {0xFE, 0xFF})) {
        Check(codePage == nerula::kCodePageUtf16Be);
        return;
    }
    if (bytes.size() % 2 != 0) {
        Check(!IsUtf16(codePage));
    }
    const bool sevenBit = facts.firstHigh == bytes.size();
    if (sevenBit && !facts.nulBesideText) {
        Check(!IsUtf16(codePage));
    }
    if (codePage == nerula::kCodePageIso2022Jp) {
        // Told only by its escapes, in bytes that are otherwise 7-bit: the first window,
        // when it is what is read, has none above 0x7F.
        Check(facts.esc);
        Check(!facts.highInFirstWindow);
    }
    if (sevenBit && !facts.nul && !facts.esc) {
        Check(codePage == nerula::kCodePageUnknown);
    }
    if (sevenBit && !facts.nul && bytes.size() <= kWindow && facts.jisEscape) {
        Check(codePage == nerula::kCodePageIso2022Jp);
    }
}

// Changes every byte from the bound on, in a way the input picks, and keeps the length: an
// odd length is part of what the detector may look at.
void CheckBoundedRead(const Bytes& bytes, const Facts& facts, int codePage, std::uint8_t how) {
    const std::size_t bound = ReadBound(bytes, facts);
    if (bound >= bytes.size()) {
        return;
    }
    Bytes changed = bytes;
    const auto from = changed.begin() + static_cast<std::ptrdiff_t>(bound);
    switch (how % 3) {
    case 0:
        std::for_each(from, changed.end(), [](std::uint8_t& b) { b ^= 0x80; });
        break;
    case 1:
        std::fill(from, changed.end(), how);
        break;
    default:
        std::reverse(from, changed.end());
        break;
    }
    Check(nerula::DetectCodePage(changed) == codePage);
}

// A file from the input: as it is, or behind a head of ASCII text that ends within 64 KiB
// or within 32 KiB either side of the megabyte, as the input says.
Bytes MakeFile(std::span<const std::uint8_t> data) {
    if (data.size() < 8 || data[0] != 'A') {
        return Bytes(data.begin(), data.end());
    }
    const std::size_t length = (data[1] | data[2] << 8 | (data[3] & 0x7F) << 16) % (4 * kWindow);
    const std::size_t headSize = data[3] & 0x80 ? kMegabyte - 2 * kWindow + length : length;
    // The head's text: the input's next four bytes made printable, repeated.
    Bytes file(headSize + data.size() - 8);
    for (std::size_t i = 0; i < std::min<std::size_t>(4, headSize); ++i) {
        file[i] = static_cast<std::uint8_t>(0x20 + data[4 + i] % 0x5F);
    }
    for (std::size_t done = 4; done < headSize; done *= 2) {
        std::copy_n(file.begin(), std::min(done, headSize - done),
                    file.begin() + static_cast<std::ptrdiff_t>(done));
    }
    std::copy(data.begin() + 8, data.end(), file.begin() + static_cast<std::ptrdiff_t>(headSize));
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file = MakeFile({data, size});
    const Facts facts = Survey(file);
    const int codePage = nerula::DetectCodePage(file);
    CheckAnswer(file, facts, codePage);
    CheckBoundedRead(file, facts, codePage, size > 0 ? data[size - 1] : 0);
    return 0;
}
