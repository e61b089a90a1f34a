#pragma once
// The message boxes as the running program shows them: readable, and always
// fitting the screen.

#include "platform/services.h"

namespace ramulo {

class RealMessageBoxes : public MessageBoxes {
public:
    // Messages of more lines than this show their body in a scrolling area;
    // shorter ones are the box's text exactly, unless the box would not fit its
    // screen. Lines longer than 120 characters are cut in the middle.
    static constexpr int kLongMessageLines = 41;

    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
};

} // namespace ramulo
