#include "buffer/SaveFile.h"

#include "buffer/FormatTable.h"
#include "buffer/ReplacingFile.h"

namespace karvo {

bool SaveRangeFits(const SaveRequest& request, const MemoryBuffer& buffer) {
    return request.start <= request.end && request.end < buffer.Allocated;
}

bool WriteFileFormat(ByteSink& sink, const SaveRequest& request, const MemoryBuffer& buffer,
                     const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host) {
    const std::unique_ptr<FileWriter> writer = MakeWriter(request.format);
    if (!writer || !SaveRangeFits(request, buffer) || writer->Refusal(device)) return false;
    FileOutput out(sink);
    const std::int64_t capacity = static_cast<std::uint32_t>(device.LastAddr());
    ProgressGauge gauge(progress, capacity);
    SaveContext save{buffer, device, out, gauge, host, request.start, request.end, capacity};
    writer->Write(save);
    return out.Finish();
}

SaveEnd SaveFile(const std::string& path, const SaveRequest& request, const MemoryBuffer& buffer,
                 const DeviceRecord& device, FileProgressPort& progress, LoadSaveHost& host) {
    const std::unique_ptr<FileWriter> writer = MakeWriter(request.format);
    if (!writer) return SaveEnd::Unsupported;
    // Before the file is created: a refused save leaves any file as it was.
    if (const char* why = writer->Refusal(device)) {
        host.ShowRefusal(why);
        return SaveEnd::Refused;
    }
    if (!SaveRangeFits(request, buffer)) return SaveEnd::RangeRefused;
    ReplacingFile file;
    if (!file.Create(path)) {
        host.ShowFileError();
        return SaveEnd::NotCreated;
    }
    progress.Open(" Saving File.......");
    const bool written = WriteFileFormat(file, request, buffer, device, progress, host);
    const bool saved = written && file.Commit();
    progress.Close();
    if (!saved) {
        host.ShowFileError();
        return SaveEnd::WriteFailed;
    }
    return SaveEnd::Saved;
}

}  // namespace karvo
