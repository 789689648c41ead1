#pragma once

#include <QtGlobal>

// What an archive, and a package in either storage form, may hold at most. Script packages and
// fixtures hold a few text files; the limits keep a hostile or broken one from filling the disk
// or the memory (a member of zeros that inflates a thousandfold, entries that share their data)
// while leaving room for any real package. docs/archives.md gives the reasons.
namespace ArchiveLimits {

// Uncompressed bytes of all entries together.
constexpr qint64 kMaximumTotalSize = qint64(256) * 1024 * 1024;
constexpr qint64 kMaximumEntries = 10000;
// Uncompressed bytes per compressed byte of one entry.
constexpr qint64 kMaximumCompressionRatio = 1000;

constexpr qint64 kBytesPerMegabyte = 1024 * 1024;

} // namespace ArchiveLimits
