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
#include "ui/main/QtText.h"

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

using ui::FileNameText;
using ui::Q;
using ui::S;

inline QString AppTitle() { return QString::fromLatin1(kTitle) + ' ' + QString::fromLatin1(kVersion); }

using ui::KindColour;

} // namespace brenta::ui::mainwindow
