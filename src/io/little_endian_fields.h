#pragma once

// The fields of little-endian file formats (BMP, WAV), put together from
// their bytes. They read the same on a host of either byte order, and through
// a stream whose typed access is in either order (a "bigendian::" view).
// Running out of data raises the stream's read exception, as a typed read
// does.

#include "io/stream.h"

#include <cstdint>

// An unsigned 16-bit field, 0 to 65535 (the range of TStream::ReadShort).
int32_t ReadLittleEndianShort(TStream& stream);
// A signed 32-bit field (as TStream::ReadInt gives one).
int32_t ReadLittleEndianInt(TStream& stream);
