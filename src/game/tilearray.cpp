#include "game/tilearray.h"

#include <stdexcept>

TileArray::TileArray(ControlId id, int first, int last) : m_id(id)
{
    for (int k = first; k <= last; ++k) {
        if (k >= bound()) {
            m_items.resize(static_cast<std::size_t>(k) + 1);
        }
        m_items[static_cast<std::size_t>(k)] = std::make_unique<Control>(id, k);
    }
}

bool TileArray::exists(int k) const
{
    return k >= 0 && k < bound() && m_items[static_cast<std::size_t>(k)] != nullptr;
}

Control &TileArray::operator[](int k)
{
    if (!exists(k)) {
        throw std::out_of_range("no such tile");
    }
    return *m_items[static_cast<std::size_t>(k)];
}

const Control &TileArray::operator[](int k) const
{
    if (!exists(k)) {
        throw std::out_of_range("no such tile");
    }
    return *m_items[static_cast<std::size_t>(k)];
}

Control &TileArray::load(int k, int from)
{
    if (k < 0 || exists(k)) {
        throw std::logic_error("tile already loaded");
    }
    if (k >= bound()) {
        m_items.resize(static_cast<std::size_t>(k) + 1);
    }
    auto tile = std::make_unique<Control>(m_id, k);
    tile->copyFrom((*this)[from]);
    tile->setVisible(false);
    tile->setObserver(m_observer);
    m_items[static_cast<std::size_t>(k)] = std::move(tile);
    return *m_items[static_cast<std::size_t>(k)];
}

void TileArray::unload(int k)
{
    if (!exists(k)) {
        throw std::logic_error("no such tile to unload");
    }
    m_items[static_cast<std::size_t>(k)].reset();
    while (!m_items.empty() && !m_items.back()) {
        m_items.pop_back();
    }
    // Back to element 0 alone (a board reset): give the room of the largest board back, so
    // each level starts with the memory it had before.
    if (m_items.size() <= 1) {
        m_items.shrink_to_fit();
    }
}

int TileArray::count() const
{
    int n = 0;
    for (const auto &p : m_items) {
        n += p != nullptr;
    }
    return n;
}

void TileArray::setObserver(ControlObserver *observer)
{
    m_observer = observer;
    for (auto &p : m_items) {
        if (p) {
            p->setObserver(observer);
        }
    }
}
