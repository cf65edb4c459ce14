#include "ui/main/ProgramFolderLock.h"

#include <QString>

#include "base/Failure.h"
#include "ui/main/MessageBox.h"

namespace brenta::ui {

std::optional<storage::InstanceLock> TakeProgramFolder(
    const std::string& programFolder, const std::string& standInFolder)
{
    const QString folder = QString::fromLocal8Bit(programFolder);
    std::optional<storage::InstanceLock> lock;
    try {
        lock = storage::InstanceLock::Take(programFolder, standInFolder);
    } catch (const Failure& failure) {
        // Unlocked, a second copy could start on the same folder and each close would
        // overwrite what the other saved: no start is safer than that.
        ShowMessage(nullptr,
            QStringLiteral("Brenta cannot start on this program folder:\n%1\n\n"
                           "It could not make sure that no other copy of Brenta uses the folder at the same time "
                           "(%2).\n\nThis copy closes now without changing any file.")
                .arg(folder, QString::fromLocal8Bit(failure.what())));
        return std::nullopt;
    }
    if (!lock)
        ShowMessage(nullptr,
            QStringLiteral("Brenta is already running on this program folder:\n%1\n\n"
                           "Please use the open window. This copy closes now without changing any file, so "
                           "nothing the open window saves is overwritten.")
                .arg(folder));
    return lock;
}

} // namespace brenta::ui
