#include "mainwindow/unknownselection.h"

#include "core/modorvan.h"
#include "core/unknownfile.h"

namespace orv {

QPoint selectionButtonPosition(int n) { return {300 + 450 * ((n - 1) % 10), 980 + 400 * ((n - 1) / 10)}; }

void enterInstructorMode()
{
    modOrvan.InstructorMode = kTrue;
    modOrvan.QuitReason = QStringLiteral("SecretAllocate");
}

bool loadInstructorUnknown(int n)
{
    modOrvan.CurrentUnknown = n;
    // A solved example left unfinished ends here: the chosen unknown is a
    // real one, and the example's report never ran to close the example.
    modOrvan.ExampleMode = kFalse;
    ResetProgress();
    if (!ReadUnknownFile())
        return false;
    markStartTime(); // no earlier minutes after the reset: the clock starts now
    return true;
}

} // namespace orv
