#pragma once

// A main window over a temporary program folder and settings that keep nothing,
// for the benchmarks that measure what the player feels.

#include <QComboBox>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "catalogue/BlueprintRecord.h"
#include "storage/Settings.h"
#include "ui/main/frmMain.h"

namespace brenta::bench {

class NullSettings : public storage::SettingsStore {
public:
    std::string Read(const std::string&, const std::string&, const std::string& defaultText) override
    {
        return defaultText;
    }
    void Write(const std::string&, const std::string&, const std::string&) override {}
    void Flush() override {}
};

struct Window {
    QTemporaryDir folder;
    NullSettings settings;
    std::unique_ptr<ui::frmMain> main;

    Window() : main(std::make_unique<ui::frmMain>(folder.path().toStdString(), settings, NumberFormat{})) {}
    ~Window() { main->hide(); }

    // The selector entry of the blueprint with the most materials.
    int MostMaterials() const
    {
        std::size_t most = 0;
        int entry = 0;
        for (std::size_t i = 0; i < main->Cat().strBPs.size(); ++i) {
            const std::size_t n = record::Materials(main->Cat().strBPs[i]).size();
            if (n > most) {
                most = n;
                entry = static_cast<int>(i);
            }
        }
        return entry;
    }

    void Show(int entry)
    {
        main->ControlsForTests().cboBP->setCurrentIndex(entry);
        main->cboBP_Click();
    }
};

} // namespace brenta::bench
