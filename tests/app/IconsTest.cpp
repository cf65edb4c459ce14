// The generated blueprint icons: what each shows, and that every blueprint of the
// catalogue has one the icon box can load.

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "tools/IconFace.h"

namespace brenta::test {
namespace {

TEST(IconFace, KindFromTheItemsPrefixElseFromItsTechLevel)
{
    ItemNames names(4);
    names.Set(1, "[Ship] Vexor");
    names.Set(2, "[Comp] Fusion Thruster");
    names.Set(3, "[T2] Nanite Paste");
    const auto byName = icons::ByPlainName(names);
    struct Case {
        const char* blueprint;
        const char* kind;
        const char* initials;
    };
    const Case cases[] = {
        {"Vexor Blueprint", "Ship", "V"},
        {"Fusion Thruster Blueprint", "Comp", "FT"},
        {"Nanite Paste Blueprint", "T2", "NP"},
        {"100mm Reinforced Steel Plates I Blueprint", "T1", "1RS"},
        {"100mm Reinforced Steel Plates II Blueprint", "T2", "1RS"},
        {"Armored Cargo Vault Blueprint", "T1", "ACV"},
        {"'Aurora' Blueprint", "T1", "A"},
        {"- Blueprint", "T1", "?"},
    };
    for (const Case& c : cases) {
        const icons::Face face = icons::FaceOf(c.blueprint, byName);
        EXPECT_EQ(face.kind, c.kind) << c.blueprint;
        EXPECT_EQ(face.initials, c.initials) << c.blueprint;
    }
}

TEST(GeneratedIcons, EveryBlueprintHasASmallJpegMarkedAsGenerated)
{
    Catalogue cat;
    cat.DimArrays();
    cat.LoadBPNames();
    std::set<unsigned> centreColours;
    for (const std::string_view rec : cat.strBPs) {
        const std::string id(record::Field(rec, record::kFieldTypeId));
        const QString path = QStringLiteral(BRENTA_GENERATED_ICONS "/") + QString::fromStdString(id) + ".jpg";
        const QImage icon(path, "JPEG");
        ASSERT_FALSE(icon.isNull()) << path.toStdString();
        ASSERT_EQ(icon.size(), QSize(64, 64)) << path.toStdString();
        ASSERT_EQ(icon.text(QStringLiteral("Description")), QStringLiteral("Brenta generated icon")) << id;
        centreColours.insert(icon.pixelColor(4, 32).rgb() & 0xF0F0F0);
    }
    // The kinds are told apart by colour: first and second tech, ships, components
    // and research tools at least.
    EXPECT_GE(centreColours.size(), 5U);
}

} // namespace
} // namespace brenta::test
