#pragma once
// An IStream over a MemoryStream, for COM components that read a document: reads and seeks
// move the memory stream's own position; the adapter does not own the stream.

#include <objidl.h>

#include "common/memory_stream.h"
#include "common/win/com_ptr.h"

namespace nerula {

ComPtr<IStream> MakeStreamAdapter(MemoryStream& stream);

} // namespace nerula
