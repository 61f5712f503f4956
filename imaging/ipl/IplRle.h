// Run-length coded DIB rows (RLE8 and RLE4): expansion into one index byte per pixel and
// compression of index rows. Statuses and texts are the library's; 0 means success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct OwnRleResult {
    int status;
    const char* context;
};

// Expands size bytes of RLE data into width x height indices, rows in stored order (bottom first).
OwnRleResult ownDecompressRle(const uint8_t* data, size_t size, bool rle4, int width, int height,
                              std::vector<uint8_t>& indices);
// Compresses width x height indices (rows in stored order) into at most capacity bytes; *written
// receives the size used.
OwnRleResult ownCompressRle(const uint8_t* indices, int width, int height, bool rle4, uint8_t* out,
                            size_t capacity, size_t* written);
