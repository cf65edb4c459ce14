// The settings values: whatever texts the store holds (one per line of the input,
// in the order ShowNextImprovement, AlwaysOnTop, X, Y, PricesFile), start-up gets
// usable options, and the options saved read back the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "storage/Settings.h"
#include "tests/MemorySettingsStore.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string keys[] = {
        std::string(storage::kSectionOptions) + "/" + storage::kKeyShowNextImprovement,
        std::string(storage::kSectionWindow) + "/" + storage::kKeyAlwaysOnTop,
        std::string(storage::kSectionWindow) + "/" + storage::kKeyX,
        std::string(storage::kSectionWindow) + "/" + storage::kKeyY,
        std::string(storage::kSectionOptions) + "/" + storage::kKeyPricesFile,
    };
    const std::string_view input = fuzz::Text(data, size);
    test::MemorySettingsStore stored;
    std::size_t start = 0;
    for (const std::string& key : keys) {
        if (start > input.size())
            break; // fewer lines than keys: the rest were never written
        const std::size_t end = std::min(input.find('\n', start), input.size());
        stored.values[key] = std::string(input.substr(start, end - start));
        start = end + 1;
    }

    for (const NumberFormat& fmt : fuzz::kFormats) {
        storage::ToBoolean(input, fmt);
        const storage::Options options = storage::ReadOptions(stored, fmt);
        const std::string& name = options.pricesFile;
        fuzz::Check(!name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos
                && name.find('\0') == std::string::npos,
            "the prices file is a plain name in the program folder");

        test::MemorySettingsStore saved;
        storage::WriteOptions(saved, options, fmt);
        const storage::Options back = storage::ReadOptions(saved, fmt);
        fuzz::Check(back.showNextImprovement == options.showNextImprovement
                && back.alwaysOnTop == options.alwaysOnTop && back.x == options.x && back.y == options.y
                && back.pricesFile == options.pricesFile,
            "saved options read back");
    }
    return 0;
}
