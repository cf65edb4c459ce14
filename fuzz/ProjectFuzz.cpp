// The project file reader: whatever it reads is written, read back and written
// again to the same text, its jobs and choices unchanged; whatever it refuses it
// refuses with a Failure.

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
    const std::string saved = storage::ProjectText(project);
    const storage::ProjectData again = storage::ReadProject(saved);
    fuzz::Check(
        again.jobs == project.jobs && again.flips == project.flips, "a saved project keeps its jobs and choices");
    fuzz::Check(storage::ProjectText(again) == saved, "a saved project reads back as it was saved");
    return 0;
}
