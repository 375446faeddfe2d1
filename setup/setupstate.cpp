#include "setup/setupstate.h"

#include "core/programversion.h"

#include "platform/runtime.h"

namespace orv {

ModSetup modSetup;

void resetModSetup() { modSetup = ModSetup{}; }

void endSetupProgram()
{
    modSetup.ending = true;
    EndProgram();
}

int setupVersionMajor() { return kVersionMajor; }
int setupVersionMinor() { return kVersionMinor; }
int setupVersionRevision() { return kVersionRevision; }

QString setupVersionText()
{
    return QStringLiteral("%1.%2%3").arg(setupVersionMajor()).arg(setupVersionMinor()).arg(setupVersionRevision());
}

} // namespace orv
