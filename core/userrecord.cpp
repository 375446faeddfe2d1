#include "core/userrecord.h"

#include "platform/textfile.h"

#include <algorithm>
#include <cmath>

namespace orv {

const char kUserFileKey[] = "C<*7(=B%?:1E,@/4;D!)8G-'3A#9>&6+F.2<0$C=5;(E1?@*D7/!B%'8A";
static_assert(sizeof(kUserFileKey) == 58, "the key has 57 characters");

namespace {

constexpr int kKeyLength = 57;
constexpr int kFieldsBeforeResults = 11;
constexpr int kResultDigits = 20; // of a result line, before the name

// Key character for record character number c (from 1): the key starts at
// its second character and wraps after the 57th.
int keyCode(int c) { return static_cast<unsigned char>(kUserFileKey[c % kKeyLength]); }

// The password shift: the session number folded into 0..16.
int sessionShift(int session)
{
    int s = session;
    while (s > 16)
        s -= 16;
    return s;
}

bool isDigitPairs(const QString& list)
{
    if (list.size() % 2 != 0)
        return false;
    return std::all_of(list.begin(), list.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isDigits(const QString& s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The leading number of a field, as a 16-bit Integer.
int fieldNumber(const QString& field) { return static_cast<int>(std::clamp(Val(field), -32768.0, 32767.0)); }

void readFlags(const QString& s, Boolean* flags, int first, int last)
{
    for (int k = first; k <= last; ++k) {
        const int i = k - first;
        flags[k] = vb(i < s.size() && s[i] == u'1');
    }
}

// Values 1 to 7 of a record, alike in both formats: the current unknown, the
// three flag strings and the first three tries.
void readProgressFields(const QStringList& values, UnknownProgress& p)
{
    p.CurrentUnknown = fieldNumber(values[1]);
    readFlags(values[2], p.ItemsRevealed.data(), 1, kLastItem);
    readFlags(values[3], p.ItemHelpShown.data(), 0, kLastItem);
    readFlags(values[4], p.ItemPrecluded.data(), 1, kLastPrecludable);
    p.PrecludedTries = fieldNumber(values[5]);
    p.NameTypingTries = fieldNumber(values[6]);
    p.StructChooseTries = fieldNumber(values[7]);
}

// At most this many characters of a damaged field are quoted in a message.
constexpr int kExcerptLength = 20;

// A damaged field as a message quotes it: its first characters, anything
// outside printable ASCII shown as "?", and "..." when the field goes on.
QString excerpt(const QString& field)
{
    QString out;
    for (QChar c : field.left(kExcerptLength))
        out += c.unicode() >= 32 && c.unicode() <= 126 ? c : QChar(u'?');
    if (field.size() > kExcerptLength)
        out += QStringLiteral("...");
    return out;
}

// Three digits of session, then at most nine of minutes (so both fit an int).
bool isSessionTimeField(const QString& field) { return field.size() >= 3 && field.size() <= 12 && isDigits(field); }

// Session field: three digits of session, then the minutes.
QString readSessionField(const QString& field, int& session, long& minutes)
{
    if (!isSessionTimeField(field))
        return QStringLiteral("its session and time field \"%1\" is damaged").arg(excerpt(field));
    session = field.left(3).toInt();
    minutes = field.size() > 3 ? field.mid(3).toLong() : 0;
    return {};
}

// A result row as the summary reads it back: the 20 digits of the result line
// (the name follows them) and a session and time field.
QString checkResults(const UserRecord& r)
{
    if (static_cast<qsizetype>(r.results.size()) != r.completedUnknowns.size() / 2)
        return QStringLiteral("its result lines do not match its list of finished unknowns");
    for (size_t i = 0; i < r.results.size(); ++i) {
        const UnkResultRow& row = r.results[i];
        if (row.resultLine.size() < kResultDigits || !isDigits(row.resultLine.left(kResultDigits)))
            return QStringLiteral("its result line %1 \"%2\" does not begin with %3 digits")
                .arg(i + 1)
                .arg(excerpt(row.resultLine))
                .arg(kResultDigits);
        if (!isSessionTimeField(row.sessionTime))
            return QStringLiteral("the session and time field \"%1\" of its result line %2 is damaged")
                .arg(excerpt(row.sessionTime))
                .arg(i + 1);
    }
    return {};
}

QString checkLists(const UserRecord& r)
{
    if (!isDigitPairs(r.allocatedUnknowns))
        return QStringLiteral("its allocation list is not made of two-digit numbers");
    if (r.progress.CurrentUnknown < 0 || r.progress.CurrentUnknown > 99)
        return QStringLiteral("its current unknown %1 is not between 0 and 99").arg(r.progress.CurrentUnknown);
    if (!isDigitPairs(r.completedUnknowns))
        return QStringLiteral("its list of finished unknowns is not made of two-digit numbers");
    if (r.completedUnknowns.size() / 2 > kMaxCompletedUnknowns)
        return QStringLiteral("it lists more than 99 finished unknowns");
    // The solved example (unknown 0) is never finished; 01..99 are.
    for (qsizetype i = 0; i < r.completedUnknowns.size(); i += 2)
        if (r.completedUnknowns.mid(i, 2) == QLatin1String("00"))
            return QStringLiteral("its list of finished unknowns holds unknown 00");
    return {};
}

// The password line or field: none when it begins with the separator.
QString readPassword(const QString& code, int session, QString& password)
{
    password.clear();
    if (code.isEmpty() || code[0] == QChar(kFieldSeparator))
        return {};
    if (!decodePasswordCode(code, session, password))
        return QStringLiteral("its password code is damaged");
    return {};
}

} // namespace

bool UserRecord::operator==(const UserRecord& o) const
{
    return allocatedUnknowns == o.allocatedUnknowns && storedProgress(progress) == storedProgress(o.progress)
        && session == o.session && minutes == o.minutes && completedUnknowns == o.completedUnknowns
        && results == o.results;
}

UnknownProgress storedProgress(UnknownProgress p)
{
    p.ItemsRevealed[0] = kFalse;
    p.ItemPrecluded[0] = kFalse;
    p.UnsuitableDerivs = 0;
    return p;
}

QString sessionTimeField(int session, long minutes)
{
    return QStringLiteral("%1").arg(session, 3, 10, QLatin1Char('0')) + QString::number(minutes);
}

QString flagString(const Boolean* flags, int first, int last)
{
    QString s;
    s.reserve(last - first + 1);
    for (int k = first; k <= last; ++k)
        s.append(isTrue(flags[k]) ? u'1' : u'0');
    return s;
}

QString buildUserRecord(const UserRecord& r)
{
    const QChar sep(kFieldSeparator);
    QString out;
    auto field = [&](const QString& f) {
        out += f;
        out += sep;
    };
    field(r.allocatedUnknowns);
    field(QString::number(r.progress.CurrentUnknown));
    field(flagString(r.progress.ItemsRevealed.data(), 1, kLastItem));
    field(flagString(r.progress.ItemHelpShown.data(), 0, kLastItem));
    field(flagString(r.progress.ItemPrecluded.data(), 1, kLastPrecludable));
    field(QString::number(r.progress.PrecludedTries));
    field(QString::number(r.progress.NameTypingTries));
    field(QString::number(r.progress.StructChooseTries));
    field(QString::number(r.progress.StructGiveTries));
    field(sessionTimeField(r.session, r.minutes));
    field(r.completedUnknowns);
    for (const auto& row : r.results) {
        field(row.resultLine);
        field(row.sessionTime);
    }
    return out;
}

QString userRecordProblem(const UserRecord& r)
{
    if (QString e = checkLists(r); !e.isEmpty())
        return e;
    if (r.session < 0 || r.session > kMaxSessionNumber)
        return QStringLiteral("its session number %1 does not fit three digits").arg(r.session);
    if (r.minutes < 0)
        return QStringLiteral("its minutes are negative");
    // A row the reader would refuse is not written: the file would be lost.
    if (QString e = checkResults(r); !e.isEmpty())
        return e;
    for (const auto& row : r.results)
        for (const QString* f : {&row.resultLine, &row.sessionTime})
            if (f->contains(QChar(kFieldSeparator)))
                return QStringLiteral("a result line holds the field separator");
    const QString record = buildUserRecord(r);
    for (QChar c : record)
        if (c.unicode() > kMaxRecordCode)
            return QStringLiteral("it holds the character \"%1\", which the file cannot store").arg(c);
    return {};
}

QString scrambleRecord(const QString& record, int h)
{
    QString out;
    out.reserve(record.size());
    for (qsizetype i = 0; i < record.size(); ++i)
        out.append(QChar(static_cast<char16_t>(record[i].unicode() + keyCode(static_cast<int>(i + 1)) - h)));
    return out;
}

bool unscrambleRecord(const QString& scrambled, int h, QString& record)
{
    record.clear();
    record.reserve(scrambled.size());
    for (qsizetype i = 0; i < scrambled.size(); ++i) {
        const int code = scrambled[i].unicode() - keyCode(static_cast<int>(i + 1)) + h;
        if (code < 0 || code > kMaxRecordCode)
            return false;
        record.append(QChar(static_cast<char16_t>(code)));
    }
    return true;
}

bool isStorablePassword(const QString& password)
{
    if (password.size() < kMinPasswordLength || password.size() > kMaxPasswordLength)
        return false;
    return std::all_of(password.begin(), password.end(),
                       [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 126; });
}

QString encodePasswordCode(const QString& password, int session, const DrawFn& draw)
{
    auto filler = [&] { return QChar(static_cast<char16_t>(draw(33, 129))); };
    QString code;
    if (password.isEmpty()) {
        code.append(QChar(kFieldSeparator));
        for (int k = 0; k < kPasswordCodeLength - 1; ++k)
            code.append(filler());
        return code;
    }
    const int s = sessionShift(session);
    const int L = static_cast<int>(password.size());
    code.append(QChar(static_cast<char16_t>(L - s + 100)));
    for (int j = 1; j <= L; ++j) {
        code.append(QChar(static_cast<char16_t>(password[j - 1].unicode() + s + j)));
        code.append(filler());
    }
    for (int k = 0; k < 45 - 2 * L; ++k)
        code.append(filler());
    return code;
}

bool decodePasswordCode(const QString& code, int session, QString& password)
{
    password.clear();
    if (code.isEmpty())
        return false;
    const int s = sessionShift(session);
    const int L = code[0].unicode() + s - 100;
    if (L < kMinPasswordLength || L > kMaxPasswordLength || code.size() < 2 * L)
        return false;
    QString p;
    for (int i = 1; i <= L; ++i) {
        const int c = code[2 * i - 1].unicode() - s - i;
        if (c < 32 || c > 126)
            return false;
        p.append(QChar(static_cast<char16_t>(c)));
    }
    password = p;
    return true;
}

QByteArray userFileLine(const UserRecord& r, const QString& password, const DrawFn& draw)
{
    const int h = draw(1, 9);
    QString line;
    for (int k = 0; k < h; ++k)
        line.append(QChar(static_cast<char16_t>(draw(33, 72))));
    line.append(QChar(kFieldSeparator));
    line += scrambleRecord(buildUserRecord(r), h);
    line += encodePasswordCode(password, r.session, draw);
    return toBytes(line);
}

UserFileContents parseUserFileLine(const QByteArray& bytes)
{
    UserFileContents out;
    const QString line = fromBytes(bytes);
    if (line.size() <= kPasswordCodeLength + 1) {
        out.error = QStringLiteral("it is too short");
        return out;
    }
    out.passwordCode = line.right(kPasswordCodeLength);
    const QString body = line.left(line.size() - kPasswordCodeLength);
    const qsizetype sepAt = body.indexOf(QChar(kFieldSeparator));
    if (sepAt < 0) {
        out.error = QStringLiteral("its padding is not ended by a separator");
        return out;
    }
    const int h = static_cast<int>(sepAt);
    QString record;
    if (!unscrambleRecord(body.mid(sepAt + 1), h, record)) {
        out.error = QStringLiteral("its record cannot be unscrambled");
        return out;
    }
    // Every field is ended by a separator: what follows the last one is not a field.
    QStringList fields = record.split(QChar(kFieldSeparator));
    fields.removeLast();
    if (fields.size() < kFieldsBeforeResults) {
        out.error = QStringLiteral("fields of its record are missing");
        return out;
    }
    UserRecord& r = out.record;
    r.allocatedUnknowns = fields[0];
    readProgressFields(fields, r.progress);
    r.progress.StructGiveTries = fieldNumber(fields[8]);
    if ((out.error = readSessionField(fields[9], r.session, r.minutes)).size())
        return out;
    r.completedUnknowns = fields[10];
    if ((out.error = checkLists(r)).size())
        return out;
    const int n = static_cast<int>(r.completedUnknowns.size() / 2);
    if (fields.size() < kFieldsBeforeResults + 2 * n) {
        out.error = QStringLiteral("result lines of its finished unknowns are missing");
        return out;
    }
    for (int i = 0; i < n; ++i)
        r.results.push_back({fields[kFieldsBeforeResults + 2 * i], fields[kFieldsBeforeResults + 2 * i + 1]});
    if ((out.error = checkResults(r)).size())
        return out;
    out.error = readPassword(out.passwordCode, r.session, out.password);
    return out;
}

UserFileContents parseOlderUserFile(const QList<QByteArray>& bytes)
{
    UserFileContents out;
    out.olderFormat = true;
    QStringList lines;
    for (const auto& b : bytes)
        lines.append(fromBytes(b));
    if (lines.size() < 10) {
        out.error = QStringLiteral("lines of its record are missing");
        return out;
    }
    UserRecord& r = out.record;
    r.allocatedUnknowns = lines[0];
    readProgressFields(lines, r.progress);
    int next = 8;
    // Version 4.2 added the building attempts, a short line before the session field.
    out.version42 = lines[8].size() < 3;
    if (out.version42)
        r.progress.StructGiveTries = fieldNumber(lines[next++]);
    if ((out.error = readSessionField(lines[next++], r.session, r.minutes)).size())
        return out;
    if (next >= lines.size()) {
        out.error = QStringLiteral("its list of finished unknowns is missing");
        return out;
    }
    r.completedUnknowns = lines[next++];
    if ((out.error = checkLists(r)).size())
        return out;
    const int n = static_cast<int>(r.completedUnknowns.size() / 2);
    if (lines.size() < next + 2 * n) {
        out.error = QStringLiteral("result lines of its finished unknowns are missing");
        return out;
    }
    for (int i = 0; i < n; ++i) {
        QString result = lines[next++];
        // Before 4.2 the line lacked the two building-attempt digits.
        if (!out.version42 && result.size() >= 18)
            result.insert(18, QStringLiteral("00"));
        r.results.push_back({result, lines[next++]});
    }
    if ((out.error = checkResults(r)).size())
        return out;
    if (next < lines.size())
        out.passwordCode = lines[next];
    out.error = readPassword(out.passwordCode, r.session, out.password);
    return out;
}

UserFileContents parseUserFile(const QList<QByteArray>& lines)
{
    if (lines.isEmpty() || lines[0].isEmpty()) {
        // An older file may begin with an empty allocation list.
        if (lines.size() > 1)
            return parseOlderUserFile(lines);
        UserFileContents out;
        out.error = QStringLiteral("it is empty");
        return out;
    }
    const bool oneLine = std::all_of(lines.begin() + 1, lines.end(), [](const QByteArray& l) { return l.isEmpty(); });
    return oneLine ? parseUserFileLine(lines[0]) : parseOlderUserFile(lines);
}

UserRecord userRecordOf(const ModOrvan& m)
{
    UserRecord r;
    r.allocatedUnknowns = m.AllocatedUnknowns;
    r.progress = storedProgress(m.progress());
    r.session = m.SessionNumber;
    r.minutes = m.MinutesUsed;
    r.completedUnknowns = m.CompletedUnknowns;
    const int n = std::min<int>(static_cast<int>(m.CompletedUnknowns.size() / 2), kMaxCompletedUnknowns);
    for (int k = 1; k <= n; ++k)
        r.results.push_back(m.UnkResults[k]);
    return r;
}

void applyUserRecord(const UserRecord& r, ModOrvan& m)
{
    m.AllocatedUnknowns = r.allocatedUnknowns;
    m.progress() = storedProgress(r.progress);
    // This session counts too; the three-digit field holds at most 999.
    m.SessionNumber = std::min(r.session + 1, kMaxSessionNumber);
    m.MinutesUsed = r.minutes;
    m.CompletedUnknowns = r.completedUnknowns;
    for (int k = 1; k < static_cast<int>(m.UnkResults.size()); ++k)
        m.UnkResults[k] = k <= static_cast<int>(r.results.size()) ? r.results[k - 1] : UnkResultRow{};
}

QString recordAsStored(const ModOrvan& m)
{
    return buildUserRecord(userRecordOf(m)) + QChar(kFieldSeparator) + m.Password;
}

void markRecordSaved(ModOrvan& m)
{
    m.DataSaved = kTrue;
    m.SavedRecord = recordAsStored(m);
}

bool recordSaved(const ModOrvan& m) { return isTrue(m.DataSaved) && m.SavedRecord == recordAsStored(m); }

long roundedMinutes(double seconds)
{
    const long long whole = static_cast<long long>(std::floor(std::max(0.0, seconds)));
    long minutes = static_cast<long>(whole / 60);
    if (minutes == 0)
        return 1;
    if (whole % 60 >= 30)
        ++minutes;
    return minutes;
}

} // namespace orv
