// Arbitrary bytes into text loading with the UTF-16 encodings (the system code pages need
// Windows), and arbitrary text into the writer that shows it, cut into pieces anywhere.
// Every result is compared with a plain reference written unit by unit or byte by byte;
// the loaded text has the form the edit control needs (no NUL, every CR followed by LF,
// every LF preceded by CR); and the store is used as its contract says: written only within
// the room last reserved, given more room only when the text needs it, finished once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/exception.h"
#include "fuzz_support.h"
#include "text/encoding.h"
#include "text/text_loading.h"
#include "text/text_store.h"

namespace {

using nerula::fuzz::Check;
using Bytes = std::vector<std::uint8_t>;

// Breaks become CR LF, a CR LF pair staying one; NULs become the placeholder.
std::u16string ReferenceShown(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            out += u"\r\n";
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out += text[i] == u'\0' ? nerula::kNulPlaceholder : text[i];
        }
    }
    return out;
}

void CheckEditControlForm(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        Check(text[i] != u'\0');
        if (text[i] == u'\r') {
            Check(i + 1 < text.size() && text[i + 1] == u'\n');
        }
        if (text[i] == u'\n') {
            Check(i > 0 && text[i - 1] == u'\r');
        }
    }
}

// A store that holds the writer to the contract: each room is new memory of exactly the
// size asked for and a terminator, the old one freed (so that a write through a stale
// pointer is caught), the units not yet written are filled with a unit no text here has
// ever been given, and the terminator's place must be left alone.
class StrictStore final : public nerula::TextStore {
public:
    char16_t* Reserve(std::size_t capacity) override {
        Check(!finished_);
        CheckTerminator();
        auto room = std::make_unique<char16_t[]>(capacity + 1);
        std::fill(room.get(), room.get() + capacity, kUnwritten);
        std::copy(room_.get(), room_.get() + std::min(capacity, capacity_), room.get());
        room[capacity] = kTerminator;
        room_ = std::move(room);
        capacity_ = capacity;
        ++reservations_;
        return room_.get();
    }

    void Finish(std::size_t length) override {
        Check(!finished_);
        Check(length <= capacity_);
        CheckTerminator();
        finished_ = true;
        text_.assign(room_.get(), length);
    }

    bool Finished() const { return finished_; }
    const std::u16string& Text() const { return text_; }
    int Reservations() const { return reservations_; }

private:
    static constexpr char16_t kUnwritten = u'\uFDD0';
    static constexpr char16_t kTerminator = u'\uFDD1';

    void CheckTerminator() const { Check(room_ == nullptr || room_[capacity_] == kTerminator); }

    std::unique_ptr<char16_t[]> room_;
    std::size_t capacity_ = 0;
    int reservations_ = 0;
    bool finished_ = false;
    std::u16string text_;
};

std::u16string MappingErrorMessage() {
    try {
        nerula::ThrowNoCharacterMapping();
    } catch (const nerula::Exception& e) {
        return e.Message();
    }
    return {};
}

void CheckLoading(bool bigEndian, std::span<const std::uint8_t> bytes) {
    const std::unique_ptr<nerula::Encoding> encoding = nerula::MakeUtf16Encoding(bigEndian);
    Check(encoding->CodePage() == (bigEndian ? 1201u : 1200u));
    const std::uint8_t mark[2] = {static_cast<std::uint8_t>(bigEndian ? 0xFE : 0xFF),
                                  static_cast<std::uint8_t>(bigEndian ? 0xFF : 0xFE)};
    Check(std::ranges::equal(encoding->ByteOrderMark(), mark));

    const bool marked = bytes.size() >= 2 && bytes[0] == mark[0] && bytes[1] == mark[1];
    const std::span<const std::uint8_t> body = marked ? bytes.subspan(2) : bytes;
    const std::span<const std::uint8_t> skipped = nerula::WithoutByteOrderMark(*encoding, bytes);
    Check(skipped.data() == body.data() && skipped.size() == body.size());

    // Two bytes make a unit; a last odd byte is dropped, and a single byte is no character.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
        const int high = bigEndian ? body[i] : body[i + 1];
        const int low = bigEndian ? body[i + 1] : body[i];
        units += static_cast<char16_t>(high << 8 | low);
    }
    const std::u16string mappingError = MappingErrorMessage();
    try {
        Check(encoding->Decode(body) == units);
        Check(body.size() != 1);
        Check(encoding->MaxUnits(body) >= units.size());
        std::u16string pieces;
        encoding->DecodeInPieces(body, [&pieces](std::u16string_view piece) { pieces += piece; });
        Check(pieces == units);
    } catch (const nerula::Exception& e) {
        Check(body.size() == 1);
        Check(e.Message() == mappingError);
    }

    const std::u16string expected = ReferenceShown(units);
    try {
        const std::u16string loaded = nerula::LoadText(*encoding, bytes);
        Check(body.size() != 1);
        Check(loaded == expected);
        CheckEditControlForm(loaded);
    } catch (const nerula::Exception& e) {
        Check(body.size() == 1);
        Check(e.Message() == mappingError);
    }
    StrictStore store;
    try {
        const std::size_t length = nerula::LoadText(*encoding, bytes, store);
        Check(body.size() != 1);
        Check(store.Finished());
        Check(length == expected.size());
        Check(store.Text() == expected);
        // The first room is a CR for every eighth unit beyond the units: a text that grows
        // by no more than that never asks for more.
        if (expected.size() <= units.size() + units.size() / 8) {
            Check(store.Reservations() == 1);
        }
    } catch (const nerula::Exception& e) {
        Check(body.size() == 1);
        Check(e.Message() == mappingError);
    }
}

// The writer given the text in pieces the input cuts (empty ones too), into a first room
// the input picks.
void CheckWriter(std::u16string_view text, nerula::fuzz::InputReader& cuts) {
    const std::u16string expected = ReferenceShown(text);
    Check(nerula::ShownText(text) == expected);
    const std::size_t firstRoom =
        cuts.Byte() % 2 == 0 ? expected.size() + cuts.Byte() % 12 : cuts.Uint16() % 64;
    StrictStore store;
    nerula::ShownTextWriter writer(store, firstRoom);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t piece = std::min<std::size_t>(1 + cuts.Byte() % 9, text.size() - at);
        writer.Write(text.substr(at, piece));
        at += piece;
        if (cuts.Empty() && piece == 0) {
            writer.Write(text.substr(at));
            at = text.size();
        }
    }
    Check(writer.Finish() == expected.size());
    Check(store.Finished());
    Check(store.Text() == expected);
    // The writer looks eight units ahead for room: with those beyond the text, the first
    // room is the only one.
    if (firstRoom >= expected.size() + 8) {
        Check(store.Reservations() == 1);
    }
}

// The bytes as they are, or, after an "R", repeated past the 32,768 units that UTF-16 is
// decoded in, so that pieces meet inside a text.
Bytes MakeFile(std::span<const std::uint8_t> data) {
    if (data.size() < 2 || data[0] != 'R') {
        return Bytes(data.begin(), data.end());
    }
    const std::size_t size = 64 * 1024 + (data[1] << 8);
    Bytes file;
    file.reserve(size + data.size());
    while (file.size() < size) {
        file.insert(file.end(), data.begin() + 2, data.end());
        file.push_back(data[1]);
    }
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file = MakeFile({data, size});
    CheckLoading(false, file);
    CheckLoading(true, file);
    // The input as text, two bytes to a unit and one byte to a unit (where breaks and NULs
    // are denser), cut into pieces by the input read once more.
    std::u16string pairs;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        pairs += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    }
    nerula::fuzz::InputReader cuts({data, size});
    CheckWriter(pairs, cuts);
    CheckWriter(std::u16string(data, data + size), cuts);
    return 0;
}
