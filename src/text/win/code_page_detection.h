#pragma once
// Choosing a text's code page: MLang where it can detect, Nerula's own detector where it
// cannot (missing, or answering that detection is not implemented, as under Wine).

#include <windows.h>

#include "common/memory_stream.h"

namespace nerula {

// Whether MLang's object can be created and offers IMultiLanguage2. COM must already be
// initialised on the calling thread.
bool IsMLangAvailable();

// The detected code page of the bytes from the stream's position on, or -1 when nothing
// was detected. The stream's position is the same afterwards.
int DetectCodePage(DWORD flags, DWORD preferredCodePage, MemoryStream& stream);

} // namespace nerula
