#include "dialogs/programicon.h"

QPixmap ProgramIconPixmap()
{
    return QPixmap(QLatin1String(kProgramIconPath));
}

QIcon ProgramIcon()
{
    return QIcon(QLatin1String(kProgramIconPath));
}
