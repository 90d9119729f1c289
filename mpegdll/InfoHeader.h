#pragma once
// The Xing/Info header that encoders put into the first frame of a layer III stream: the frame
// count gives the exact length without a scan, the byte count tells whether the file is whole.

#include <cstddef>
#include <cstdint>
#include <functional>

struct InfoHeader {
    int64_t frameOffset = -1; // where the frame holding the header starts
    int64_t frames = -1;      // -1: not given
    int64_t bytes = -1;       // size of the MPEG data from frameOffset on; -1: not given
};

// Reads up to n bytes at pos into buf; returns the count read.
using ReadAtFn = std::function<size_t(int64_t pos, void *buf, size_t n)>;

// Finds the header after any ID3v2 tags; false when the first frame has none.
bool ReadInfoHeader(const ReadAtFn &readAt, InfoHeader &header);
