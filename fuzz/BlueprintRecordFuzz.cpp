// The blueprint record parser, driven the way showing a blueprint drives it: the
// type ID, the times, the base waste, the materials that take grid rows, and the
// whole sheet computed from them.

#include <cstddef>
#include <cstdint>

#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"

using namespace brenta;

namespace {

const Catalogue& Shipped()
{
    static const Catalogue cat = [] {
        Catalogue c;
        c.DimArrays();
        c.LoadBPNames();
        c.LoadMatNames();
        c.LoadDefaultPrices();
        c.LoadBPIndexMap();
        c.LoadBatchSizes();
        return c;
    }();
    return cat;
}

void Show(std::string_view rec, const NumberFormat& fmt)
{
    const Catalogue& cat = Shipped();
    text::Split(rec, '{');
    numbers::TextToInt16(record::Field(rec, record::kFieldTypeId), fmt);
    sheet::Input in;
    in.fmt = fmt;
    in.times = record::Times(rec);
    in.baseWastageFactor = record::BaseWastageFactor(rec, fmt);
    in.selectedRecord = std::string(rec);
    in.blueprintSelected = true;
    in.improvements = true;

    const auto materials = sheet::ShownMaterials(rec, fmt);
    fuzz::Check(materials.size() <= static_cast<std::size_t>(sheet::kRows), "at most one material per grid row");
    for (std::size_t r = 0; r < materials.size(); ++r) {
        const auto& m = materials[r];
        fuzz::Check(m.quantity >= 0, "no negative base quantity");
        if (m.typeId < 0 || m.typeId >= kTypeIdSlots)
            throw Failure("type ID outside the catalogue");
        const auto id = static_cast<std::size_t>(m.typeId);
        in.rows[r].caption = cat.strItemNames[id];
        in.rows[r].price = numbers::ToText(cat.dblPrices[id], fmt);
        in.baseQty.push_back(m.quantity);
    }
    sheet::Compute(in);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view rec = fuzz::Text(data, size);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        try {
            Show(rec, fmt);
        } catch (const Failure&) {
            // A record the display cannot read is abandoned; that is an answer.
        }
    }
    return 0;
}
