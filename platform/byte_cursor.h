// Reading and writing the little-endian integers of the binary data files
// without ever reading out of bounds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// A read position over a file's bytes. Every read checks what remains
// (n <= length - position, which cannot wrap); a failed read clears `ok`
// and yields zeros.
struct ByteCursor {
  const unsigned char* data;
  std::size_t length;
  std::size_t position;
  int ok;
};

inline std::size_t CursorRemaining(const ByteCursor* c) { return c->length - c->position; }

// Copies the next n bytes to out. Returns 1, or 0 (out zeroed, `ok` cleared).
inline int CursorBytes(ByteCursor* c, unsigned char* out, std::size_t n) {
  if (!c->ok || n > CursorRemaining(c)) {
    c->ok = 0;
    if (n != 0) std::memset(out, 0, n);
    return 0;
  }
  if (n != 0) std::memcpy(out, c->data + c->position, n);
  c->position += n;
  return 1;
}

// The next 4 bytes, least significant first; 0 after a failed read.
inline std::uint32_t CursorUint32(ByteCursor* c) {
  unsigned char b[4];
  CursorBytes(c, b, 4);
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
         std::uint32_t{b[3]} << 24;
}

inline std::int32_t CursorInt32(ByteCursor* c) { return static_cast<std::int32_t>(CursorUint32(c)); }

// Appends 4 bytes, least significant first.
inline void PutUint32(std::vector<unsigned char>* out, std::uint32_t v) {
  out->push_back(static_cast<unsigned char>(v));
  out->push_back(static_cast<unsigned char>(v >> 8));
  out->push_back(static_cast<unsigned char>(v >> 16));
  out->push_back(static_cast<unsigned char>(v >> 24));
}

inline void PutInt32(std::vector<unsigned char>* out, std::int32_t v) {
  PutUint32(out, static_cast<std::uint32_t>(v));
}
