#include "storage/ProgramFiles.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>

#include "storage/Folders.h"
#include "storage/Settings.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

namespace fs = std::filesystem;

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

// The identity of what path names, links followed; nothing when it cannot be known.
bool IdentityOf(const std::string& path, Identity& identity)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    identity = {st.st_dev, st.st_ino};
    return true;
}

// The path with every link and "." or ".." step of its folders resolved; "" when
// its folder does not exist. The last step stays as it is unless it is "." or
// "..", which name a folder and are resolved with the rest.
std::string Resolved(const std::string& path)
{
    std::error_code failed;
    const fs::path given = path.empty() ? fs::path(".") : fs::path(path);
    const fs::path name = given.filename();
    if (name.empty() || name == "." || name == "..") {
        const fs::path whole = fs::canonical(given, failed);
        return failed ? std::string() : whole.string();
    }
    const fs::path parent = given.has_parent_path() ? given.parent_path() : fs::path(".");
    const fs::path folder = fs::canonical(parent, failed);
    return failed ? std::string() : (folder / name).string();
}

bool IsPricesName(const std::string& name, const ProgramFiles& own)
{
    return name == kDefaultPricesFile || (!own.pricesFile.empty() && name == own.pricesFile);
}

} // namespace

OwnFile ProgramFileAt(const std::string& path, const ProgramFiles& own)
{
    const std::string target = Resolved(FinalTarget(path));
    if (target.empty())
        return OwnFile::None; // nothing can be written where no folder is
    const fs::path where(target);
    const std::string name = where.filename().string();

    Identity program;
    if (!IdentityOf(own.folder, program))
        return OwnFile::None;
    Identity folder;
    if (IdentityOf(where.parent_path().string(), folder) && folder == program) {
        if (IsPricesName(name, own))
            return OwnFile::PricesFile;
        if (IsProgramOwnName(name, own.executableName))
            return OwnFile::Other;
    }

    // Anything inside the pictures' folder, however deep.
    const std::string iconsPath = JoinPath(own.folder, "icons");
    Identity icons;
    const bool haveIcons = IdentityOf(iconsPath, icons);
    if (haveIcons) {
        for (fs::path step = where.parent_path();; step = step.parent_path()) {
            Identity here;
            if (IdentityOf(step.string(), here) && here == icons)
                return OwnFile::Other;
            if (step == step.parent_path())
                break;
        }
    }

    // The same file under another name.
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return OwnFile::None;
    const Identity file{st.st_dev, st.st_ino};
    const std::string names[] = {kDefaultPricesFile, own.pricesFile, own.executableName, kSkillsFileName,
        kOwnedFileName, "brenta.png", "brenta.desktop"};
    for (const std::string& ownName : names) {
        Identity known;
        if (!ownName.empty() && IdentityOf(JoinPath(own.folder, ownName), known) && known == file)
            return IsPricesName(ownName, own) ? OwnFile::PricesFile : OwnFile::Other;
    }
    // Only a file with more than one name can be a picture under another name.
    if (haveIcons && st.st_nlink > 1) {
        std::error_code failed;
        for (fs::recursive_directory_iterator it(iconsPath, failed), end; !failed && it != end;
             it.increment(failed)) {
            Identity known;
            if (IdentityOf(it->path().string(), known) && known == file)
                return OwnFile::Other;
        }
    }
    return OwnFile::None;
}

} // namespace brenta::storage
