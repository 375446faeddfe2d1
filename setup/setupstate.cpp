#include "setup/setupstate.h"

#include "platform/runtime.h"

namespace orv {

ModSetup modSetup;

void resetModSetup() { modSetup = ModSetup{}; }

void endSetupProgram()
{
    modSetup.ending = true;
    EndProgram();
}

int setupVersionMajor() { return ORV_VERSION_MAJOR; }
int setupVersionMinor() { return ORV_VERSION_MINOR; }
int setupVersionRevision() { return ORV_VERSION_PATCH; }

QString setupVersionText()
{
    return QStringLiteral("%1.%2%3").arg(setupVersionMajor()).arg(setupVersionMinor()).arg(setupVersionRevision());
}

} // namespace orv
