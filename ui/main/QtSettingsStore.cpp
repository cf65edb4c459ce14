#include "ui/main/QtSettingsStore.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "base/Failure.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenta::ui {

namespace {

QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

bool IsUtf8(const QByteArray& bytes) { return QString::fromUtf8(bytes).toUtf8() == bytes; }

// A save killed between creating a lock file and writing its owner into it leaves
// an empty lock that no process holds: the store's own lock, or one of the locks
// Qt takes ("<lock>.rmlock", and so on) while it removes a stale one. Qt gives up
// an ownerless lock only once it is 30 seconds old, so the next close would hang
// that long. A live writer keeps its lock file locked for as long as it holds it;
// an empty one that nobody has locked is removed. A lock that names its owner is
// left to Qt, which frees it at once when that process is gone.
void RemoveOwnerlessLocks(const QString& storePath)
{
    constexpr int kLevels = 4;
    QString name = storePath + QStringLiteral(".lock");
    for (int level = 0; level < kLevels; ++level, name += QStringLiteral(".rmlock")) {
        const QByteArray path = QFile::encodeName(name);
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat info = {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

} // namespace

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat))
{
}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}

std::unique_ptr<QtSettingsStore> QtSettingsStore::ForUser()
{
    return std::unique_ptr<QtSettingsStore>(new QtSettingsStore(std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("BRENTA"), QStringLiteral("BRENTA"))));
}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::Read(
    const std::string& section, const std::string& key, const std::string& defaultText)
{
    const QString path = KeyPath(section, key);
    if (!settings_->contains(path))
        return defaultText;
    const QVariant value = settings_->value(path);
    // Texts that are not UTF-8 (a file name in another 8-bit code page) are kept
    // as raw bytes, so they come back byte for byte.
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& section, const std::string& key, const std::string& text)
{
    const QByteArray bytes = QByteArray::fromStdString(text);
    const QVariant value = IsUtf8(bytes) ? QVariant(QString::fromUtf8(bytes)) : QVariant(bytes);
    const QString path = KeyPath(section, key);
    // A value the store already holds is not set again, so that a close which changed
    // nothing leaves the file alone. A damaged file is written whole all the same.
    if (settings_->status() == QSettings::NoError && settings_->contains(path) && settings_->value(path) == value)
        return;
    settings_->setValue(path, value);
}

void QtSettingsStore::Flush()
{
    RemoveOwnerlessLocks(settings_->fileName());
    settings_->sync();
    const std::string file = settings_->fileName().toStdString();
    switch (settings_->status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw Failure(
            "cannot write the settings file " + file + ": access denied or the folder cannot be created");
    case QSettings::FormatError:
        // The status still tells of the damaged content found when the store was
        // first read; the write itself replaced it. Only a file that still does not
        // read back is a write that failed.
        if (QSettings(settings_->fileName(), QSettings::IniFormat).status() == QSettings::NoError)
            return;
        throw Failure(
            "cannot write the settings file " + file + ": its present content is not a valid settings file");
    }
    throw Failure("cannot write the settings file " + file);
}

} // namespace brenta::ui
