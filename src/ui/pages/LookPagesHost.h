#pragma once

namespace skyloom {

// What the Wallpaper Settings and Background pages ask of the window around them.
class ILookPagesHost {
public:
    virtual ~ILookPagesHost() = default;
    // A setting changed that takes effect on Apply: PendingChange and FilterChange bits.
    virtual void MarkChanged(unsigned changeBits, unsigned filterBits) = 0;
};

} // namespace skyloom
