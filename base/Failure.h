#pragma once

#include <stdexcept>
#include <string>

namespace brenta {

// The one exception type of the core: every failure of a calculation, a conversion
// or a reader is raised as Failure and caught where the program answers it
// (for the sheet, "Invalid ML").
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& what) : std::runtime_error(what) {}
};

} // namespace brenta
