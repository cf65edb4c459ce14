// The blueprint list import over the shipped catalogue: whatever the list holds,
// every owned record it leaves has exactly the three fields of its own blueprint.

#include <cstddef>
#include <cstdint>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"
#include "storage/BlueprintList.h"
#include "storage/OwnedRecord.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Catalogue cat = Catalogue::Compiled();
    const std::string_view content = fuzz::Text(data, size);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        // Only what this import owns is checked: a record an earlier input imported
        // under the other decimal separator reads otherwise under this one.
        cat.bOwned.assign(cat.bOwned.size(), false);
        storage::ApplyBlueprintList(content, cat, fmt);
        fuzz::Check(cat.bOwned.size() == static_cast<std::size_t>(kBlueprintCount), "one flag per blueprint");
        for (std::size_t i = 0; i < cat.bOwned.size(); ++i) {
            if (!cat.bOwned[i])
                continue;
            const auto fields = text::Split(cat.strOwned[i].text, '{');
            fuzz::Check(fields.size() == 3, "an imported record has three fields");
            fuzz::Check(fields[0] == record::Field(cat.strBPs[i], record::kFieldTypeId),
                "an imported record belongs to its own blueprint");
            fuzz::Check(cat.strOwned[i] == owned::Read(cat.strOwned[i].text, fmt),
                "an imported record is its text as read");
        }
    }
    return 0;
}
