// The owned blueprints file reader over the shipped catalogue, and the file written
// from what it read read back again.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"
#include "storage/OwnedFile.h"
#include "storage/OwnedRecord.h"

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
            // A flagged record names its own blueprint, has an ML and a PL field,
            // and its fields are what its text says.
            const OwnedRecord& owned = cat.strOwned[i];
            fuzz::Check(owned.complete, "an owned record has three fields");
            fuzz::Check(owned.typeId.has_value(), "an owned record has a type ID");
            fuzz::Check(
                record::Field(cat.strBPs[i], record::kFieldTypeId) == numbers::IntText(owned.typeId.value_or(-1)),
                "an owned record belongs to the blueprint of its type ID");
            fuzz::Check(owned == owned::Read(owned.text, fmt), "an owned record is its text as read");
        }
        if (!anyOwned)
            continue;

        // Three-field records survive a save and a start unchanged.
        storage::ApplyOwned(storage::OwnedText(cat), again, fmt);
        for (std::size_t i = 0; i < cat.bOwned.size(); ++i) {
            fuzz::Check(again.bOwned[i] == cat.bOwned[i], "a saved owned flag reads back");
            const std::string& text = cat.strOwned[i].text;
            if (cat.bOwned[i] && std::count(text.begin(), text.end(), '{') == 2)
                fuzz::Check(again.strOwned[i] == cat.strOwned[i], "a saved owned record reads back");
        }
    }
    return 0;
}
