#pragma once
// A text store in movable local memory, the form in which a multi-line edit control keeps
// its text: a text loaded into it is handed to the control as it is, never copied.

#include <cstddef>
#include <optional>

#include "common/win/locked_local.h"
#include "common/win/unique_handle.h"
#include "text/text_store.h"

namespace nerula {

class LocalTextStore final : public TextStore {
public:
    LocalTextStore() = default;
    LocalTextStore(const LocalTextStore&) = delete;
    LocalTextStore& operator=(const LocalTextStore&) = delete;
    ~LocalTextStore() override = default;

    // Fails with the edit control's own words when the memory cannot be had.
    char16_t* Reserve(std::size_t capacity) override;
    void Finish(std::size_t length) override;

    // The finished, zero-terminated text, unlocked; the store is empty afterwards.
    LocalMemory Take();

private:
    LocalMemory memory_;
    // While the text is written; unlocked before the block changes or is handed on.
    std::optional<LockedLocal<char16_t>> lock_;
};

} // namespace nerula
