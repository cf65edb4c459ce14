#include "calc/Show.h"

#include "base/Table.h"
#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"

namespace brenta::show {

Shown ShowBlueprint(std::int16_t index, const Catalogue& cat, const Levels& boxes, const NumberFormat& fmt)
{
    using namespace numbers;
    const std::string_view rec = At(cat.strBPs, index);
    const std::string typeIdText(record::Field(rec, record::kFieldTypeId));

    Shown shown;
    shown.index = index;
    shown.typeId = TextToInt16(typeIdText, fmt);
    shown.times = record::Times(rec);
    shown.baseWastageFactor = record::BaseWastageFactor(rec, fmt);
    shown.owned = At(cat.bOwned, index);
    if (shown.owned) {
        const OwnedRecord& stored = At(cat.strOwned, index);
        if (!stored.complete)
            throw Failure("Owned record without three fields: " + stored.text);
        shown.levels = Levels{stored.ml.text, stored.pl.text};
    }
    shown.batchText = IntText(At(cat.intBatchSize, shown.typeId));
    for (const auto& material : sheet::ShownMaterials(rec, fmt))
        shown.rows.push_back(
            Row{material.typeId, At(cat.strItemNames, material.typeId), std::string(material.quantityText),
                material.quantity, ToText(At(cat.dblPrices, material.typeId), fmt)});

    // Nothing above changed anything; now the boxes take the levels, and a box
    // whose text changes rebuilds the record as the player's edit of it does.
    if (shown.owned) {
        OwnedRecord record = cat.strOwned[static_cast<std::size_t>(index)];
        if (boxes.ml != shown.levels.ml)
            record = owned::WithBox(record, typeIdText, owned::Box::ML, shown.levels.ml, fmt);
        if (boxes.pl != shown.levels.pl)
            record = owned::WithBox(record, typeIdText, owned::Box::PL, shown.levels.pl, fmt);
        shown.ownedRecord = std::move(record);
    }
    return shown;
}

} // namespace brenta::show
