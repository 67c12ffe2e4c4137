#pragma once

// Opening streams from urls, and the null-tolerant one-line helpers the game
// reads files with.

#include "io/stream.h"
#include "io/url.h"
#include "util/text.h"

#include <memory>

// A stream url gives a view of that stream whose Close leaves it open. A
// non-empty text without "::" is a file path (backslashes allowed) and never
// consults the factories. Otherwise the text is "scheme::path" (the scheme
// compared in lower case) and the factory chain is asked, front first.
// Null when nothing could be opened; that is no error.
std::shared_ptr<TStream> StreamOpen(const TUrl& url, bool readable, bool writeable);
std::shared_ptr<TStream> StreamOpenRead(const TUrl& url);
std::shared_ptr<TStream> StreamOpenWrite(const TUrl& url);

// Like StreamOpen, but a read-only stream that cannot seek (a pipe, the
// console) is read whole into memory, so the result can always seek.
std::shared_ptr<TStream> FileOpen(const TUrl& url, bool readable, bool writeable);
std::shared_ptr<TStream> FileOpenRead(const TUrl& url);

// Views of a stream, whose typed access is in the host's order (stream.cpp),
// with typed reads and writes in little- or big-endian order instead: the
// stream itself when the host already has that order, else a byte-reversing
// view (TXEndianStream). Null for null. On the little-endian hosts the build
// accepts, LittleEndianView is the stream itself.
std::shared_ptr<TStream> LittleEndianView(std::shared_ptr<TStream> stream);
std::shared_ptr<TStream> BigEndianView(std::shared_ptr<TStream> stream);

// A null stream (a file that did not open) reads as an empty one: Eof is
// true, ReadLine gives the empty text, and closing it does nothing.
bool Eof(const std::shared_ptr<TStream>& stream);
Text ReadLine(const std::shared_ptr<TStream>& stream);
void CloseStream(const std::shared_ptr<TStream>& stream);
