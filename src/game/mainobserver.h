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
    // The main window was unloaded: the view closes, and the program ends.
    virtual void unloaded() = 0;
};
