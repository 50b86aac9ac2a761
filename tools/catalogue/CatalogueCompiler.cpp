#include "CatalogueCompiler.h"

#include <fmt/format.h>

#include "CatalogueSourceReader.h"
#include "catalogue/CatalogueValidator.h"
#include "catalogue/DeviceDataFile.h"

namespace karvo::source {

CompileResult CompileFolder(const std::filesystem::path& dir) {
    CompileResult result;
    SourceFolder folder = ReadSourceFolder(dir);
    result.problems = std::move(folder.problems);
    if (!result.problems.empty()) return result;
    for (const CatalogueFinding& f : ValidateCatalogue(folder.entries)) {
        if (f.manufIndex >= folder.entries.size()) {
            result.problems.push_back(
                fmt::format("{}: [{}] {}", dir.string(), f.problem.rule, f.problem.message));
            continue;
        }
        const DeviceDataFile::Entry& entry = folder.entries[f.manufIndex];
        std::string where =
            fmt::format("{}: {}", folder.files[f.manufIndex].string(), entry.manufacturer);
        if (f.deviceIndex) {
            const std::string name = entry.devices[*f.deviceIndex].DevName();
            where += ": " + (name.empty() ? fmt::format("device #{}", *f.deviceIndex) : name);
        }
        result.problems.push_back(
            fmt::format("{}: [{}] {}", where, f.problem.rule, f.problem.message));
    }
    if (result.problems.empty()) result.bytes = DeviceDataFile::Build(folder.entries);
    return result;
}

}  // namespace karvo::source
