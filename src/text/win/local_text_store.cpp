#include "text/win/local_text_store.h"

#include <limits>

#include "common/exception.h"

namespace nerula {
namespace {

[[noreturn]] void ThrowTooLarge() {
    throw Exception(u"テキストがメモの容量を超えています");
}

} // namespace

char16_t* LocalTextStore::Reserve(std::size_t capacity) {
    if (capacity >= std::numeric_limits<std::size_t>::max() / sizeof(char16_t) - 1) {
        ThrowTooLarge();
    }
    const std::size_t bytes = (capacity + 1) * sizeof(char16_t);
    lock_.reset();
    if (!memory_) {
        // Not LMEM_ZEROINIT: the pages are first touched when the text is written.
        memory_ = LocalMemory(LocalAlloc(LMEM_MOVEABLE, bytes));
    } else if (HLOCAL grown = LocalReAlloc(memory_.Get(), bytes, LMEM_MOVEABLE)) {
        memory_.Release();
        memory_ = LocalMemory(grown);
    } else {
        ThrowTooLarge();
    }
    lock_.emplace(memory_.Get());
    if (!*lock_) {
        ThrowTooLarge();
    }
    return lock_->Get();
}

void LocalTextStore::Finish(std::size_t length) {
    lock_->Get()[length] = u'\0';
    lock_.reset();
    // Room reserved for the worst case (one unit for every byte, and a CR for every line
    // end) goes back; shrinking a block keeps it where it is.
    const std::size_t bytes = (length + 1) * sizeof(char16_t);
    if (LocalSize(memory_.Get()) > bytes + bytes / 8) {
        if (HLOCAL shrunk = LocalReAlloc(memory_.Get(), bytes, LMEM_MOVEABLE)) {
            memory_.Release();
            memory_ = LocalMemory(shrunk);
        }
    }
}

LocalMemory LocalTextStore::Take() {
    lock_.reset();
    return std::move(memory_);
}

} // namespace nerula
