#include "platform/marksightings.h"

#include "platform/smallfile.h"
#include "platform/textfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace orv {

namespace {

const QByteArray kSightingHeader = "Orvanto in-use mark sighting";
const QString kSightingEnding = QStringLiteral(".seen");
// Observers of one account spread over this many files per mark.
constexpr int kSlots = 16;
// Readings of a clock since boot; anything past centuries is no reading.
constexpr qint64 kSaneReading = qint64(1) << 50;
// A fingerprint as markFingerprint makes it: digits, blanks and hex digits.
constexpr qsizetype kMaxFingerprint = 160;

std::function<qint64()>& testClock()
{
    static std::function<qint64()> clock;
    return clock;
}

bool fingerprintLike(const QByteArray& f)
{
    if (f.isEmpty() || f.size() > kMaxFingerprint)
        return false;
    return std::all_of(f.begin(), f.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == ' '; });
}

QByteArray nanoseconds(const timespec& t) { return QByteArray::number(qint64(t.tv_sec) * 1000000000 + t.tv_nsec); }

// What this process saw of each mark, by the mark's path: its own eyes,
// counted for it whether or not a file could hold it.
std::map<QString, Sighting>& seenHere()
{
    // Never destroyed: a FileInUse that is a static itself is released at exit.
    static auto* seen = new std::map<QString, Sighting>;
    return *seen;
}

// The sighting file of `mark` for account `uid` and slot `slot`.
QString slotPath(const QString& mark, qint64 uid, int slot)
{
    const QFileInfo info(mark);
    const QString folder = info.absolutePath();
    return folder + u'/'
         + fittedFileName(folder, info.fileName(),
                          QStringLiteral(".%1-%2").arg(uid).arg(slot, 0, 16) + kSightingEnding);
}

// The counted sightings beside `mark`, read by their names only.
std::vector<Sighting> storedSightings(const QString& mark, const std::vector<qint64>& counted)
{
    std::vector<Sighting> found;
    const QString markName = QFileInfo(mark).fileName();
    for (const qint64 uid : counted)
        for (int slot = 0; slot < kSlots; ++slot) {
            const QString path = slotPath(mark, uid, slot);
            const SmallFile read = readSmallFile(path);
            // Only the account it is named after, and one name: no link to
            // another file of that account stands for a sighting.
            if (!read.bytes || qint64(read.st.st_uid) != uid || read.st.st_nlink != 1)
                continue;
            if (auto parsed = parseSighting(*read.bytes, markName); parsed.sighting)
                found.push_back(*parsed.sighting);
        }
    return found;
}

bool counts(const std::vector<qint64>& counted, qint64 uid)
{
    return std::find(counted.begin(), counted.end(), uid) != counted.end();
}

// Stores `own` where this account counts, and keeps it in memory in any case.
void keepSighting(const QString& mark, const Sighting& own, const std::vector<qint64>& counted)
{
    const Observer self = thisObserver();
    seenHere()[mark] = own;
    if (counts(counted, self.uid))
        storeSighting(mark, self, own);
}

} // namespace

Observer thisObserver()
{
    return {QSysInfo::machineHostName().toUtf8(), QSysInfo::machineUniqueId(), QSysInfo::bootUniqueId(),
            qint64(::geteuid())};
}

QByteArray sightingText(const QString& markName, const Sighting& s)
{
    return kSightingHeader + "\nmark " + oneLine(markName.toUtf8()) + "\nseen " + oneLine(s.fingerprint) + "\nhost "
         + oneLine(s.host) + "\nmachine " + oneLine(s.machine) + "\nboot " + oneLine(s.boot) + "\nstart "
         + QByteArray::number(s.start) + "\nlast " + QByteArray::number(s.last) + '\n';
}

SightingParse parseSighting(const QByteArray& bytes, const QString& markName)
{
    if (!bytes.startsWith(kSightingHeader + '\n'))
        return {std::nullopt, QStringLiteral("not a sighting (first line)")};
    const std::map<QByteArray, QByteArray> fields = headedFields(bytes, kSightingHeader);
    const auto field = [&fields](const char* key) {
        const auto it = fields.find(key);
        return it == fields.end() ? QByteArray() : it->second;
    };
    const auto fail = [](const char* what) { return SightingParse{std::nullopt, QString::fromLatin1(what)}; };
    if (field("mark") != markName.toUtf8())
        return fail("of another mark (mark)");
    Sighting s{field("seen"), field("host"), field("machine"), field("boot")};
    if (!fingerprintLike(s.fingerprint))
        return fail("no fingerprint of a mark (seen)");
    const auto start = wholeNumber(field("start"), -kSaneReading + 1, kSaneReading - 1);
    const auto last = wholeNumber(field("last"), 0, kSaneReading - 1);
    if (!start)
        return fail("no clock reading (start)");
    if (!last)
        return fail("no clock reading (last)");
    if (*start > *last)
        return fail("start after last (start)");
    s.start = *start;
    s.last = *last;
    return {s, {}};
}

QByteArray markFingerprint(const struct stat& st, const std::optional<QByteArray>& bytes)
{
    QByteArray f = QByteArray::number(qint64(st.st_size)) + ' ' + nanoseconds(st.st_mtim);
    if (bytes)
        return f + ' ' + QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256).toHex();
    return f + ' ' + nanoseconds(st.st_ctim) + ' ' + QByteArray::number(quint64(st.st_ino));
}

qint64 countUnchanged(const std::vector<Sighting>& sightings, const QByteArray& fingerprint, const Observer& self,
                      qint64 now, qint64 cap)
{
    qint64 longest = 0;
    for (const Sighting& s : sightings) {
        if (s.fingerprint != fingerprint)
            continue;
        const bool ownBoot = !self.boot.isEmpty() && s.boot == self.boot && s.host == self.host
                          && s.machine == self.machine;
        // Both readings lie within +-2^50: no difference overflows.
        longest = std::max(longest, (ownBoot ? std::max(now, s.last) : s.last) - s.start);
    }
    return std::clamp<qint64>(longest, 0, cap);
}

std::vector<qint64> countedAccounts(const QString& file)
{
    std::vector<qint64> counted{0};
    struct stat st {};
    if (::stat(nativeName(file).constData(), &st) == 0 && st.st_uid != 0)
        counted.push_back(qint64(st.st_uid));
    return counted;
}

qint64 watchUnchanged(const QString& mark, const QByteArray& fingerprint, const std::vector<qint64>& counted,
                      qint64 cap)
{
    const qint64 now = bootClockMs();
    std::vector<Sighting> all = storedSightings(mark, counted);
    if (const auto it = seenHere().find(mark); it != seenHere().end())
        all.push_back(it->second);
    const Observer self = thisObserver();
    const qint64 longest = countUnchanged(all, fingerprint, self, now, cap);
    keepSighting(mark, {fingerprint, self.host, self.machine, self.boot, now - longest, now}, counted);
    return longest;
}

void sightDead(const QString& mark, const QByteArray& fingerprint, const std::vector<qint64>& counted, qint64 cap)
{
    const qint64 now = bootClockMs();
    const Observer self = thisObserver();
    keepSighting(mark, {fingerprint, self.host, self.machine, self.boot, now - cap, now}, counted);
}

void forgetSightings(const QString& mark, std::vector<qint64> accounts)
{
    seenHere().erase(mark);
    accounts.push_back(qint64(::geteuid()));
    std::sort(accounts.begin(), accounts.end());
    accounts.erase(std::unique(accounts.begin(), accounts.end()), accounts.end());
    for (const qint64 uid : accounts)
        for (int slot = 0; slot < kSlots; ++slot)
            ::unlink(nativeName(slotPath(mark, uid, slot)).constData());
}

QString sightingPath(const QString& mark, const Observer& who)
{
    const QByteArray hash = QCryptographicHash::hash(who.host + '\n' + who.machine, QCryptographicHash::Sha256);
    return slotPath(mark, who.uid, quint8(hash.at(0)) % kSlots);
}

bool storeSighting(const QString& mark, const Observer& who, const Sighting& s)
{
    const QString path = sightingPath(mark, who);
    // Whatever stands there goes first (a link is removed, never followed);
    // for the moment between, a reader counts less, never more.
    if (::unlink(nativeName(path).constData()) != 0 && errno != ENOENT)
        return false;
    constexpr int kReadableByAll = 0644;
    // Made new rather than replaced, so the file is always this account's
    // own; a folder that could not be synced after it costs only a count.
    return createFileExclusive(path, sightingText(QFileInfo(mark).fileName(), s), kReadableByAll).written();
}

qint64 bootClockMs()
{
    if (testClock())
        return testClock()();
    timespec ts{};
    ::clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void setBootClockForTests(std::function<qint64()> clock) { testClock() = std::move(clock); }

void forgetSeenForTests() { seenHere().clear(); }

} // namespace orv
