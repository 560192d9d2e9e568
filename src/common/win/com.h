#pragma once
// COM initialisation for the calling thread, undone only when it succeeded.

#include <objbase.h>

namespace nerula {

class ComInitialization {
public:
    ComInitialization() noexcept : result_(CoInitialize(nullptr)) {}
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;
    ~ComInitialization() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

} // namespace nerula
