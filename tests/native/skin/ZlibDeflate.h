#pragma once
// Raw deflate streams made by zlib, the independent reference the inflater is checked and
// measured against.
#include <zlib.h>

#include "tests/native/skin/SkinArchiveBuilder.h"

namespace trimwell::testing {

inline Bytes ZlibDeflate(const Bytes& data, int level, int strategy = Z_DEFAULT_STRATEGY) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy) != Z_OK) return {};
    Bytes out(deflateBound(&z, data.size()));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const bool finished = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(finished ? z.total_out : 0);
    deflateEnd(&z);
    return out;
}

}  // namespace trimwell::testing
