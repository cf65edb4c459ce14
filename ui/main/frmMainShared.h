#pragma once

// What the parts of the main window's implementation share: the title, the player's
// file names, the window's height around the grid and small conversions between Qt and the core.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "base/Table.h"
#include "calc/Sheet.h"
#include "catalogue/Catalogue.h"
#include "storage/Settings.h"
#include "ui/main/Look.h"

namespace brenta::ui::mainwindow {

inline constexpr const char* kTitle = "Brenta";
inline constexpr const char* kVersion = BRENTA_VERSION;
inline constexpr const char* kSkillsFile = storage::kSkillsFileName;
inline constexpr const char* kOwnedFile = storage::kOwnedFileName;
inline constexpr int kAnalysisHeight = 1575;
inline constexpr int kRows = sheet::kRows;

// The window's outer height around grid frames gridFrameTwips high
// (MaterialGrid::FrameTwips).
inline int OuterHeightTwips(int gridFrameTwips) { return gridFrameTwips + kAnalysisHeight + 1800; }

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
// A file name in the file system's own bytes, as text for the player to read.
inline QString FileNameText(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }
inline std::string S(const QString& s) { return s.toStdString(); }

inline QString AppTitle() { return QString::fromLatin1(kTitle) + ' ' + QString::fromLatin1(kVersion); }

// Text colour of a material's name and amount by the kind prefix of its name.
inline unsigned KindColour(const std::string& name)
{
    switch (KindOf(name)) {
    case ItemKind::Skill:
    case ItemKind::T1:
        return Colour::Yellow;
    case ItemKind::Item:
        return Colour::Green;
    case ItemKind::Ship:
        return Colour::Red;
    case ItemKind::T2:
        return Colour::Magenta;
    case ItemKind::Raw:
        return Colour::Cyan;
    default:
        return Colour::White;
    }
}

} // namespace brenta::ui::mainwindow
