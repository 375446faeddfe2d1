#include "platform/basic.h"

#include <QElapsedTimer>

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace orv {

namespace {
// Rounds half to even (the default rounding mode) and keeps the result within lo..hi.
template <class T> T roundedWithin(double v, T lo, T hi)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    // hi converted to double may round up past hi itself (2^63 for long long).
    if (r >= static_cast<double>(hi))
        return hi;
    if (r <= static_cast<double>(lo))
        return lo;
    return static_cast<T>(r);
}
} // namespace

long long CLng(double v)
{
    return roundedWithin(v, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max());
}

int CInt(double v) { return roundedWithin(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()); }

double Int(double v) { return std::floor(v); }

double Val(const QString& text)
{
    QString s;
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            s.append(c);
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s.at(1).toUpper();
        int base = kind == u'H' ? 16 : (kind == u'O' ? 8 : 0);
        if (base == 0)
            return 0;
        constexpr double kLargestExact = 9007199254740992.0; // 2^53
        double n = 0;
        for (int i = 2; i < s.size() && n < kLargestExact; ++i) {
            int d = s.at(i).isDigit() ? s.at(i).digitValue()
                  : (base == 16 && QStringLiteral("ABCDEF").contains(s.at(i).toUpper()))
                      ? 10 + (s.at(i).toUpper().unicode() - u'A')
                      : -1;
            if (d < 0 || d >= base)
                break;
            n = std::min(n * base + d, kLargestExact);
        }
        return n;
    }
    int i = 0;
    std::string num;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        num += static_cast<char>(s[i++].unicode());
    bool digits = false, point = false;
    while (i < s.size()) {
        QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            num += static_cast<char>(c.unicode());
            digits = true;
        } else if (c == u'.' && !point) {
            num += '.';
            point = true;
        } else
            break;
        ++i;
    }
    if (!digits)
        return 0;
    if (i < s.size() && QStringLiteral("eEdD").contains(s[i])) {
        std::string exp = "e";
        int j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exp += static_cast<char>(s[j++].unicode());
        bool expDigits = false;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            exp += static_cast<char>(s[j++].unicode());
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    const double v = std::strtod(num.c_str(), nullptr);
    if (std::isinf(v))
        return v > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    return v;
}

namespace {

// Rounds |v| to `decimals` places, half away from zero, working on the
// 15-significant-digit decimal text of v. Returns the digits without a point
// and the number of them that belong before the point.
std::string roundedDigits(double v, int decimals, int& intDigits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v)); // d.dddddddddddddde±xx
    std::string mant;
    for (const char* p = buf; *p && *p != 'e'; ++p)
        if (*p != '.')
            mant += *p;
    int exp = std::atoi(std::strchr(buf, 'e') + 1);
    // value = 0.mant * 10^(exp+1)
    int pointPos = exp + 1; // digits of mant before the decimal point
    int keep = pointPos + decimals;
    std::string digits;
    if (keep < 0) {
        digits = "0";
        pointPos = 1;
        keep = 1 + decimals;
        digits.assign(keep, '0');
        intDigits = 1;
        return digits;
    }
    digits = mant.substr(0, std::min<size_t>(keep, mant.size()));
    while (static_cast<int>(digits.size()) < keep)
        digits += '0';
    bool up = keep < static_cast<int>(mant.size()) && mant[keep] >= '5';
    if (up) {
        int k = keep - 1;
        while (k >= 0 && digits[k] == '9') {
            digits[k] = '0';
            --k;
        }
        if (k >= 0)
            digits[k]++;
        else {
            digits.insert(digits.begin(), '1');
            ++pointPos;
        }
    }
    if (pointPos <= 0) { // value below 1: pad leading zeros
        digits.insert(0, std::string(1 - pointPos, '0'));
        pointPos = 1;
    }
    intDigits = pointPos;
    return digits;
}

} // namespace

QString Format(double v, const QString& pattern)
{
    int first = -1, last = -1;
    for (int i = 0; i < pattern.size(); ++i)
        if (QStringLiteral("#0.,").contains(pattern[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first < 0)
        return pattern;
    const QString prefix = pattern.left(first), suffix = pattern.mid(last + 1);
    const QString num = pattern.mid(first, last - first + 1);
    const int dot = num.indexOf(u'.');
    const QString intPart = dot < 0 ? num : num.left(dot);
    const QString fracPart = dot < 0 ? QString() : num.mid(dot + 1);
    const bool thousands = intPart.contains(u',');
    const int minInt = intPart.count(u'0');
    const int minFrac = fracPart.count(u'0');
    const int decimals = fracPart.count(u'0') + fracPart.count(u'#');

    // No number to show: a result that overflowed or was undefined gives no
    // text rather than a misleading one.
    if (!std::isfinite(v))
        return QString();
    int intDigits = 0;
    std::string d = roundedDigits(v, decimals, intDigits);
    std::string ip = d.substr(0, intDigits), fp = d.substr(intDigits);
    while (ip.size() > 1 && ip[0] == '0')
        ip.erase(0, 1);
    if (ip == "0")
        ip.clear();
    while (static_cast<int>(ip.size()) < minInt)
        ip.insert(0, "0");
    while (static_cast<int>(fp.size()) > minFrac && !fp.empty() && fp.back() == '0')
        fp.pop_back();
    if (thousands)
        for (int k = static_cast<int>(ip.size()) - 3; k > 0; k -= 3)
            ip.insert(static_cast<size_t>(k), ",");
    QString out = QString::fromStdString(ip);
    if (dot >= 0)
        out += u'.' + QString::fromStdString(fp);
    bool zero = (ip.find_first_not_of("0,") == std::string::npos) && (fp.find_first_not_of('0') == std::string::npos);
    if (v < 0 && !zero)
        out.prepend(u'-');
    return prefix + out + suffix;
}

namespace {
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
QString two(int n) { return QString::number(n).rightJustified(2, u'0'); }
}

QString FormatTime(const QTime& t, const QString& pattern)
{
    const bool ampm = pattern.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive);
    int h = t.hour();
    QString suffix;
    if (ampm) {
        const bool upper = pattern.contains(QStringLiteral("AM/PM"));
        suffix = (h < 12) ? QStringLiteral("am") : QStringLiteral("pm");
        if (upper)
            suffix = suffix.toUpper();
        h = h % 12;
        if (h == 0)
            h = 12;
    }
    QString out = pattern;
    out.replace(QStringLiteral("am/pm"), suffix, Qt::CaseInsensitive);
    out.replace(QStringLiteral("hh"), two(h));
    out.replace(QStringLiteral("ss"), two(t.second()));
    out.replace(QStringLiteral("mm"), two(t.minute()));
    if (!pattern.contains(QStringLiteral("hh")))
        out.replace(QStringLiteral("h"), QString::number(h));
    return out;
}

QString FormatDate(const QDate& d, const QString& pattern)
{
    // Tokenise greedily: yyyy, mmmm, mmm, mm, m, dd, d.
    QString out;
    for (int i = 0; i < pattern.size();) {
        auto run = [&](QChar c) {
            int n = 0;
            while (i + n < pattern.size() && pattern[i + n] == c)
                ++n;
            return n;
        };
        const QChar c = pattern[i];
        if (c == u'y') {
            int n = run(c);
            out += n >= 4 ? QString::number(d.year()) : two(d.year() % 100);
            i += n;
        } else if (c == u'm') {
            int n = run(c);
            const QString name = QString::fromLatin1(kMonths[d.month() - 1]);
            out += n >= 4 ? name : n == 3 ? name.left(3) : n == 2 ? two(d.month()) : QString::number(d.month());
            i += n;
        } else if (c == u'd') {
            int n = run(c);
            out += n >= 2 ? two(d.day()) : QString::number(d.day());
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

double Timer()
{
    const QTime t = QTime::currentTime();
    return t.msecsSinceStartOfDay() / 1000.0;
}

double TimeOfDay() { return Timer() / 86400.0; }

namespace {
std::function<qint64()>& monotonicSource()
{
    // Never destroyed, as the random source below: the system's end road may
    // read the clock from an exit handler, after the statics made since it
    // was registered are gone.
    static auto* s = new std::function<qint64()>;
    return *s;
}
} // namespace

qint64 MonotonicMs()
{
    if (monotonicSource())
        return monotonicSource()();
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed() + 1; // 0 is left free to mean "no reading"
}

void setMonotonicSource(std::function<qint64()> s) { monotonicSource() = std::move(s); }

namespace {
std::function<double()>& source()
{
    static auto* s = new std::function<double()>; // never destroyed, as the clock above
    return *s;
}
std::mt19937& generator()
{
    static std::mt19937 g(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()
                                                ^ std::chrono::system_clock::now().time_since_epoch().count()));
    return g;
}
}

double Rnd()
{
    if (source())
        return source()();
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator());
}

void setRandomSource(std::function<double()> s) { source() = std::move(s); }

int randomDraw(int n)
{
    int r = static_cast<int>(Int(Rnd() * n)) + 1;
    return r > n ? n : r;
}

} // namespace orv
