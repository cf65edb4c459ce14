#pragma once

// Drives the program's file dialogs as a player does, through the controls' object
// names: walk the folder tree with Enter, click an entry, type a name, press a
// button. Works on the window the dialog hook hands over or on one found by name.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>

#include "ui/windows/FileDialog.h"

namespace brenta::test {

// The shown dialog window of that object name ("frmOpen", "frmSave"), or nullptr.
inline QDialog* ShownDialog(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible() && w->objectName() == name)
            return dialog;
    return nullptr;
}

template <class W>
W* Control(QDialog& dialog, const char* name)
{
    W* control = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// The file list's entries in the order shown.
inline QStringList Entries(QDialog& dialog)
{
    QStringList names;
    QListWidget* files = Control<QListWidget>(dialog, "lstFiles");
    for (int i = 0; files && i < files->count(); ++i)
        names << files->item(i)->text();
    return names;
}

// Opens the folder at path, which the tree shows (a sub-folder or a folder above),
// by moving to it and pressing Enter.
inline void OpenFolder(QDialog& dialog, const std::string& path)
{
    QTreeWidget* tree = Control<QTreeWidget>(dialog, "Directory");
    ASSERT_NE(tree, nullptr);
    const QString wanted = ui::FileDialog::NameText(path);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == wanted) {
            tree->setFocus();
            tree->setCurrentItem(*it);
            QTest::keyClick(tree, Qt::Key_Return);
            return;
        }
    }
    ADD_FAILURE() << "the folder tree does not show " << path;
}

// Clicks an entry of the file list.
inline void Pick(QDialog& dialog, const QString& entry)
{
    QListWidget* files = Control<QListWidget>(dialog, "lstFiles");
    ASSERT_NE(files, nullptr);
    const QList<QListWidgetItem*> found = files->findItems(entry, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << entry.toStdString();
    files->scrollToItem(found.front());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.front()).center());
}

inline void Press(QDialog& dialog, const char* button)
{
    QPushButton* b = Control<QPushButton>(dialog, button);
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Replaces the name box's text by typing.
inline void TypeName(QDialog& dialog, const QString& name)
{
    QLineEdit* box = Control<QLineEdit>(dialog, "txtFilename");
    ASSERT_NE(box, nullptr);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, name);
}

} // namespace brenta::test
