#include "search_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "common/win/locked_local.h"

namespace nerula::bench {
namespace {

// Sentences without the word's first unit. A few hold ASCII words, so that a search that
// ignores case has letters to fold.
constexpr std::array<std::u16string_view, 16> kSentences{
    u"今日は朝から雨が降っている。",
    u"駅前の本屋で新しい辞書を買った。",
    u"このファイルは UTF-16 で保存されている。",
    u"川沿いの道を歩くと、桜の花が見えてくる。",
    u"会議は午後三時に始まる予定です。",
    u"彼女は Windows の設定を一つずつ確かめた。",
    u"長い文章を読むときは、目次から見るとよい。",
    u"山の上の小屋には、古いストーブが置いてある。",
    u"明日の天気は晴れのち曇りでしょう。",
    u"テキストの行末は CR LF で終わっている。",
    u"図書館の窓から、遠くの海が見えた。",
    u"コーヒーを飲みながら、手紙を書いた。",
    u"子どもたちは公園でボールを追いかけている。",
    u"この表には、月ごとの売上がまとめてある。",
    u"夜になると、町の灯りが一つずつ消えていく。",
    u"古い写真を整理していたら、祖父の日記が出てきた。",
};

// The word inside a sentence: what comes before it and after it.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 4> kWordSentences{{
    {u"ここで", u"を入力する。"},
    {u"", u"が三行目に見つかった。"},
    {u"次の", u"に進む前に、前の行を読み返す。"},
    {u"この段落にも", u"がある。"},
}};

constexpr std::array<std::u16string_view, 8> kParticles{u"は", u"を", u"が", u"と",
                                                        u"の", u"も", u"に", u"で"};

// A fixed sequence, so that every run searches the same text.
class Sequence {
public:
    std::size_t Next(std::size_t bound) noexcept {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>((state_ >> 33) % bound);
    }

private:
    std::uint64_t state_ = 20240601;
};

SearchText InControlMemory(const std::u16string& text, std::size_t lines, std::size_t words) {
    SearchText result;
    result.memory = LocalMemory(LocalAlloc(LMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t)));
    {
        const LockedLocal<char16_t> units(result.memory.Get());
        if (!units) {
            throw std::runtime_error("no memory for the text");
        }
        std::copy(text.begin(), text.end(), units.Get());
        units.Get()[text.size()] = u'\0';
    }
    result.length = text.size();
    result.lines = lines;
    result.words = words;
    return result;
}

} // namespace

SearchText MakeProse(std::size_t units, std::size_t spacing) {
    Sequence sequence;
    std::u16string text;
    text.reserve(units + 256);
    std::size_t lines = 0;
    std::size_t words = 0;
    // Where the next word goes: placed by position, so that the count is the length over the
    // spacing however long the sentences are.
    std::size_t nextWord = spacing;
    std::u16string line;
    while (true) {
        line.clear();
        std::size_t lineWords = 0;
        const std::size_t width = 30 + sequence.Next(80);
        while (line.size() < width) {
            if (text.size() + line.size() >= nextWord) {
                const auto& [before, after] = kWordSentences[sequence.Next(kWordSentences.size())];
                line.append(before).append(kSearchWord).append(after);
                ++lineWords;
                nextWord += spacing;
            } else {
                line.append(kSentences[sequence.Next(kSentences.size())]);
            }
        }
        line.append(u"\r\n");
        if (text.size() + line.size() > units) {
            break;
        }
        text.append(line);
        ++lines;
        words += lineWords;
    }
    return InControlMemory(text, lines, words);
}

SearchText MakeDense(std::size_t words) {
    Sequence sequence;
    std::u16string text;
    text.reserve(words * 5);
    std::size_t lines = 0;
    for (std::size_t written = 0; written < words;) {
        // A line never starts with the word, so a caret at a line's start is not on a match.
        text.append(u"「");
        for (int i = 0; i < 10 && written < words; ++i, ++written) {
            text.append(kSearchWord).append(kParticles[sequence.Next(kParticles.size())]);
        }
        text.append(u"」\r\n");
        ++lines;
    }
    return InControlMemory(text, lines, words);
}

} // namespace nerula::bench
