#include "ui/widgets/program_icon.h"

// The resource lives in a static library, whose initialiser the linker would
// drop unless something calls it. Outside any namespace, as the macro needs.
static void InitIconResource()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

QIcon ProgramIcon()
{
    static const bool initialised = (InitIconResource(), true);
    (void)initialised;
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace velmora
