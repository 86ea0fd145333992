#include "ui/toolkit/textops.h"

namespace text {

QStringList splitKeepEmpty(const QString &text, const QString &separator)
{
    return text.split(separator, Qt::KeepEmptyParts);
}

} // namespace text
