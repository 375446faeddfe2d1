#pragma once
// The user file's format, kept apart from the program-wide state and from any
// window: a record and a password turned into the file's one line and back.
//
// The line: h padding characters (h 1..9, codes 33..72), the separator
// (code 31), the record scrambled with the fixed key and h, then the
// 46-character password code. The record is twelve or more fields, each ended
// by the separator. Older files held one value per line; they are read here
// too and written back in the one-line form.
#include "core/modorvan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace orv {

inline constexpr char16_t kFieldSeparator = 31;
inline constexpr int kPasswordCodeLength = 46;
inline constexpr int kMinPasswordLength = 6;
inline constexpr int kMaxPasswordLength = 20;
// Highest character code a record may hold: shifted by the key it still fits a byte.
inline constexpr int kMaxRecordCode = 185;
inline constexpr int kMaxCompletedUnknowns = 99;
inline constexpr int kMaxSessionNumber = 999;

// The 57-character key the record is scrambled with.
extern const char kUserFileKey[];

struct UserRecord {
    QString allocatedUnknowns; // runs of two digits
    // The current unknown (0..99) and its progress: ItemsRevealed 1..54,
    // ItemHelpShown 0..54 and ItemPrecluded 1..34 are stored, UnsuitableDerivs
    // is not (storedProgress).
    UnknownProgress progress;
    int session = 0; // as written: 0..999 (0 with all done)
    long minutes = 0;
    QString completedUnknowns;         // runs of two digits
    std::vector<UnkResultRow> results; // one per completed entry

    bool operator==(const UserRecord&) const;
};

// Random whole numbers lo..hi, both included (GetRandomNum in the program;
// tests pass fixed answers).
using DrawFn = std::function<int(int lo, int hi)>;

// The session number as three digits followed by the minutes: (7, 12) gives "00712".
QString sessionTimeField(int session, long minutes);
// "1" for each True flag, "0" otherwise, indices first..last.
QString flagString(const Boolean* flags, int first, int last);

// The plain record: every field followed by the separator.
QString buildUserRecord(const UserRecord& r);
// Empty when the record can be stored; otherwise what stands in the way
// (a character above code 185, a separator or line break inside a field,
// results not matching the completed list, unknown 00 finished, a result row
// the reader would refuse, a session above 999).
QString userRecordProblem(const UserRecord& r);

// Scrambles / unscrambles with the key and the padding length h.
QString scrambleRecord(const QString& record, int h);
// False when a character falls outside 0..185 once unscrambled.
bool unscrambleRecord(const QString& scrambled, int h, QString& record);

// The 46-character password code for the session number as written.
// An empty password gives the separator followed by 45 fillers; otherwise
// the password must be 6..20 printable ASCII characters.
QString encodePasswordCode(const QString& password, int session, const DrawFn& draw);
// The password held in a code, for the session number as written. False when
// the code is damaged (too short, a length outside 6..20 or a character
// outside the printable ASCII range); `password` is then empty.
bool decodePasswordCode(const QString& code, int session, QString& password);
// True when the password can be stored: 6..20 characters, codes 32..126.
bool isStorablePassword(const QString& password);

// The file's line (without its CR LF): padding, separator, scrambled record
// and password code. Draws h, the padding characters, then the fillers.
// The record must be storable (userRecordProblem empty).
QByteArray userFileLine(const UserRecord& r, const QString& password, const DrawFn& draw);

// What a reader found: the record, the password and its code, or an error
// text (empty when the file was read). A reader refuses a list of finished
// unknowns that is not made of two-digit numbers 01..99, and a result row
// whose line does not begin with 20 digits or whose session and time field
// is not 3..12 digits, as it refuses such a field 10. The error quotes at most
// a short, printable excerpt of a damaged field.
struct UserFileContents {
    UserRecord record;
    QString password;
    QString passwordCode;
    QString error;
    bool olderFormat = false; // one value per line
    bool version42 = false;   // of the older files, the one with building attempts
    bool ok() const { return error.isEmpty(); }
};

// Reads the one-line format.
UserFileContents parseUserFileLine(const QByteArray& line);
// Reads the older one-value-per-line format (result lines from before version
// 4.2 gain "00" after their 18th character).
UserFileContents parseOlderUserFile(const QList<QByteArray>& lines);
// Either format: one line (trailing empty lines aside) is the current format.
UserFileContents parseUserFile(const QList<QByteArray>& lines);

// The part of the progress the file keeps: the rest cleared.
UnknownProgress storedProgress(UnknownProgress p);

// The record as the program-wide state holds it (session and minutes as the
// state holds them; the writer sets them first) and back (the session
// number as written, not yet counting this session).
UserRecord userRecordOf(const ModOrvan& m);
void applyUserRecord(const UserRecord& r, ModOrvan& m);

// Everything of the state that the user file keeps, as one text: the record
// (userRecordOf) and the password. Two states give the same text exactly
// when a write would store the same thing for both.
QString recordAsStored(const ModOrvan& m);
// The writer's word that the file now holds the state: DataSaved True, and
// the record kept to compare with (SavedRecord).
void markRecordSaved(ModOrvan& m);
// True when nothing would be lost by not writing now: DataSaved is True and
// the record is still what was last written. Every change to any value the
// file keeps (an item revealed by any window, a help, a try, an
// identification, a finished unknown, the password) makes it False, whether
// or not the window that made it cleared DataSaved.
bool recordSaved(const ModOrvan& m);

// Minutes by the program's rule: whole minutes of the elapsed time, at least
// 1, one more when 30 or more seconds are left over.
long roundedMinutes(double seconds);

} // namespace orv
