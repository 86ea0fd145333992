#include "game/wordlist.h"

#include "ui/toolkit/textops.h"

void WordList::setText(const QString &text)
{
    m_entries = text::splitKeepEmpty(text, text::CrLf);
    m_lookup.clear();
    m_lookup.reserve(m_entries.size());
    for (const QString &e : std::as_const(m_entries)) {
        m_lookup.insert(e.toLower());
    }
}

void WordList::clear()
{
    m_entries.clear();
    m_lookup.clear();
}

bool WordList::contains(const QString &lowerWord) const
{
    return m_lookup.contains(lowerWord);
}
