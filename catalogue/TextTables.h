#pragma once

// The catalogue's two tables of text, kept light: start-up fills them from the
// compiled-in content, and neither copies every slot onto the heap. Item names
// are few among many type IDs (a thousand in thirty thousand), so each type ID
// holds a small index into the names there are; blueprint records are read where
// the program holds them, and only a record set at run time has its own copy.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brenta {

// Display names by type ID: "[Kind] name", "" when unnamed.
class ItemNames {
public:
    class Iterator;

    ItemNames() = default;
    explicit ItemNames(std::size_t count) : slots_(count, 0) {}

    std::size_t size() const { return slots_.size(); }
    bool empty() const { return slots_.empty(); }
    // The name in slot id; the empty text when the slot is unnamed. Like a
    // std::vector's, the slot must be inside the table.
    const std::string& operator[](std::size_t id) const { return names_[slots_[id]]; }
    // The same, std::out_of_range for a slot outside the table.
    const std::string& at(std::size_t id) const { return names_[slots_.at(id)]; }
    // Names slot id; "" makes it unnamed again. A name given earlier keeps its place,
    // so a reference to any name stays good until the table is emptied.
    void Set(std::size_t id, std::string_view name);

    Iterator begin() const;
    Iterator end() const;

private:
    std::vector<std::uint16_t> slots_; // by type ID: an index into names_, 0 when unnamed
    std::deque<std::string> names_{std::string()}; // names_[0] is the empty text
};

// Walks the names slot by slot, as a std::vector<std::string>'s iterator would.
class ItemNames::Iterator {
public:
    using iterator_concept = std::random_access_iterator_tag;
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using reference = const std::string&;

    Iterator() = default;
    Iterator(const ItemNames* table, std::size_t id) : table_(table), id_(static_cast<difference_type>(id)) {}

    reference operator*() const { return (*table_)[static_cast<std::size_t>(id_)]; }
    reference operator[](difference_type n) const { return *(*this + n); }
    Iterator& operator++() { return *this += 1; }
    Iterator operator++(int) { return std::exchange(*this, *this + 1); }
    Iterator& operator--() { return *this -= 1; }
    Iterator operator--(int) { return std::exchange(*this, *this - 1); }
    Iterator& operator+=(difference_type n)
    {
        id_ += n;
        return *this;
    }
    Iterator& operator-=(difference_type n) { return *this += -n; }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
    friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const Iterator& a, const Iterator& b) { return a.id_ - b.id_; }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.id_ == b.id_; }
    friend std::strong_ordering operator<=>(const Iterator& a, const Iterator& b) { return a.id_ <=> b.id_; }

private:
    const ItemNames* table_ = nullptr;
    difference_type id_ = 0;
};

inline ItemNames::Iterator ItemNames::begin() const { return {this, 0}; }
inline ItemNames::Iterator ItemNames::end() const { return {this, size()}; }

// Blueprint records by blueprint index. A slot reads the compiled-in record in
// place until Set gives it a text of its own.
class BlueprintRecords {
public:
    using const_iterator = std::vector<std::string_view>::const_iterator;

    BlueprintRecords() = default;
    explicit BlueprintRecords(std::size_t count) : views_(count) {}
    BlueprintRecords(const BlueprintRecords& other);
    BlueprintRecords(BlueprintRecords&& other) noexcept;
    BlueprintRecords& operator=(const BlueprintRecords& other);
    BlueprintRecords& operator=(BlueprintRecords&& other) noexcept;
    ~BlueprintRecords() = default;

    std::size_t size() const { return views_.size(); }
    bool empty() const { return views_.empty(); }
    // The record in slot index, which must be inside the table; "" when none is set.
    std::string_view operator[](std::size_t index) const { return views_[index]; }
    // The same, std::out_of_range for a slot outside the table.
    std::string_view at(std::size_t index) const { return views_.at(index); }
    // Slot index reads record, which the program holds for as long as the table (the
    // compiled-in content).
    void View(std::size_t index, std::string_view record) { views_.at(index) = record; }
    // Slot index reads a copy of record, its own.
    void Set(std::size_t index, std::string_view record);

    const_iterator begin() const { return views_.begin(); }
    const_iterator end() const { return views_.end(); }

private:
    // Points every slot with a text of its own at that text again, after a copy.
    void ViewOwn();

    std::vector<std::string_view> views_; // by blueprint index
    std::deque<std::pair<std::size_t, std::string>> own_; // the texts Set gave, by slot
};

} // namespace brenta
