#include "mainwindow/forms/mainmenuentry.h"

#include "platform/forms/formregistry.h"

#include <QAction>
#include <QWidget>

namespace orv {

QAction* mainMenuEntry(const QString& name, int index, const QString& caption)
{
    QWidget* main = forms::find(forms::names::frmOVMain);
    if (!main)
        return nullptr;
    QStringList names;
    if (index < 0)
        names << name;
    else
        names << name + QString::number(index) << name + u'_' + QString::number(index);
    for (const QString& n : names)
        if (auto* a = main->findChild<QAction*>(n))
            return a;
    if (!caption.isEmpty())
        for (QAction* a : main->findChildren<QAction*>())
            if (a->text() == caption)
                return a;
    return nullptr;
}

void setMainMenuEntryVisible(const QString& name, int index, const QString& caption, bool visible)
{
    if (QAction* a = mainMenuEntry(name, index, caption))
        a->setVisible(visible);
}

} // namespace orv
