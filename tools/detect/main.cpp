// nerula-detect: prints the code page Nerula's own detector gives each file, a tab and the
// path, one line per file; -1 when it can say nothing. Used by bench/detect-accuracy.sh.
//
//   nerula-detect FILE...
//   nerula-detect --explain FILE...  also each reading's cost (sixteenths of a bit, before the
//                                    detector's preference for common encodings), characters,
//                                    undecodable, rare and NUL ones, over as many bytes
//                                    from the start as the detector reads
//   nerula-detect --time FILE...     also the microseconds one detection takes (best of 20)

#include "text/code_page_detector.h"
#include "text/encoding_readings.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

namespace {

bool ReadFile(const char* path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void Explain(std::span<const std::uint8_t> bytes) {
    using namespace nerula::text_model;
    const std::span<const std::uint8_t> window =
        bytes.first(std::min(bytes.size(), nerula::kCodePageDetectionWindow));
    const struct {
        const char* name;
        TextScore score;
    } readings[] = {
        {"utf-8", ReadUtf8(window)},           {"cp932", ReadCp932(window)},
        {"euc-jp", ReadEucJp(window)},         {"utf-16le", ReadUtf16(window, false)},
        {"utf-16be", ReadUtf16(window, true)},
    };
    for (const auto& r : readings) {
        std::printf("\t%-9s cost %8lld  chars %6d  bad %5d  rare %5d  nul %5d\n", r.name,
                    static_cast<long long>(r.score.Cost()), r.score.Chars(), r.score.BadChars(),
                    r.score.Count(CharClass::Rare), r.score.Nuls());
    }
}

long long Microseconds(std::span<const std::uint8_t> bytes) {
    long long best = -1;
    for (int run = 0; run < 20; ++run) {
        const auto start = std::chrono::steady_clock::now();
        volatile int result = nerula::DetectCodePage(bytes);
        static_cast<void>(result);
        const auto took =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        if (best < 0 || took.count() < best) {
            best = took.count();
        }
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool explain = argc > 1 && std::strcmp(argv[1], "--explain") == 0;
    const bool time = argc > 1 && std::strcmp(argv[1], "--time") == 0;
    if (explain || time) {
        ++first;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: nerula-detect [--explain | --time] FILE...\n");
        return 2;
    }
    int status = 0;
    std::vector<std::uint8_t> bytes;
    for (int i = first; i < argc; ++i) {
        if (!ReadFile(argv[i], bytes)) {
            std::fprintf(stderr, "nerula-detect: cannot read %s\n", argv[i]);
            status = 1;
            continue;
        }
        if (time) {
            std::printf("%d\t%s\t%lld us\n", nerula::DetectCodePage(bytes), argv[i], Microseconds(bytes));
            continue;
        }
        std::printf("%d\t%s\n", nerula::DetectCodePage(bytes), argv[i]);
        if (explain) {
            Explain(bytes);
        }
    }
    return status;
}
