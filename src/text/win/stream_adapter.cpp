#include "text/win/stream_adapter.h"

#include <atomic>
#include <cstring>

namespace nerula {
namespace {

class StreamAdapter final : public IStream {
public:
    explicit StreamAdapter(MemoryStream& stream) : stream_(stream) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) ||
            IsEqualIID(riid, IID_IStream)) {
            *object = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
        if (buffer == nullptr) {
            return STG_E_INVALIDPOINTER;
        }
        const std::size_t done =
            stream_.Read(std::span<std::uint8_t>(static_cast<std::uint8_t*>(buffer), count));
        if (read != nullptr) {
            *read = static_cast<ULONG>(done);
        }
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
        long long base = 0;
        switch (origin) {
        case STREAM_SEEK_SET:
            break;
        case STREAM_SEEK_CUR:
            base = static_cast<long long>(stream_.Position());
            break;
        case STREAM_SEEK_END:
            base = static_cast<long long>(stream_.Size());
            break;
        default:
            return STG_E_INVALIDFUNCTION;
        }
        const long long target = base + move.QuadPart;
        if (target < 0) {
            return STG_E_INVALIDFUNCTION;
        }
        stream_.SetPosition(static_cast<std::size_t>(target));
        if (newPosition != nullptr) {
            newPosition->QuadPart = stream_.Position();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
        if (stat == nullptr) {
            return STG_E_INVALIDPOINTER;
        }
        std::memset(stat, 0, sizeof *stat);
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = stream_.Size();
        stat->grfMode = STGM_READ;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    ~StreamAdapter() = default;

    MemoryStream& stream_;
    std::atomic<ULONG> references_{1};
};

} // namespace

ComPtr<IStream> MakeStreamAdapter(MemoryStream& stream) {
    return ComPtr<IStream>(new StreamAdapter(stream));
}

} // namespace nerula
