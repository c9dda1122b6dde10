#pragma once
// The deflate decoder behind ExtractSkinEntry and InflateRaw, reading from any byte source.
#include "skin/SUI2SkinReader.h"
#include "skin/ByteSource.h"

namespace trimwell::skin_detail {

// Throws only what the source or the sink throws.
InflateStatus Inflate(ByteSource& source, const InflateSink& sink, std::uint64_t outputLimit);

}  // namespace trimwell::skin_detail
