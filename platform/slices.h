#pragma once
// Work over long lists, shared among a few threads.

#include <QtGlobal>

#include <functional>

namespace ramulo {

// Lists shorter than this are worked through on one thread: starting threads
// would cost more than it saves.
inline constexpr qsizetype kManyNames = 2048;

// Runs work(begin, end) over [0, count) in a few slices, one thread each.
void inSlices(qsizetype count, const std::function<void(qsizetype, qsizetype)>& work);

} // namespace ramulo
