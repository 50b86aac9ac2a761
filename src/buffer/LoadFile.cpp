#include "buffer/LoadFile.h"

#include <fmt/format.h>

#include "buffer/FormatTable.h"
#include "buffer/HexText.h"
#include "buffer/LoadContext.h"

namespace karvo {

namespace {
LoadOutcome Ended(LoadEnd end) {
    LoadOutcome outcome;
    outcome.end = end;
    return outcome;
}

void ReportLoaded(const LoadContext& load, const std::string& path, LoadSaveHost& host) {
    const Family family = load.device.Family();
    host.LogLine("");
    host.LogLine(" File " + path + " Loaded");
    // Word and fuse files have no load addresses worth telling.
    if (family != Family::Pic && family != Family::Logic) {
        host.LogLine(fmt::format(" Highest Load Address : {:X}", load.HighestLoaded()));
        host.LogLine(fmt::format(" Lowest Load Address  : {:X}", load.LowestLoaded()));
    }
    if (load.areas.data) host.LogLine(" WARNING not present in file : DATA");
    if (load.areas.config) host.LogLine(" WARNING not present in file : CONFIG");
    if (load.areas.id) host.LogLine(" WARNING not present in file : ID");
    if (load.biggerThanDevice && family != Family::Pic)
        host.LogLine(" File bigger than selected device");
}

// A format that cannot hold the part is refused before anything is touched.
bool Refused(const FileReader& reader, const DeviceRecord& device, LoadSaveHost& host) {
    const char* why = reader.Refusal(device);
    if (why != nullptr) host.ShowRefusal(why);
    return why != nullptr;
}

LoadOutcome ReadInto(FileReader& reader, ByteSource& source, const std::string& path,
                     const LoadRequest& request, MemoryBuffer& buffer, const DeviceRecord& device,
                     FileProgressPort& progress, LoadSaveHost& host) {
    FileInput in(source);
    buffer.AllocateForLoad(device);
    buffer.FillForLoad(device, request.fill);
    ProgressGauge gauge(progress, LoadContext::Capacity(device));
    LoadContext load(in, buffer, device, request.offset, gauge, host);
    load.areas = LoadContext::ExpectedAreas(device);

    progress.Open(" Loading File.......");
    LoadOutcome outcome;
    try {
        outcome.result = reader.Read(load);
    } catch (const HexConversionError& e) {
        load.Commit();
        progress.Close();
        LoadOutcome stopped = Ended(LoadEnd::ConversionError);
        stopped.conversionError = e.what();
        return stopped;
    } catch (const FileReadError&) {
        host.ShowFileError();
        outcome.result = LoadResult::ResultReadFailure;
    } catch (const FileEndedInRecord&) {
        // Not a medium fault: the file is simply not complete.
        outcome.result = reader.NotThisFormat();
    }
    load.Commit();

    if (load.WrongFormatLine() != nullptr) {
        outcome.end = LoadEnd::WrongFormat;
        host.LogLine(" ");
        host.LogLine(load.WrongFormatLine());
    } else if (outcome.result != LoadResult::ResultNone) {
        host.PlayError();
        const std::string line = LoadResultLine(outcome.result);
        if (!line.empty()) host.LogLine(line);
    } else {
        ReportLoaded(load, path, host);
    }
    progress.Close();
    return outcome;
}
}  // namespace

LoadOutcome LoadFromSource(ByteSource& source, const std::string& path, const LoadRequest& request,
                           MemoryBuffer& buffer, const DeviceRecord& device,
                           FileProgressPort& progress, LoadSaveHost& host) {
    const std::unique_ptr<FileReader> reader = MakeReader(request.format);
    if (!reader) return Ended(LoadEnd::Unsupported);
    if (Refused(*reader, device, host)) return Ended(LoadEnd::Refused);
    return ReadInto(*reader, source, path, request, buffer, device, progress, host);
}

LoadOutcome LoadFile(const std::string& path, const LoadRequest& request, MemoryBuffer& buffer,
                     const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host) {
    const std::unique_ptr<FileReader> reader = MakeReader(request.format);
    if (!reader) return Ended(LoadEnd::Unsupported);
    if (Refused(*reader, device, host)) return Ended(LoadEnd::Refused);
    const std::unique_ptr<FdSource> source = FdSource::Open(path);
    if (!source) {
        host.ShowFileError();
        return Ended(LoadEnd::NotOpened);
    }
    return ReadInto(*reader, *source, path, request, buffer, device, progress, host);
}

}  // namespace karvo
