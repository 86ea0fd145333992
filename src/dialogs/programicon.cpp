#include "dialogs/programicon.h"

#include "tilnora.xpm"

namespace programicon {

QPixmap picture()
{
    return QPixmap(tilnora_xpm);
}

QIcon icon()
{
    return QIcon(picture());
}

} // namespace programicon
