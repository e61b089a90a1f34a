#pragma once
// Long work done aside, so that the window never freezes.

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace ramulo {

// What work that can be counted tells the box while it runs, from its own
// thread, and the user's answer.
struct AsideProgress {
    qint64 total = 0;               // set before the work starts
    std::atomic<qint64> done{0};    // advanced by the work
    std::atomic<bool> cancelled{0}; // set by the box's cancel button
};

// How long work runs before the window turns its event loop, and before the
// box shows, in milliseconds. Tests lower them.
struct AsideDelays {
    int wait = 100;
    int box = 500;
};
AsideDelays& asideDelays();

// Runs the work on a worker thread and returns when it is done, rethrowing
// what it threw. Short work is simply waited for. Longer work lets the window
// keep painting, and after half a second a box over the window says what is
// under way. The user's input waits until the work is done, as it would for
// work done in place. The work must not touch a widget.
//
// With a progress, the box shows how far the work is and has a cancel button;
// once it shows, the window stays blocked but the box takes input.
void runAside(QWidget* window, const QString& what, const std::function<void()>& work,
              AsideProgress* progress = nullptr);

// Work that must be done on the window's own thread, in steps: step() does
// one and answers whether more remain. Short work simply runs; longer work
// lets the window paint between steps, and after half a second the same box
// shows. The user's input waits until the work is done.
void runInTurns(QWidget* window, const QString& what, const std::function<bool()>& step);

} // namespace ramulo
