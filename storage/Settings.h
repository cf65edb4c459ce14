#pragma once

// The per-user settings store and the five values kept in it between runs: two
// options, the prices file in use and the main window's position.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::storage {

inline constexpr const char* kSectionOptions = "Options";
inline constexpr const char* kSectionWindow = "Window";
inline constexpr const char* kKeyShowNextImprovement = "ShowNextImprovement";
inline constexpr const char* kKeyAlwaysOnTop = "AlwaysOnTop";
inline constexpr const char* kKeyX = "X";
inline constexpr const char* kKeyY = "Y";
inline constexpr const char* kKeyPricesFile = "PricesFile";
inline constexpr const char* kDefaultPricesFile = "matprices.dat";
inline constexpr const char* kSkillsFileName = "skills.dat";
inline constexpr const char* kOwnedFileName = "ownedbps.dat";

// A persistent per-user store of texts addressed by section and key, for the
// application "BRENTA".
class SettingsStore {
public:
    virtual ~SettingsStore();

    // The stored text of the key, or defaultText when the key (or its section, or
    // the whole store) has never been written. Never fails for an absent key.
    virtual std::string Read(const std::string& section, const std::string& key, const std::string& defaultText)
        = 0;

    // Stores the text, creating the section and key as needed and replacing an
    // earlier value. It may stay in memory until Flush.
    virtual void Write(const std::string& section, const std::string& key, const std::string& text) = 0;

    // Puts every written value into the persistent store. A store that cannot be
    // written is a Failure with the reason.
    virtual void Flush() = 0;
};

// True for the word True or a number other than 0; false for the word False or
// the number 0 (the words in any letter case, spaces around allowed; numbers read
// with the locale's separators). Nothing for any other text: the caller applies
// the key's default.
std::optional<bool> ToBoolean(std::string_view text, const NumberFormat& fmt);

// "True" or "False".
std::string BooleanText(bool value);

struct Options {
    bool showNextImprovement = false;
    bool alwaysOnTop = false;
    std::int32_t x = 0; // left edge of the main window, twips, not yet limited to the screen
    std::int32_t y = 0; // top edge
    std::string pricesFile = kDefaultPricesFile;
};

// Whether name is one of the entries the program keeps in its folder for itself:
// the executable (executableName, when known), "skills.dat", "ownedbps.dat",
// "brenta.png", "brenta.desktop" and "icons", a hidden name (starting with "."),
// which the program never lists, and a name of its temporary files. Writing a
// file under one of them would destroy the program or the player's data, or be
// lost at the next start.
bool IsProgramOwnName(std::string_view name, std::string_view executableName);

// Whether a name can serve as the prices file in the program's folder: a plain
// file name (not empty, no "/" or NUL, not "." or ".."), and not one of the
// program's own names (IsProgramOwnName).
bool IsUsablePricesFileName(std::string_view name, std::string_view executableName);

// Reads the five values in the order ShowNextImprovement, AlwaysOnTop, X, Y,
// PricesFile. An absent key gives its default (false, false, 0, 0,
// "matprices.dat"), and so does a stored text that does not convert: a Boolean
// that is neither a word nor a number, an X or Y that is not a number or does not
// fit a 32-bit integer after rounding half to even. A PricesFile that cannot serve
// (IsUsablePricesFileName) counts as empty and gives "matprices.dat": the prices
// file always lies in the program's folder, and a stored name must not send the
// shut-down write anywhere else or over another of the program's files.
// Limiting X and Y to the screen is the window's business.
Options ReadOptions(SettingsStore& store, const NumberFormat& fmt, std::string_view executableName = {});

// Writes the five values in the order ShowNextImprovement (True/False),
// PricesFile, AlwaysOnTop ("1"/"0"), X, Y (standard number-to-text), then flushes
// the store; a store that cannot be written is a Failure.
void WriteOptions(SettingsStore& store, const Options& options, const NumberFormat& fmt);

} // namespace brenta::storage
