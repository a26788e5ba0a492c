#include "memory_files.h"

#include <algorithm>

namespace bearingpad {

namespace {

// The bytes of a file, split into records as the system's files are.
class MemoryInputFile : public RecordInputFile {
  public:
    MemoryInputFile(std::string data, std::string name)
        : RecordInputFile(std::move(name)), data_(std::move(data)) {}

  private:
    std::optional<std::size_t> read_some(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, data_.size() - pos_);
        data_.copy(buffer, n, pos_);
        pos_ += n;
        return n;
    }

    std::string data_;
    std::size_t pos_ = 0;
};

class MemoryReportSink : public OutputSink {
  public:
    MemoryReportSink(MemoryFileAccess& fs, std::string name, bool cut)
        : fs_(fs), name_(std::move(name)), cut_pending_(cut) {}

    void write(std::string_view bytes) override {
        std::string& file = fs_.files[name_];
        if (cut_pending_) {
            file.clear();
            cut_pending_ = false;
        }
        if (fs_.report_capacity >= 0) {
            const auto room = static_cast<std::size_t>(fs_.report_capacity) -
                              std::min(file.size(), static_cast<std::size_t>(fs_.report_capacity));
            if (bytes.size() > room) {
                file.append(bytes.substr(0, room));
                throw RunTimeFailure{failure_write, report_unit, name_};
            }
        }
        file.append(bytes);
    }

  private:
    MemoryFileAccess& fs_;
    std::string name_;
    bool cut_pending_;
};

// A temporary file: the bytes go to the file of its name, as far as the
// capacity allows.
class MemoryWritableFile : public WritableFile {
  public:
    MemoryWritableFile(MemoryFileAccess& fs, std::string name) : fs_(fs), name_(std::move(name)) {}
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override {
        std::string& file = device_ ? fs_.devices[name_] : fs_.files[name_];
        std::size_t n = size;
        if (fs_.report_capacity >= 0) {
            const auto capacity = static_cast<std::size_t>(fs_.report_capacity);
            n = std::min(n, capacity - std::min(file.size(), capacity));
        }
        if (n == 0) return std::nullopt;
        file.append(bytes, n);
        return n;
    }
    bool sync() override { return !fs_.refuse_sync; }
    // A device keeps its bytes under its own name.
    static std::unique_ptr<MemoryWritableFile> device(MemoryFileAccess& fs, std::string name) {
        auto file = std::make_unique<MemoryWritableFile>(fs, std::move(name));
        file->device_ = true;
        return file;
    }
    bool close() override { return !fs_.refuse_close; }

  private:
    MemoryFileAccess& fs_;
    std::string name_;
    bool device_ = false;
};

}  // namespace

std::string MemoryFileAccess::absolute_name(std::string_view name) {
    if (!name.empty() && name.front() == '/') return std::string(name);
    return current_directory + "/" + std::string(name);
}

std::unique_ptr<InputFile> MemoryFileAccess::open_input(const std::string& name) {
    if (access_denied.count(name)) throw RunTimeFailure{failure_access_denied, input_unit, name};
    if (directories.count(name)) throw RunTimeFailure{failure_open, input_unit, name};
    const auto it = files.find(name);
    if (it == files.end()) throw RunTimeFailure{failure_file_not_found, input_unit, name};
    return std::make_unique<MemoryInputFile>(it->second, name);
}

bool MemoryFileAccess::exists(const std::string& name) {
    return files.count(name) != 0 || directories.count(name) != 0 || devices.count(name) != 0;
}

bool MemoryFileAccess::same_file(const std::string& a, const std::string& b) {
    return a == b && exists(a);
}

std::unique_ptr<OutputSink> MemoryFileAccess::create_report(const std::string& name) {
    if (exists(name)) throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
    if (access_denied.count(name)) throw RunTimeFailure{failure_access_denied, report_unit, name};
    files[name];
    return std::make_unique<MemoryReportSink>(*this, name, false);
}

std::unique_ptr<OutputSink> MemoryFileAccess::reopen_report(const std::string& name) {
    if (vanish_before_reopen.count(name)) files.erase(name);
    if (directories.count(name)) throw RunTimeFailure{failure_open, report_unit, name};
    if (access_denied.count(name)) throw RunTimeFailure{failure_access_denied, report_unit, name};
    if (!files.count(name)) throw RunTimeFailure{failure_file_not_found, report_unit, name};
    return std::make_unique<MemoryReportSink>(*this, name, true);
}

std::unique_ptr<WritableFile> MemoryFileAccess::open_to_replace(const std::string& name) {
    if (vanish_before_reopen.count(name)) files.erase(name);
    if (directories.count(name)) throw RunTimeFailure{failure_open, report_unit, name};
    if (access_denied.count(name)) throw RunTimeFailure{failure_access_denied, report_unit, name};
    if (devices.count(name)) return MemoryWritableFile::device(*this, name);
    if (!files.count(name)) throw RunTimeFailure{failure_file_not_found, report_unit, name};
    return nullptr;
}

// A refused name stands for a folder that refuses a new file.
TemporaryFile MemoryFileAccess::create_beside(const std::string& name) {
    if (access_denied.count(name)) throw RunTimeFailure{failure_access_denied, report_unit, name};
    const std::string temporary = name + ".~bp" + std::to_string(++temporaries_made_) + ".tmp";
    files[temporary];
    if (const auto racing = appear_at_create.find(name); racing != appear_at_create.end()) {
        files[name] = racing->second;
    }
    return {std::make_unique<MemoryWritableFile>(*this, temporary), temporary};
}

std::optional<FileError> MemoryFileAccess::rename_file(const std::string& from,
                                                       const std::string& to, bool replace) {
    if (refuse_rename || refuse_rename_to.count(to)) return FileError::other;
    if (!held_) ++renames_not_held;
    if (!replace && exists(to)) return FileError::exists;
    if (directories.count(to)) return FileError::is_folder;
    std::string bytes = std::move(files[from]);
    files.erase(from);
    files[to] = std::move(bytes);
    return std::nullopt;
}

NameHolds MemoryFileAccess::holds(const std::string& name) {
    if (directories.count(name)) return NameHolds::folder;
    if (devices.count(name)) return NameHolds::special;
    return files.count(name) ? NameHolds::file : NameHolds::nothing;
}

MemoryFileAccess::SetAside MemoryFileAccess::set_aside(const std::string& name, bool move) {
    if (refuse_set_aside.count(name)) return {std::string(), FileError::access_denied};
    const std::string aside = name + ".~bp" + std::to_string(++temporaries_made_) + ".old";
    files[aside] = files[name];
    if (move) files.erase(name);
    return {aside, std::nullopt};
}

std::optional<FileError> MemoryFileAccess::remove_file(const std::string& name) {
    if (refuse_remove.count(name)) return FileError::access_denied;
    files.erase(name);
    return std::nullopt;
}

std::string MemoryFileAccess::written_name(const std::string& name) {
    return name;
}

}  // namespace bearingpad
