#pragma once

// The application icon, read from its file the first time something asks for its
// pixels. Decoding the 256-pixel image is a sizeable part of a start-up; a platform
// that shows no window icon never pays for it, and one that does (X11) reads it when
// the window is created, as before.

#include <QIcon>
#include <QIconEngine>
#include <QString>

#include <optional>
#include <utility>

namespace brenta::app {

class FileIconEngine final : public QIconEngine {
public:
    explicit FileIconEngine(QString file) : file_(std::move(file)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Loaded().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().availableSizes(mode, state);
    }
    // Asked before any pixels are: the program's own icon file is there, so the
    // answer needs no read. Should it fail to read later, it draws nothing.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("BrentaFileIcon"); }
    QIconEngine* clone() const override { return new FileIconEngine(file_); }

private:
    QIcon& Loaded()
    {
        if (!icon_)
            icon_ = QIcon(file_);
        return *icon_;
    }

    QString file_;
    std::optional<QIcon> icon_;
};

inline QIcon IconFromFile(const QString& file) { return QIcon(new FileIconEngine(file)); }

} // namespace brenta::app
