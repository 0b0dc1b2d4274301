// Work split over threads in fixed chunks. The chunks, not the threads,
// decide how the work is cut, so that a computation that combines per-chunk
// partial results in chunk order gives the same bits on any number of
// threads.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace zolt::design {

// Every core of the machine (at least 1).
unsigned hardwareThreads();

// Calls body(chunk, first, last) for the chunks [0, count) cut into pieces
// of `chunkSize` items, on `threads` threads (0: every core); returns when
// all are done. Chunks not yet started are skipped once `cancel` is set.
void parallelChunks(std::size_t count, std::size_t chunkSize, unsigned threads,
                    const std::function<void(std::size_t chunk, std::size_t first,
                                             std::size_t last)>& body,
                    const std::atomic<bool>* cancel = nullptr);

} // namespace zolt::design
