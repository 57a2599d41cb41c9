#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace skyloom {

// One button of a message: its caption (with "&" before the mnemonic) and the id it returns.
struct MessageButton {
    QString caption;
    int id = 0;
};

// The buttons of a message style, left to right: its button set, with "Yes to All" and
// "No to All" added where the style asks for them on a Yes/No set.
std::vector<MessageButton> MessageButtons(unsigned style);

// The caption of the check box the style asks for; empty when none.
QString MessageCheckBoxText(unsigned style);
// The style bit of that check box, returned in the result when it is ticked; 0 when none.
unsigned MessageCheckBoxBit(unsigned style);

// What Escape and the close button answer: Cancel when the set has it, OK when OK is the only
// button; nothing otherwise (the message must be answered with a button).
std::optional<int> MessageEscapeAnswer(unsigned style);

// The answer that commits to nothing, for a message nobody can answer (the program is ending,
// or nobody is there to see it): what Escape answers, else No, else Abort, else the first.
int MessageCautiousAnswer(unsigned style);

} // namespace skyloom
