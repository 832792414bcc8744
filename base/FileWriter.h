#pragma once

#include <string>
#include <string_view>

namespace base {

// Replaces the whole file at path with bytes, or throws and leaves it as it
// was. The bytes go to a temporary file of this write's own beside it
// ("<file>.<process>-<n>.saving", created new, so that two writers at once,
// in one process or in two, never share one), which is flushed to the disk,
// renamed over the file, and the folder flushed in turn: a crash at any
// moment leaves the old file or the new one, never a mix. A failed write
// removes its temporary file; a file whose name is as long as the file
// system allows cannot be written, as no temporary name fits beside it.
// The replacement keeps the old file's permissions; a new file gets those
// the umask allows. A symbolic link is written through: the file it leads
// to is replaced, the link stays.
//
// Every failure is a std::runtime_error whose message is
// "<path>: cannot be written: <problem>". For files written whole (levels,
// settings); a file written as it goes, a recording or a trace, has its own
// writer.
void writeWholeFile(const std::string& path, std::string_view bytes);

}  // namespace base
