#include "nerula_pipeline.h"

#include <memory>

#include <windows.h>

#include "app/win/file_reader.h"
#include "common/memory_stream.h"
#include "stopwatch.h"
#include "text/code_pages.h"
#include "text/text_loading.h"
#include "text/win/code_page_detection.h"
#include "text/win/code_page_encoding.h"
#include "text/win/local_text_store.h"

namespace nerula::bench {
namespace {

// The main window's code page starts at the ANSI code page; a detection of nothing (-1)
// falls back to it through the setting's rule.
std::uint32_t DetectedCodePage(MemoryStream& stream) {
    CodePageSetting setting(GetACP());
    setting.Write(setting.Ansi());
    setting.Write(static_cast<std::uint32_t>(DetectCodePage(0, 0, stream)));
    return setting.Value();
}

} // namespace

NerulaText OpenLikeNerula(const std::wstring& path) {
    MemoryStream stream(ReadWholeFile(path));
    const std::uint32_t codePage = DetectedCodePage(stream);
    const std::unique_ptr<Encoding> encoding = CreateCodePageEncoding(codePage, GetACP());
    LocalTextStore store;
    const std::size_t length = LoadText(*encoding, stream.Remaining(), store);
    return {store.Take(), length, encoding->CodePage()};
}

StepTimes TimeNerulaSteps(const std::wstring& path) {
    StepTimes times;
    Stopwatch clock;
    MemoryStream stream(ReadWholeFile(path));
    times.read = clock.Milliseconds();

    clock = Stopwatch();
    const std::uint32_t codePage = DetectedCodePage(stream);
    times.detect = clock.Milliseconds();

    clock = Stopwatch();
    const std::unique_ptr<Encoding> encoding = CreateCodePageEncoding(codePage, GetACP());
    times.encoding = clock.Milliseconds();

    {
        clock = Stopwatch();
        LocalTextStore store;
        LoadText(*encoding, stream.Remaining(), store);
        times.load = clock.Milliseconds();
    }

    const std::span<const std::uint8_t> bytes = WithoutByteOrderMark(*encoding, stream.Remaining());
    clock = Stopwatch();
    // The converter's pieces taken and dropped: the conversion alone, without the writing
    // of the shown text that LoadText adds.
    std::size_t units = 0;
    encoding->DecodeInPieces(bytes, [&units](std::u16string_view piece) { units += piece.size(); });
    times.decode = clock.Milliseconds();
    return times;
}

} // namespace nerula::bench
