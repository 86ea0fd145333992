#include "ui/toolkit/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace conv {

double textToDouble(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

QString numberToText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return QString::number(static_cast<long long>(value));
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, static_cast<int>(res.ptr - buf));
}

std::int16_t toInteger16(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    // nearbyint follows the default rounding mode, round-half-to-even.
    const double r = std::nearbyint(value);
    if (r <= std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (r >= std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> parseLong(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return std::nullopt;
    }
    int i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        i = 1;
    }
    if (i >= t.size()) {
        return std::nullopt;
    }
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        v = v * 10 + (c.unicode() - u'0');
        if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        v = -v;
    }
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

std::int32_t textToLong(const QString &text)
{
    return parseLong(text).value_or(0);
}

} // namespace conv
