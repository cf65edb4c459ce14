#include "ui/main/QtSettingsStore.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "base/Failure.h"

namespace brenta::ui {

namespace {

QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

bool IsUtf8(const QByteArray& bytes) { return QString::fromUtf8(bytes).toUtf8() == bytes; }

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
    if (IsUtf8(bytes))
        settings_->setValue(KeyPath(section, key), QString::fromUtf8(bytes));
    else
        settings_->setValue(KeyPath(section, key), bytes);
}

void QtSettingsStore::Flush()
{
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
