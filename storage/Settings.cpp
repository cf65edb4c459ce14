#include "storage/Settings.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "base/Failure.h"
#include "base/Text.h"
#include "storage/TextFile.h"

namespace brenta::storage {

SettingsStore::~SettingsStore() = default;

namespace {

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool ReadBoolean(SettingsStore& store, const char* section, const char* key, const NumberFormat& fmt)
{
    constexpr bool kDefault = false; // the stored default is "0"
    return ToBoolean(store.Read(section, key, "0"), fmt).value_or(kDefault);
}

std::int32_t ReadEdge(SettingsStore& store, const char* key, const NumberFormat& fmt)
{
    try {
        return numbers::ToInt32(numbers::ToNumber(store.Read(kSectionWindow, key, "0"), fmt));
    } catch (const Failure&) {
        return 0;
    }
}

} // namespace

bool IsProgramOwnName(std::string_view name, std::string_view executableName)
{
    constexpr std::string_view kOwn[] = {kSkillsFileName, kOwnedFileName, "brenta.png", "brenta.desktop", "icons"};
    return (!executableName.empty() && name == executableName) || std::ranges::find(kOwn, name) != std::end(kOwn)
        || name.starts_with('.') || IsTemporaryName(name);
}

bool IsUsablePricesFileName(std::string_view name, std::string_view executableName)
{
    const bool plain = !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
    return plain && !IsProgramOwnName(name, executableName);
}

std::optional<bool> ToBoolean(std::string_view text, const NumberFormat& fmt)
{
    const std::string_view word = TrimSpaces(text);
    if (text::EqualsIgnoringCase(word, "True"))
        return true;
    if (text::EqualsIgnoringCase(word, "False"))
        return false;
    try {
        return numbers::ToNumber(text, fmt) != 0;
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

Options ReadOptions(SettingsStore& store, const NumberFormat& fmt, std::string_view executableName)
{
    Options options;
    options.showNextImprovement = ReadBoolean(store, kSectionOptions, kKeyShowNextImprovement, fmt);
    options.alwaysOnTop = ReadBoolean(store, kSectionWindow, kKeyAlwaysOnTop, fmt);
    options.x = ReadEdge(store, kKeyX, fmt);
    options.y = ReadEdge(store, kKeyY, fmt);
    std::string pricesFile = store.Read(kSectionOptions, kKeyPricesFile, kDefaultPricesFile);
    options.pricesFile = IsUsablePricesFileName(pricesFile, executableName) ? std::move(pricesFile)
                                                                            : std::string(kDefaultPricesFile);
    return options;
}

void WriteOptions(SettingsStore& store, const Options& options, const NumberFormat& fmt)
{
    store.Write(kSectionOptions, kKeyShowNextImprovement, BooleanText(options.showNextImprovement));
    store.Write(kSectionOptions, kKeyPricesFile, options.pricesFile);
    store.Write(kSectionWindow, kKeyAlwaysOnTop, options.alwaysOnTop ? "1" : "0");
    store.Write(kSectionWindow, kKeyX, numbers::ToText(options.x, fmt));
    store.Write(kSectionWindow, kKeyY, numbers::ToText(options.y, fmt));
    store.Flush();
}

} // namespace brenta::storage
