// Draws the icons of the program folder at build time: one small JPEG per
// blueprint type ID, "<type ID>.jpg", in the colour of the kind of item the
// blueprint builds with the item's initials, and the application icon.
//
//   brenta_gen_icons <icons folder> <application icon .png>
//
// Every icon carries the text "Brenta generated icon" (a JPEG comment), so an
// install can tell it from a real picture a player put in its place.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "tools/IconFace.h"

namespace {

constexpr int kIconSize = 64; // the icon box is 990 twips, 66 pixels at 96 DPI
const char* const kMark = "Brenta generated icon";

// Kind colours, as the material grid colours its names, darkened so that white
// initials stay readable; kinds the grid shows alike get their own hue here.
QColor KindColour(const std::string& kind)
{
    static const std::map<std::string, QColor> colours = {
        {"T1", QColor(150, 130, 20)},
        {"T2", QColor(140, 30, 140)},
        {"Ship", QColor(160, 35, 35)},
        {"Item", QColor(30, 120, 40)},
        {"Raw", QColor(20, 120, 140)},
        {"Comp", QColor(70, 80, 100)},
        {"RAM", QColor(40, 60, 150)},
        {"DC", QColor(110, 70, 30)},
        {"Skill", QColor(170, 150, 0)},
    };
    const auto it = colours.find(kind);
    return it == colours.end() ? QColor(90, 90, 90) : it->second;
}

QImage Icon(const brenta::icons::Face& face)
{
    QImage image(kIconSize, kIconSize, QImage::Format_RGB32);
    const QColor colour = KindColour(face.kind);
    image.fill(colour.darker(160));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(colour.lighter(150), 2));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2, 2, kIconSize - 4, kIconSize - 4), 8, 8);

    QFont big(QStringLiteral("DejaVu Sans"));
    big.setBold(true);
    big.setPixelSize(face.initials.size() > 2 ? 20 : 26);
    p.setFont(big);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 6, kIconSize, 38), Qt::AlignCenter, QString::fromStdString(face.initials));

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    p.setFont(small);
    p.setPen(colour.lighter(190));
    p.drawText(QRect(0, 42, kIconSize, 16), Qt::AlignCenter, QString::fromStdString(face.kind));
    p.end();
    image.setText(QStringLiteral("Description"), QString::fromLatin1(kMark));
    return image;
}

// A rounded dark square with a "B" over a grid of material rows.
QImage AppIcon()
{
    constexpr int size = 256;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath square;
    square.addRoundedRect(QRectF(8, 8, size - 16, size - 16), 40, 40);
    p.fillPath(square, QColor(0x20, 0x20, 0x20));
    p.setClipPath(square);
    for (int row = 0; row < 6; ++row)
        p.fillRect(
            QRect(8, 150 + row * 16, size - 16, 8), row % 2 == 0 ? QColor(0x40, 0x40, 0x40) : QColor(0, 0, 0x80));
    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0xFF, 0xFF), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(square);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(150);
    p.setFont(font);
    p.setPen(QColor(0, 0xFF, 0xFF));
    p.drawText(QRect(0, 0, size, 170), Qt::AlignCenter, QStringLiteral("B"));
    p.end();
    return image;
}

bool Write(const QImage& image, const QString& path, const char* format)
{
    QImageWriter writer(path, format);
    if (std::string_view(format) == "jpeg")
        writer.setQuality(90);
    if (writer.write(image))
        return true;
    std::fprintf(
        stderr, "brenta_gen_icons: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: brenta_gen_icons <icons folder> <application icon .png>\n");
        return 2;
    }
    // No display is needed to draw into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "brenta_gen_icons: cannot create %s\n", argv[1]);
        return 1;
    }
    // The folder is this tool's own output: icons of blueprints the catalogue no
    // longer has go.
    QDir icons(folder);
    for (const QString& old : icons.entryList({QStringLiteral("*.jpg")}, QDir::Files))
        icons.remove(old);

    brenta::Catalogue cat;
    cat.DimArrays();
    cat.LoadBPNames();
    cat.LoadMatNames();
    const auto byName = brenta::icons::ByPlainName(cat.strItemNames);
    for (const std::string_view rec : cat.strBPs) {
        const auto fields = brenta::text::Split(rec, '{');
        if (fields.size() < 2)
            continue;
        const QString path = folder + "/" + QString::fromStdString(std::string(fields[1])) + ".jpg";
        if (!Write(Icon(brenta::icons::FaceOf(fields[0], byName)), path, "jpeg"))
            return 1;
    }
    return Write(AppIcon(), QString::fromLocal8Bit(argv[2]), "png") ? 0 : 1;
}
