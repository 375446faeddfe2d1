#pragma once
// The Basic runtime's arithmetic and formatting, kept in one place so every
// window rounds, formats and draws random numbers alike.
#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>
#include <functional>

namespace orv {

// 16-bit Boolean of the program-wide state: True is -1, False is 0.
using Boolean = std::int16_t;
inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;
inline constexpr Boolean vb(bool b) { return b ? kTrue : kFalse; }
inline constexpr bool isTrue(Boolean b) { return b != 0; }

// CInt / CLng: round half to even (banker's rounding). A value beyond the
// type's range gives its nearest end; NaN gives 0.
long long CLng(double v);
int CInt(double v);

// Int: the largest whole number not above v.
double Int(double v);

// Val: the number at the start of the text. Blanks, tabs and line feeds are
// skipped anywhere; reading stops at the first character that cannot continue
// a number. "&H" and "&O" prefixes read hex and octal. No number gives 0.
// Results stay finite: a hex or octal number stops growing at 2^53 (the
// largest whole number a double holds exactly), a decimal one beyond the
// double range gives the largest double of its sign.
double Val(const QString& text);

// Format for numeric patterns made of '#', '0', '.' and ',' (thousands) with
// optional literal text around them, e.g. "#.0", "0.00", "#,##0". Rounds half
// away from zero on the value's 15-digit decimal form, as Format does, so
// 2.675 with "0.00" gives "2.68".
// An infinite or NaN value gives an empty text.
QString Format(double v, const QString& pattern);

// Date and time patterns: "hh:mm am/pm" (12-hour, lower-case am/pm as in the
// pattern, "AM/PM" gives upper case), "mmm dd, yyyy", "d mmm, yyyy",
// "hh:mm:ss", "h:mm", "dd/mm/yyyy". English month names whatever the locale.
QString FormatTime(const QTime& t, const QString& pattern);
QString FormatDate(const QDate& d, const QString& pattern);

// Timer: seconds since midnight of the local clock (Basic's Timer).
double Timer();
// Time of day as a fraction of a day (Basic's Time / Date type).
double TimeOfDay();
// Milliseconds on a monotonic clock (never 0, never going back, unaffected by
// midnight or changes of the wall clock). Tests may inject a source of their
// own; an empty function restores the real clock.
qint64 MonotonicMs();
void setMonotonicSource(std::function<qint64()> source);

// Random numbers: one generator seeded once from the clock. Tests may inject
// a source of their own (values in [0, 1)); an empty function restores it.
double Rnd();
void setRandomSource(std::function<double()> source);
// Int(Rnd * n) + 1: a whole number drawn uniformly from 1..n (n >= 1).
int randomDraw(int n);

} // namespace orv
