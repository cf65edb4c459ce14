#pragma once

// A main window over a temporary program folder and an in-memory settings store,
// under the decimal point or the decimal comma, driven through its real widgets.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "catalogue/BlueprintRecord.h"
#include "storage/Settings.h"
#include "storage/TextFile.h"
#include "tests/LocaleTest.h"
#include "tests/MemorySettingsStore.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMain.h"
#include "ui/windows/frmComparison.h"

namespace brenta::test {

class MainWindowTest : public LocaleTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previousHook = ui::SetMessageHook([this](const QString& text) { messages.push_back(text.toStdString()); });
    }
    void TearDown() override
    {
        window.reset();
        ui::SetMessageHook(previousHook);
    }

    std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }

    void WriteFile(const std::string& name, const std::string& content) const
    {
        std::ofstream(Path(name), std::ios::binary) << content;
    }

    std::string ReadFile(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ui::frmMain& Start()
    {
        window = std::make_unique<ui::frmMain>(folder.path().toStdString(), settings, fmt, executable);
        return *window;
    }

    // Picks a name in the blueprint selector the way a player does: open the list,
    // move to the entry, press Enter.
    void SelectBlueprint(const QString& name)
    {
        QComboBox* selector = window->ControlsForTests().cboBP;
        const int k = selector->findText(name);
        ASSERT_GE(k, 0) << name.toStdString();
        selector->showPopup();
        QAbstractItemView* list = selector->view();
        list->setCurrentIndex(selector->model()->index(k, 0));
        QTest::keyClick(list->viewport(), Qt::Key_Return);
        ASSERT_EQ(selector->currentIndex(), k);
    }

    // What the context menu's "Find BP" does: remember the shown blueprint, show
    // another without touching the selector, enable Back.
    void ShowAsFindBPDoes(std::int16_t index) { window->ShowWithBack(index); }

    // The blueprint index of a blueprint name, and the name of an index, as the
    // catalogue holds them.
    std::int16_t IndexOf(const std::string& name) const
    {
        const auto& records = window->Cat().strBPs;
        for (std::size_t i = 0; i < records.size(); ++i)
            if (record::Field(records[i], record::kFieldName) == name)
                return static_cast<std::int16_t>(i);
        ADD_FAILURE() << "no blueprint " << name;
        return -1;
    }
    // Every grid row's material type ID, 0 for an empty row.
    std::vector<std::int32_t> RowMaterials() const
    {
        std::vector<std::int32_t> ids(ui::frmMainUi::RowCount);
        for (int r = 0; r < ui::frmMainUi::RowCount; ++r)
            ids[static_cast<std::size_t>(r)] = window->RowMaterial(r);
        return ids;
    }
    std::string NameOf(std::int16_t index) const
    {
        return std::string(
            record::Field(window->Cat().strBPs.at(static_cast<std::size_t>(index)), record::kFieldName));
    }

    // Replaces a text box's content by typing, as a player does.
    static void Type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    static void Choose(QComboBox* selector, int position)
    {
        selector->setFocus();
        while (selector->currentIndex() < position)
            QTest::keyClick(selector, Qt::Key_Down);
        while (selector->currentIndex() > position)
            QTest::keyClick(selector, Qt::Key_Up);
    }

    std::vector<std::string> Column(const std::array<QLabel*, 25>& cells, int rows) const
    {
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r)
            texts.push_back(cells[static_cast<std::size_t>(r)]->text().toStdString());
        return texts;
    }

    std::string L(const char* text) const { return Localised(text, fmt); }

    // The comparison window while it is open, else nullptr.
    static ui::frmComparison* Comparison()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<ui::frmComparison*>(w))
                return c;
        return nullptr;
    }

    QTemporaryDir folder;
    std::string executable = "brenta"; // the program's own file in the folder
    MemorySettingsStore settings;
    std::unique_ptr<ui::frmMain> window;
    std::vector<std::string> messages;
    ui::MessageHook previousHook;
};

} // namespace brenta::test
