#pragma once

#include "game/control.h"

#include <memory>
#include <vector>

// A control array of tiles: elements by index, which need not all exist.
class TileArray
{
public:
    TileArray(ControlId id, int first, int last);

    ControlId id() const { return m_id; }
    bool exists(int k) const;
    Control &operator[](int k);
    const Control &operator[](int k) const;

    // Creates element k as a copy of element `from` (hidden, whatever the original shows).
    Control &load(int k, int from);
    void unload(int k);
    // Highest index that may exist + 1.
    int bound() const { return static_cast<int>(m_items.size()); }
    // Elements that exist.
    int count() const;

    void setObserver(ControlObserver *observer);

private:
    ControlId m_id;
    ControlObserver *m_observer = nullptr;
    std::vector<std::unique_ptr<Control>> m_items;
};
