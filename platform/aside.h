#pragma once
// Long work done aside, so that the window never freezes.

#include <QString>

#include <functional>

class QWidget;

namespace ramulo {

// Runs the work on a worker thread and returns when it is done, rethrowing
// what it threw. Short work is simply waited for. Longer work lets the window
// keep painting, and after half a second a box over the window says what is
// under way. The user's input waits until the work is done, as it would for
// work done in place. The work must not touch a widget.
void runAside(QWidget* window, const QString& what, const std::function<void()>& work);

} // namespace ramulo
