#include "common/win/error_presenter.h"

#include <exception>
#include <new>

#include <windows.h>

#include "common/exception.h"
#include "common/text_format.h"

namespace nerula {
namespace {

ErrorPresenter* g_presenter = nullptr;

} // namespace

void SetErrorPresenter(ErrorPresenter* presenter) noexcept { g_presenter = presenter; }

std::u16string CurrentExceptionMessage() {
    try {
        throw;
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return u"メモリが不足しています";
    } catch (const std::exception& e) {
        return Widen(e.what());
    } catch (...) {
        return u"不明なエラーが発生しました";
    }
}

void PresentCurrentException() noexcept {
    try {
        const std::u16string message = CurrentExceptionMessage();
        if (g_presenter != nullptr) {
            g_presenter->PresentError(message);
        } else {
            OutputDebugStringW(reinterpret_cast<const wchar_t*>(message.c_str()));
        }
    } catch (...) {
        // Presenting must never throw out of a callback; nothing more can be shown.
    }
}

} // namespace nerula
