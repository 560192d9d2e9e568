#pragma once
// Records what reaches the error presenter while it lives, in place of the error box.

#include <string>
#include <string_view>
#include <vector>

#include "common/win/error_presenter.h"

namespace nerula::test {

class PresentedErrors final : public ErrorPresenter {
public:
    PresentedErrors() { SetErrorPresenter(this); }
    ~PresentedErrors() override { SetErrorPresenter(nullptr); }
    PresentedErrors(const PresentedErrors&) = delete;
    PresentedErrors& operator=(const PresentedErrors&) = delete;

    void PresentError(std::u16string_view message) noexcept override {
        try {
            messages.emplace_back(message);
        } catch (...) {
        }
    }

    std::vector<std::u16string> messages;
};

} // namespace nerula::test
