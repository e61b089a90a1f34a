#include "platform/slices.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace ramulo {

void inSlices(qsizetype count, const std::function<void(qsizetype, qsizetype)>& work) {
    const qsizetype threads =
        count < kManyNames ? 1 : std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::thread> others;
    const qsizetype slice = (count + threads - 1) / threads;
    for (qsizetype begin = slice; begin < count; begin += slice)
        others.emplace_back(work, begin, std::min(count, begin + slice));
    work(0, std::min(count, slice));
    for (std::thread& other : others)
        other.join();
}

} // namespace ramulo
