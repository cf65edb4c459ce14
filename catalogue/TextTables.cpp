#include "catalogue/TextTables.h"

#include <algorithm>
#include <limits>

#include "base/Failure.h"

namespace brenta {

void ItemNames::Set(std::size_t id, std::string_view name)
{
    std::uint16_t& slot = slots_.at(id);
    if (slot != 0) {
        names_[slot].assign(name);
        return;
    }
    if (name.empty())
        return;
    // Every slot named at most once here, so the indexes can never outgrow 16 bits
    // while the table has fewer slots than that.
    if (names_.size() > std::numeric_limits<std::uint16_t>::max())
        throw Failure("Too many item names");
    slot = static_cast<std::uint16_t>(names_.size());
    names_.emplace_back(name);
}

BlueprintRecords::BlueprintRecords(const BlueprintRecords& other) : views_(other.views_), own_(other.own_)
{
    ViewOwn();
}

BlueprintRecords::BlueprintRecords(BlueprintRecords&& other) noexcept
    : views_(std::move(other.views_)), own_(std::move(other.own_))
{
    ViewOwn();
}

BlueprintRecords& BlueprintRecords::operator=(const BlueprintRecords& other)
{
    if (this != &other) {
        views_ = other.views_;
        own_ = other.own_;
        ViewOwn();
    }
    return *this;
}

BlueprintRecords& BlueprintRecords::operator=(BlueprintRecords&& other) noexcept
{
    if (this != &other) {
        views_ = std::move(other.views_);
        own_ = std::move(other.own_);
        ViewOwn();
    }
    return *this;
}

void BlueprintRecords::Set(std::size_t index, std::string_view record)
{
    std::string_view& view = views_.at(index);
    const auto mine = std::ranges::find(own_, index, &std::pair<std::size_t, std::string>::first);
    // The record may be read from this very slot: copied before the old text goes.
    std::string text(record);
    if (mine != own_.end()) {
        mine->second = std::move(text);
        view = mine->second;
    } else {
        view = own_.emplace_back(index, std::move(text)).second;
    }
}

void BlueprintRecords::ViewOwn()
{
    for (const auto& [index, text] : own_)
        views_[index] = text;
}

} // namespace brenta
