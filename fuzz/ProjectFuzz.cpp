// The project file reader: whatever it reads is written and read back the same,
// and whatever it refuses it refuses with a Failure.

#include <cstddef>
#include <cstdint>

#include "base/Failure.h"
#include "fuzz/FuzzCheck.h"
#include "storage/ProjectFile.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    storage::ProjectData project;
    try {
        project = storage::ReadProject(fuzz::Text(data, size));
    } catch (const Failure&) {
        return 0;
    }
    fuzz::Check(storage::ReadProject(storage::ProjectText(project)) == project, "a saved project reads back");
    return 0;
}
