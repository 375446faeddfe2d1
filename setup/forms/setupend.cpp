#include "setup/forms/setupend.h"

#include "setup/setupstate.h"

namespace orv {

SystemEndRoad setupSystemEndRoad()
{
    return {[] { modSetup.ending = true; }, {}};
}

} // namespace orv
