#include "core/unknownfile.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/basic.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"

#include <optional>

namespace orv {

const QByteArray UnknownFileKey = QByteArrayLiteral(
    "Every careful student reads the spectra twice before naming the unknown compound");

QString UnknownFileCode(int n)
{
    const int c = 400 - 3 * n;
    const QChar first(static_cast<char16_t>((c % 13) * 2 + 97));
    const QChar second(static_cast<char16_t>(c / 13 + 92));
    return QString(first) + second;
}

QString unknownFilePath(int n)
{
    return modOrvan.ProgramPath + QStringLiteral("/unks/ovunk") + UnknownFileCode(n) + QStringLiteral(".txt");
}

namespace {

constexpr int kMaxAcceptedNames = 12;
constexpr int kMaxNameChoices = 8;
constexpr int kMaxStructCodes = 4;
constexpr int kMaxScrambledLength = 80;

// Walks the file's lines in order; every read that runs past the end marks
// the file as damaged.
class UnknownLines {
public:
    explicit UnknownLines(QList<QByteArray> lines) : lines_(std::move(lines)) {}

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }

    QByteArray bytes()
    {
        if (next_ >= lines_.size()) {
            ok_ = false;
            return {};
        }
        return lines_[next_++];
    }
    QString text() { return fromBytes(bytes()); }

    // A count: the leading number of the line, rounded to a whole number,
    // within 0..max. Read as a field it is the text before the first comma
    // (the line holds nothing else the reader uses).
    int count(int max, bool asField = false)
    {
        QByteArray line = bytes();
        if (asField && line.contains(','))
            line.truncate(line.indexOf(','));
        const double v = Val(fromBytes(line));
        const int n = v >= -1 && v <= 1000 ? CInt(v) : -1;
        if (n < 0 || n > max)
            ok_ = false;
        return ok_ ? n : 0;
    }

    // One text field: it ends at a comma or at the end of a line; blanks
    // before it and blank lines are skipped, and surrounding double quotes
    // are removed (a quoted field may hold commas).
    QString field()
    {
        for (;;) {
            if (fieldLine_ < 0) {
                if (next_ >= lines_.size()) {
                    ok_ = false;
                    return {};
                }
                fieldLine_ = next_++;
                fieldPos_ = 0;
            }
            const QByteArray& line = lines_[fieldLine_];
            qsizetype p = fieldPos_;
            while (p < line.size() && (line[p] == ' ' || line[p] == '\t'))
                ++p;
            if (p >= line.size()) {
                fieldLine_ = -1; // nothing left on this line: go on with the next
                continue;
            }
            QByteArray value;
            if (line[p] == '"') {
                const qsizetype close = line.indexOf('"', p + 1);
                const qsizetype end = close < 0 ? line.size() : close;
                value = line.mid(p + 1, end - p - 1);
                p = end < line.size() ? end + 1 : end;
                const qsizetype comma = line.indexOf(',', p);
                p = comma < 0 ? line.size() : comma;
            } else {
                const qsizetype comma = line.indexOf(',', p);
                const qsizetype end = comma < 0 ? line.size() : comma;
                value = line.mid(p, end - p).trimmed();
                p = end;
            }
            // Step over the comma; a line used up sends the next field to the next line.
            if (p < line.size())
                ++p;
            if (p >= line.size())
                fieldLine_ = -1;
            else
                fieldPos_ = p;
            return fromBytes(value);
        }
    }

private:
    QList<QByteArray> lines_;
    qsizetype next_ = 0;
    qsizetype fieldLine_ = -1;
    qsizetype fieldPos_ = 0;
    bool ok_ = true;
};

// The plain name of a scrambled accepted-name line, or nothing when the line
// is longer than the key or a stored code lies below the key's.
std::optional<QString> decipherName(const QByteArray& stored)
{
    if (stored.size() > kMaxScrambledLength)
        return std::nullopt;
    QString plain;
    plain.reserve(stored.size());
    for (qsizetype f = 0; f < stored.size(); ++f) {
        const int code = static_cast<unsigned char>(stored[f]) - static_cast<unsigned char>(UnknownFileKey[f]);
        if (code < 0)
            return std::nullopt;
        plain += QChar(static_cast<char16_t>(code));
    }
    return plain;
}

// Everything of the previous unknown goes, so a failed read leaves nothing of it.
void clearUnknownData(ModOrvan& m)
{
    m.UnkItemTitle.fill({});
    m.UnkItemHelp.fill({});
    m.ItemPrecludes.fill({});
    m.ItemPrecludedBy.fill({});
    m.CmrData.clear();
    m.CmrLabel.clear();
    m.IrData.clear();
    m.IrLabel.clear();
    m.MsData.clear();
    m.MsMolecularIon.clear();
    m.MsLabel.clear();
    m.PmrData.fill({});
    m.NameCount = 0;
    m.AcceptedNames.fill({});
    m.NameChoiceCount = 0;
    m.NameChoices.fill({});
    m.StructChoiceLine.clear();
    m.StructCodeCount = 0;
    m.StructCodes.fill({});
}

// Result, help and (for items 1..34) precluded-item lines of item i.
void readItemLines(UnknownLines& in, ModOrvan& m, int i, bool withPrecludes, bool withPrecludedBy)
{
    m.UnkItemTitle[i] = in.text();
    m.UnkItemHelp[i] = in.text();
    if (withPrecludes)
        m.ItemPrecludes[i] = in.text();
    if (withPrecludedBy)
        m.ItemPrecludedBy[i] = in.text();
}

bool readUnknownLines(UnknownLines& in, ModOrvan& m)
{
    m.UnkItemTitle[0] = in.text();
    m.UnkItemHelp[0] = in.text();
    for (int i = 1; i <= 4; ++i)
        readItemLines(in, m, i, true, false);

    m.UnkItemTitle[5] = in.text();
    m.CmrData = in.bytes();
    m.CmrLabel = in.text();
    m.UnkItemHelp[5] = in.text();
    m.ItemPrecludes[5] = in.text();

    m.UnkItemTitle[6] = in.text();
    m.IrData = in.bytes();
    m.IrLabel = in.text();
    m.UnkItemHelp[6] = in.text();
    m.ItemPrecludes[6] = in.text();

    m.UnkItemTitle[7] = in.text();
    m.MsData = in.bytes();
    m.MsMolecularIon = in.text();
    m.MsLabel = in.text();
    m.UnkItemHelp[7] = in.text();
    m.ItemPrecludes[7] = in.text();

    m.UnkItemTitle[8] = in.text();
    for (int j = 1; j <= 25; ++j)
        m.PmrData[j] = in.bytes();
    m.UnkItemHelp[8] = in.text();
    m.ItemPrecludes[8] = in.text();

    readItemLines(in, m, 9, true, false);
    for (int i = 10; i <= kLastPrecludable; ++i)
        readItemLines(in, m, i, true, true);
    for (int i = 35; i <= kLastItem; ++i)
        readItemLines(in, m, i, false, false);
    if (!in.ok())
        return false;

    const int n = in.count(kMaxAcceptedNames);
    if (!in.ok())
        return false;
    for (int e = 1; e <= n; ++e) {
        const QByteArray stored = in.bytes();
        const auto plain = decipherName(stored);
        if (!in.ok() || !plain)
            return false;
        m.AcceptedNames[e] = *plain;
    }
    m.NameCount = n;

    const int mc = in.count(kMaxNameChoices, true);
    if (!in.ok())
        return false;
    for (int e = 1; e <= mc; ++e)
        m.NameChoices[e] = in.text();
    m.NameChoiceCount = mc;
    m.StructChoiceLine = in.text();

    const int k = in.count(kMaxStructCodes);
    if (!in.ok())
        return false;
    for (int e = 1; e <= k; ++e)
        m.StructCodes[e] = in.field();
    m.StructCodeCount = k;
    return in.ok();
}

} // namespace

bool readUnknownData(const QList<QByteArray>& lines, ModOrvan& m)
{
    clearUnknownData(m);
    UnknownLines in(lines);
    if (readUnknownLines(in, m))
        return true;
    // A damaged file leaves no half-read unknown behind.
    clearUnknownData(m);
    return false;
}

bool TryReadUnknownFile()
{
    auto& m = modOrvan;
    m.FilePathBuffer = unknownFilePath(m.CurrentUnknown);
    const auto lines = readFileLines(m.FilePathBuffer);
    if (!lines) {
        clearUnknownData(m); // the previous unknown's data never stays behind
        return false;
    }
    if (!readUnknownData(*lines, m))
        return false;
    m.UnsuitableDerivs = unsuitableDerivsRevealed(m);
    return true;
}

int unsuitableDerivsRevealed(const ModOrvan& m)
{
    int n = 0;
    for (int k = kLastPrecludable + 1; k <= kLastItem; ++k) // the derivatives, 35..54
        if (isTrue(m.ItemsRevealed[k]) && m.UnkItemTitle[k].contains(QLatin1String("unsuitable")))
            ++n;
    return n;
}

bool ReadUnknownFile()
{
    if (TryReadUnknownFile())
        return true;
    MsgBox(QStringLiteral("Error reading file ") + modOrvan.FilePathBuffer + QStringLiteral(" . Program ends."),
           MsgButtons::OkOnly, MsgIcon::Critical);
    EndProgram();
    return false;
}

} // namespace orv
