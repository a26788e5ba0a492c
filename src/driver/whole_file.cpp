// Files written whole, alone or as one set: the temporary file beside the
// name, its flush to the disk, the rename, and the set's put-back.
#include "driver/whole_file.h"

namespace bearingpad {

WholeFile::WholeFile(FileAccess& files, std::string name, std::unique_ptr<WritableFile> file,
                     std::string temporary, bool existing, bool replace)
    : BlockReportSink(name, false),
      files_(files),
      name_(std::move(name)),
      file_(std::move(file)),
      temporary_(std::move(temporary)),
      existing_(existing),
      replace_(replace) {}

WholeFile::~WholeFile() {
    abandon();
}

std::optional<std::size_t> WholeFile::write_some(const char* bytes, std::size_t size) {
    if (!file_) return std::nullopt;
    return file_->write_some(bytes, size);
}

void WholeFile::finish() {
    try {
        flush();
    } catch (const RunTimeFailure&) {
        abandon();
        throw;
    }
}

bool WholeFile::close_synced(bool synced) {
    // A device is not synchronised: a terminal or a pipe refuses it.
    const bool ok = file_ && (synced || temporary_.empty() || file_->sync()) && file_->close();
    file_.reset();
    return ok;
}

void WholeFile::commit() {
    if (done_) return;
    finish();
    if (!close_synced(false)) fail(failure_write);
    if (!temporary_.empty()) {
        if (const std::optional<FileError> error =
                files_.rename_file(temporary_, name_, replace_)) {
            fail(put_failure_number(*error));
        }
    }
    done_ = true;
}

void WholeFile::abandon() {
    if (done_) return;
    done_ = true;
    file_.reset();
    if (!temporary_.empty()) files_.remove_file(temporary_);
}

void WholeFile::fail(int number) {
    abandon();
    throw RunTimeFailure{number, report_unit, name_};
}

std::unique_ptr<WholeFile> open_whole_file(FileAccess& files, const std::string& name,
                                           bool existing, bool replace) {
    // A new file's name must be free, as when it is created.
    if (!existing && !replace && files.exists(name)) {
        throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
    }
    if (existing) {
        if (std::unique_ptr<WritableFile> device = files.open_to_replace(name)) {
            return std::make_unique<WholeFile>(files, name, std::move(device), std::string(), true,
                                               true);
        }
    }
    TemporaryFile temporary = files.create_beside(name);
    return std::make_unique<WholeFile>(files, name, std::move(temporary.file),
                                       std::move(temporary.name), existing, existing || replace);
}

std::unique_ptr<WholeFile> open_report_file(FileAccess& files, const std::string& input_name,
                                            const std::string& report_name,
                                            const std::function<bool()>& may_replace,
                                            bool replace_taken) {
    if (!files.exists(report_name)) {
        return open_whole_file(files, report_name, false, replace_taken);
    }
    // Writing the report over the input file would destroy the problem.
    if (files.same_file(input_name, report_name)) {
        throw RunTimeFailure{failure_cannot_overwrite, report_unit, report_name};
    }
    if (!may_replace()) return nullptr;
    return open_whole_file(files, report_name, true, true);
}

void FileSet::add(std::unique_ptr<WholeFile> file, std::string shown) {
    Member m;
    m.name = file->name();
    m.file = std::move(file);
    m.shown = std::move(shown);
    members_.push_back(std::move(m));
}

void FileSet::remove(const std::string& name, std::string shown) {
    Member m;
    m.name = name;
    m.shown = std::move(shown);
    members_.push_back(std::move(m));
}

void FileSet::finish() {
    try {
        for (Member& m : members_) {
            if (m.file) m.file->finish();
        }
    } catch (const RunTimeFailure&) {
        abandon();
        throw;
    }
}

void FileSet::sync_group(FileAccess& files, const std::vector<FileSet*>& sets) {
    std::vector<WritableFile*> all;
    for (const FileSet* set : sets) {
        for (const Member& m : set->members_) {
            if (m.file && m.file->file_ && !m.file->temporary_.empty()) {
                all.push_back(m.file->file_.get());
            }
        }
    }
    if (all.empty() || !files.sync_together(all)) return;
    for (FileSet* set : sets) set->synced_ = true;
}

void FileSet::commit() {
    // Every file closed and on the disk.
    for (Member& m : members_) {
        if (m.file && !m.file->close_synced(synced_)) fail(failure_write, m.name);
    }
    // Every name checked before the first rename, and the renames made, with
    // the interruptions held and other runs kept out of the folder.
    struct Held {
        FileAccess& files;
        ~Held() { files.hold_interruptions(false, std::string()); }
    };
    files_.hold_interruptions(true, members_.empty() ? std::string() : members_.front().name);
    const Held held{files_};
    for (Member& m : members_) {
        m.held = files_.holds(m.name);
        const bool in_place = m.file && m.file->temporary_.empty();
        if (in_place) continue;
        if (m.held == NameHolds::folder) fail(failure_open, m.name);
        if (m.held == NameHolds::special) fail(failure_cannot_overwrite, m.name);
        if (m.file && !m.file->replace_ && m.held != NameHolds::nothing) {
            fail(failure_cannot_overwrite, m.name);
        }
    }
    for (Member& m : members_) {
        const bool in_place = m.file && m.file->temporary_.empty();
        if (in_place) {
            m.done = true;
            continue;
        }
        if (m.held == NameHolds::file) {
            FileAccess::SetAside aside = files_.set_aside(m.name, !m.file);
            if (aside.error) {
                put_back();
                fail(put_failure_number(*aside.error), m.name);
            }
            m.aside = std::move(aside.name);
        }
        if (m.file) {
            if (const std::optional<FileError> error =
                    files_.rename_file(m.file->temporary_, m.name, m.file->replace_)) {
                // The old file, kept aside, goes back with the others.
                m.done = !m.aside.empty();
                put_back();
                fail(put_failure_number(*error), m.name);
            }
            m.file->done_ = true;
        }
        m.done = true;
    }
    for (Member& m : members_) {
        if (!m.aside.empty() && files_.remove_file(m.aside)) {
            left_.push_back(RunTimeFailure{failure_write, report_unit, m.aside});
        }
    }
}

// The names already changed given back what they held, the last first.
void FileSet::put_back() {
    for (auto m = members_.rbegin(); m != members_.rend(); ++m) {
        if (!m->done) continue;
        const bool in_place = m->file && m->file->temporary_.empty();
        if (in_place) continue;
        if (!m->aside.empty()) {
            // A second link of the same file is left by the rename: removed.
            files_.rename_file(m->aside, m->name, true);
            files_.remove_file(m->aside);
        } else if (m->file) {
            files_.remove_file(m->name);
        }
        m->done = false;
        m->aside.clear();
    }
}

void FileSet::abandon() {
    for (Member& m : members_) {
        if (m.file) m.file->abandon();
    }
}

void FileSet::fail(int number, const std::string& name) {
    abandon();
    throw RunTimeFailure{number, report_unit, name};
}

std::vector<std::string> FileSet::names() const {
    std::vector<std::string> names;
    for (const Member& m : members_) names.push_back(m.name);
    return names;
}

std::string FileSet::unchanged() const {
    std::string text;
    for (const Member& m : members_) {
        if (!text.empty()) text += ", ";
        text += m.shown;
        text += !m.file ? " not removed" : m.file->replaces() ? " not replaced" : " not written";
    }
    return text;
}

}  // namespace bearingpad
