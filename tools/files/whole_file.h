// How rowshift-host reads and replaces whole files: with a limit on what it
// reads, and through a temporary file of a name no other file has, flushed to
// the disk before it is moved over the file, so a file is either the old one
// or the new one whole, even after a crash; when SIGINT, SIGTERM or SIGHUP
// stops the program, the temporary file is removed. A replaced file keeps its
// owner, group and permission bits. Every failure is the system's reason, in
// its words.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace rowshift::tool {

// The most bytes a file or standard input may hold; more is refused unread.
inline constexpr std::size_t kLargestFileRead = std::size_t{256} << 20;

// Reads all of `stream` into `text`, at most kLargestFileRead bytes. The
// reason when it cannot, or when there is more.
std::optional<std::string> ReadWholeStream(std::FILE* stream, std::string* text);

// The same for the file at `path`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* text);

// The file `path` names: for a symbolic link, the file at the end of its links
// (each relative target taken from the link's folder), with the links of its
// folders resolved too; otherwise the path itself. The end need not exist.
// None for a loop of links or a link that cannot be read.
std::optional<std::string> LinkedFile(const std::string& path);

// Replaces the file at `file` (no link: see LinkedFile) with `bytes`: they are
// written to a new file of a unique name in the same folder, which gets the
// owner, group and permission bits of `file` before any byte is written, is
// flushed to the disk and then moved over it; the folder is flushed after the
// move. A file that CannotReplace refuses is refused, with the same reason. A
// failure before the move, or an interruption, leaves `file` as it was and
// removes what it made.
std::optional<std::string> ReplaceFile(const std::string& file, const std::string& bytes);

// Why ReplaceFile could not replace `file` now, or nothing: a folder, a
// device, pipe or socket, a file marked read-only (no write permission for
// its owner; refused also for a user, such as root, who could write it
// anyway), a file with other hard links (a new file would part it from
// them), a file this user may not write, a folder it cannot make a file in
// (named in the reason), or a file whose owner and group this user cannot
// give a new file. Changes nothing: the temporary file it makes to find out,
// the first step of ReplaceFile, is removed again.
std::optional<std::string> CannotReplace(const std::string& file);

// Whether the two paths name one file, as the system resolves them: through
// links and relative paths, whether or not the file exists yet.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace rowshift::tool
