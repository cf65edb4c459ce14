// The owned blueprints file reader over the shipped catalogue, and the file written
// from what it read read back again.

#include <cstddef>
#include <cstdint>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"
#include "storage/OwnedFile.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Catalogue cat = Catalogue::Compiled();
    static Catalogue again = Catalogue::Compiled();
    const std::string_view content = fuzz::Text(data, size);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        storage::ApplyOwned(content, cat, fmt);
        fuzz::Check(cat.bOwned.size() == static_cast<std::size_t>(kBlueprintCount), "one flag per blueprint");

        bool anyOwned = false;
        for (std::size_t i = 0; i < cat.bOwned.size(); ++i) {
            if (!cat.bOwned[i])
                continue;
            anyOwned = true;
            // A flagged record names its own blueprint and has an ML and a PL field.
            const auto fields = text::Split(cat.strOwned[i], '{');
            fuzz::Check(fields.size() >= 3, "an owned record has three fields");
            const std::int32_t id = numbers::ToInt32(numbers::ToNumber(fields[0], fmt));
            fuzz::Check(record::Field(cat.strBPs[i], record::kFieldTypeId) == numbers::IntText(id),
                "an owned record belongs to the blueprint of its type ID");
        }
        if (!anyOwned)
            continue;

        // Three-field records survive a save and a start unchanged.
        storage::ApplyOwned(storage::OwnedText(cat), again, fmt);
        for (std::size_t i = 0; i < cat.bOwned.size(); ++i) {
            fuzz::Check(again.bOwned[i] == cat.bOwned[i], "a saved owned flag reads back");
            if (cat.bOwned[i] && text::Split(cat.strOwned[i], '{').size() == 3)
                fuzz::Check(again.strOwned[i] == cat.strOwned[i], "a saved owned record reads back");
        }
    }
    return 0;
}
