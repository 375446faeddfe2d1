#pragma once
// The error file of malformed result lines: <ProgramPath>/users/<user>.err
// (noname.err without a user file). Each record is appended, followed by an
// empty line; the file is rewritten whole through the atomic writer, so an
// interrupted write leaves the old records intact.
#include "mainwindow/progressreport.h"

#include <QDateTime>
#include <QStringList>

namespace orv {

// The error file's name for the user file path: its name part (after the
// last "/" or "\") with the last three characters replaced by "err";
// "noname.err" without a path; a name part shorter than three characters
// gets ".err" appended.
QString errorReportFileName(const QString& userFilePath);
QString errorReportPath();

// Date and time as the record shows them.
QString generalDateTime(const QDateTime& when);

// The record's lines for the digit part as built and the report's counts.
QStringList errorReportRecord(const QString& digitPart, const ItemCounts& counts, const QDateTime& when);

// Appends the record to the error file. A failure shows "Error with " and
// the path, error number and description (for a failed write, the reason on
// a line of its own), and returns false; the record is lost then. A link in
// the file's place is never written through, nor read: that is a failed write.
bool ErrorReport(const QString& digitPart, const ItemCounts& counts, const QDateTime& when);

} // namespace orv
