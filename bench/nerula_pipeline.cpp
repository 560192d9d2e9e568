#include "nerula_pipeline.h"

#include <memory>

#include <windows.h>

#include "app/file_reader.h"
#include "common/memory_stream.h"
#include "stopwatch.h"
#include "text/code_pages.h"
#include "text/text_loading.h"
#include "text/win/code_page_detection.h"
#include "text/win/code_page_encoding.h"

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
    return {LoadText(*encoding, stream.Remaining()), encoding->CodePage()};
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
        const std::u16string text = LoadText(*encoding, stream.Remaining());
        times.load = clock.Milliseconds();
    }

    const std::span<const std::uint8_t> bytes = WithoutByteOrderMark(*encoding, stream.Remaining());
    clock = Stopwatch();
    const std::u16string decoded = encoding->Decode(bytes);
    times.decode = clock.Milliseconds();
    return times;
}

} // namespace nerula::bench
