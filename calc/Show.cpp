#include "calc/Show.h"

#include "base/Table.h"
#include "base/Text.h"
#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"

namespace brenta::show {

namespace {

// One level box set to its new text: when the text changes, the record is rebuilt
// from it; a level no record can hold, or an old level that cannot be read, keeps
// the record as it was.
void SetBox(std::string& box, const std::string& text, std::string& record, const std::string& typeId, bool ml,
    const NumberFormat& fmt)
{
    if (box == text)
        return;
    box = text;
    try {
        record = ml ? owned::WithML(record, typeId, text, fmt) : owned::WithPL(record, typeId, text, fmt);
    } catch (const Failure&) {
        // The record stays as it was.
    }
}

} // namespace

Shown ShowBlueprint(std::int16_t index, const Catalogue& cat, const Levels& boxes, const NumberFormat& fmt)
{
    using namespace numbers;
    const std::string& rec = At(cat.strBPs, index);
    const std::string typeIdText(record::Field(rec, record::kFieldTypeId));

    Shown shown;
    shown.index = index;
    shown.typeId = TextToInt16(typeIdText, fmt);
    shown.times = record::Times(rec);
    shown.baseWastageFactor = record::BaseWastageFactor(rec, fmt);
    shown.owned = At(cat.bOwned, index);
    if (shown.owned) {
        const std::string& owned = At(cat.strOwned, index);
        const auto fields = text::Split(owned, '{');
        if (fields.size() < 3)
            throw Failure("Owned record without three fields: " + owned);
        shown.levels = Levels{std::string(fields[1]), std::string(fields[2])};
    }
    shown.batchText = IntText(At(cat.intBatchSize, shown.typeId));
    for (const auto& material : sheet::ShownMaterials(rec, fmt))
        shown.rows.push_back(
            Row{material.typeId, At(cat.strItemNames, material.typeId), std::string(material.quantityText),
                material.quantity, ToText(At(cat.dblPrices, material.typeId), fmt)});

    // Nothing above changed anything; now the boxes take the levels.
    if (shown.owned) {
        std::string record = cat.strOwned[static_cast<std::size_t>(index)];
        Levels box = boxes;
        SetBox(box.ml, shown.levels.ml, record, typeIdText, true, fmt);
        SetBox(box.pl, shown.levels.pl, record, typeIdText, false, fmt);
        shown.ownedRecord = std::move(record);
    }
    return shown;
}

} // namespace brenta::show
