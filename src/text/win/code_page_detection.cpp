#include "text/win/code_page_detection.h"

#include <mlang.h>

#include "common/win/com.h"
#include "common/win/com_ptr.h"
#include "text/code_page_detector.h"
#include "text/win/stream_adapter.h"

namespace nerula {
namespace {

// {275C23E2-3747-11D0-9FEA-00AA003F8646}
constexpr CLSID kMultiLanguageClass{
    0x275C23E2, 0x3747, 0x11D0, {0x9F, 0xEA, 0x00, 0xAA, 0x00, 0x3F, 0x86, 0x46}};
// {275C23E1-3747-11D0-9FEA-00AA003F8646}
constexpr IID kMultiLanguage{0x275C23E1, 0x3747, 0x11D0, {0x9F, 0xEA, 0x00, 0xAA, 0x00, 0x3F, 0x86, 0x46}};
// {DCCFC164-2B38-11D2-B7EC-00C04F8F5D9A}
constexpr IID kMultiLanguage2{0xDCCFC164, 0x2B38, 0x11D2, {0xB7, 0xEC, 0x00, 0xC0, 0x4F, 0x8F, 0x5D, 0x9A}};

ComPtr<IUnknown> CreateMultiLanguage() {
    ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(kMultiLanguageClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IUnknown, object.ReceiveVoid()))) {
        object.Reset();
    }
    return object;
}

ComPtr<IMultiLanguage2> MultiLanguage2() {
    const ComPtr<IUnknown> object = CreateMultiLanguage();
    ComPtr<IUnknown> first;
    ComPtr<IMultiLanguage2> second;
    if (object && SUCCEEDED(object->QueryInterface(kMultiLanguage, first.ReceiveVoid())) &&
        SUCCEEDED(first->QueryInterface(kMultiLanguage2, second.ReceiveVoid()))) {
        return second;
    }
    return {};
}

int DetectOwn(const MemoryStream& stream) {
    return DetectCodePage(stream.Remaining());
}

} // namespace

bool IsMLangAvailable() {
    const ComPtr<IUnknown> object = CreateMultiLanguage();
    ComPtr<IUnknown> second;
    return object && SUCCEEDED(object->QueryInterface(kMultiLanguage2, second.ReceiveVoid()));
}

int DetectCodePage(DWORD flags, DWORD preferredCodePage, MemoryStream& stream) {
    const ComInitialization com;
    const ComPtr<IMultiLanguage2> multiLanguage = MultiLanguage2();
    if (!multiLanguage) {
        return DetectOwn(stream);
    }
    const std::size_t position = stream.Position();
    int result = -1;
    HRESULT answer = E_FAIL;
    {
        const ComPtr<IStream> adapter = MakeStreamAdapter(stream);
        DetectEncodingInfo info{};
        INT scores = 1;
        answer =
            multiLanguage->DetectCodepageInIStream(flags, preferredCodePage, adapter.Get(), &info, &scores);
        if (answer == S_OK) {
            result = static_cast<int>(info.nCodePage);
        }
    }
    stream.SetPosition(position);
    if (answer == E_NOTIMPL) {
        return DetectOwn(stream);
    }
    return result;
}

} // namespace nerula
