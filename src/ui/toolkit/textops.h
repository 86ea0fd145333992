#pragma once

#include <QString>
#include <QStringList>

namespace text {

inline const QString CrLf = QStringLiteral("\r\n");
inline const QString Tab = QStringLiteral("\t");

// Splits at every occurrence of the separator, keeping empty pieces: k separators give
// k + 1 pieces, and empty text gives one empty piece.
QStringList splitKeepEmpty(const QString &text, const QString &separator);

} // namespace text
