#pragma once

#include "game/control.h"

// What a view of the main window hears from its model, besides control changes.
class MainObserver : public ControlObserver
{
public:
    // Stack tile k was created (a hidden copy of element 0) or destroyed.
    virtual void tileLoaded(int k) = 0;
    virtual void tileUnloaded(int k) = 0;
    // The drawing on the overlay changed: row y got a line, or (y = -1) it was cleared.
    virtual void overlayChanged(int y) = 0;
    // Many stack tiles are about to move at once (a push, or tiles dropping after a word),
    // or have done so: a view may hold its repaints until the end.
    virtual void stackMoving(bool /*started*/) {}
    // The main window was unloaded: the view closes, and the program ends.
    virtual void unloaded() = 0;
};
