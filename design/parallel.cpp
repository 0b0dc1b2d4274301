#include "design/parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace zolt::design {

unsigned hardwareThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void parallelChunks(std::size_t count, std::size_t chunkSize, unsigned threads,
                    const std::function<void(std::size_t, std::size_t, std::size_t)>& body,
                    const std::atomic<bool>* cancel) {
    if (count == 0)
        return;
    chunkSize = std::max<std::size_t>(chunkSize, 1);
    const std::size_t chunks = (count + chunkSize - 1) / chunkSize;
    if (threads == 0)
        threads = hardwareThreads();
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, chunks));

    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (;;) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
                return;
            const std::size_t chunk = next.fetch_add(1, std::memory_order_relaxed);
            if (chunk >= chunks)
                return;
            const std::size_t first = chunk * chunkSize;
            body(chunk, first, std::min(count, first + chunkSize));
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
}

} // namespace zolt::design
