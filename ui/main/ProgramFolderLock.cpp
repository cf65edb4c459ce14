#include "ui/main/ProgramFolderLock.h"

#include <QString>

#include "ui/main/MessageBox.h"

namespace brenta::ui {

std::optional<storage::InstanceLock> TakeProgramFolder(const std::string& programFolder)
{
    auto lock = storage::InstanceLock::Take(programFolder);
    if (!lock)
        ShowMessage(nullptr,
            QStringLiteral("Brenta is already running on this program folder:\n%1\n\n"
                           "Please use the open window. This copy closes now without changing any file, so "
                           "nothing the open window saves is overwritten.")
                .arg(QString::fromStdString(programFolder)));
    return lock;
}

} // namespace brenta::ui
