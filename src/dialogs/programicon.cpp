#include "dialogs/programicon.h"

namespace {
const QString kIconResource = QStringLiteral(":/icons/orvina.png");
}

QPixmap ProgramIconPixmap()
{
    return QPixmap(kIconResource);
}

QIcon ProgramIcon()
{
    return QIcon(kIconResource);
}
