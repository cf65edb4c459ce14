#pragma once

// The settings store on top of QSettings: sections are QSettings groups, values
// are texts.

#include <memory>
#include <string>

#include "storage/Settings.h"

class QSettings;

namespace brenta::ui {

class QtSettingsStore : public storage::SettingsStore {
public:
    // A store kept in the given INI file.
    explicit QtSettingsStore(const std::string& iniPath);

    // The user's own store of the application "BRENTA" (organisation and
    // application "BRENTA", user scope): a file in the user's configuration folder.
    static std::unique_ptr<QtSettingsStore> ForUser();

    ~QtSettingsStore() override;

    std::string Read(const std::string& section, const std::string& key, const std::string& defaultText) override;
    void Write(const std::string& section, const std::string& key, const std::string& text) override;

    // Writes the store out; a Failure naming the file and the reason when it
    // cannot be written. A damaged file that the write replaced is no failure.
    void Flush() override;

private:
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::unique_ptr<QSettings> settings_;
};

} // namespace brenta::ui
