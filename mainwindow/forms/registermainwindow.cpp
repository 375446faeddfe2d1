#include "mainwindow/forms/registermainwindow.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
}

} // namespace orv
