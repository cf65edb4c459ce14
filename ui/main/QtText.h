#pragma once

// Text between Qt and the core: the core's text is UTF-8, file names are the file
// system's own bytes.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace brenta::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
// A file name in the file system's own bytes, as text for the player to read.
inline QString FileNameText(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

} // namespace brenta::ui
