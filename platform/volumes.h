#pragma once
// What the volume of an open folder does with names, as far as Linux lets it
// be known: the kind of its file system, from the system's number for it or,
// for a disk served through FUSE, from the disk itself; and whether its names
// ignore case, asked of the folder without writing anything.

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <optional>

namespace ramulo {

struct Volume {
    enum class Kind {
        ByteNames, // ext4, btrfs, tmpfs: names are bytes, compared as such
        Windows,   // FAT and exFAT: Windows names, case ignored
        Smb,       // a Windows share: case ignored
        Ntfs,      // NTFS through ntfs-3g: names in UTF-16 units, Linux's otherwise
        Other,
    } kind = Kind::Other;
    // Whether the folder's entries ignore case; nothing when that cannot be told.
    std::optional<bool> foldsCase;
};

// The file-system number statfs gives for every FUSE volume, disk or not.
inline constexpr std::uint32_t kFuseMagic = 0x65735546;

// The kind of a file system from its statfs number and, for a disk served
// through FUSE, the file-system type found on the disk ("exfat", "ntfs").
Volume::Kind kindOf(std::uint32_t magic, const QByteArray& diskType);

// The file-system type on a block device, as the desktop knows it: from the
// udev database, or else read from the device by libblkid. Empty when
// neither answers (a device the user may not read).
QByteArray diskType(std::uint64_t device);

// A file as the system tells it apart.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileId&) const = default;
};
using IdentityIn = std::function<std::optional<FileId>(int folder, const QByteArray& name)>;

// Whether the open folder's names ignore case, asked of the folder itself: an
// entry whose name changes with case is looked for under the changed name,
// and the same file found there means that case is ignored. Where no entry
// has such a name, the folder's own name `ownName` is tried within its
// parent on the same volume. Nothing when there is nothing to try.
std::optional<bool> probeCase(int folder, const QByteArray& ownName, const IdentityIn& identity);

} // namespace ramulo
