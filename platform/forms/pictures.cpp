#include "platform/forms/pictures.h"

#include "platform/textfile.h"

namespace orv {

QPixmap LoadResPicture(int id)
{
    QPixmap p;
    p.load(QStringLiteral(":/bitmaps/%1.png").arg(id));
    return p;
}

QCursor LoadResCursor(int id)
{
    QPixmap p;
    if (!p.load(QStringLiteral(":/cursors/%1.png").arg(id)))
        return QCursor(Qt::ArrowCursor);
    return QCursor(p, p.width() / 2, p.height() / 2);
}

QIcon programIcon() { return QIcon(QStringLiteral(":/icons/1.png")); }

QPixmap LoadPicture(const QString& path)
{
    // Through the file layer: a pipe or device in a picture's place is refused.
    QPixmap p;
    if (const auto bytes = readFileBytes(path))
        p.loadFromData(*bytes);
    return p;
}

} // namespace orv
