#include "platform/volumes.h"

#include <QFile>
#include <QString>

#ifdef Q_OS_LINUX
#include <blkid/blkid.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace ramulo {

Volume::Kind kindOf(std::uint32_t magic, const QByteArray& diskType) {
    switch (magic) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x9123683E: // btrfs
    case 0x01021994: // tmpfs
        return Volume::Kind::ByteNames;
    case 0x4d44:     // FAT
    case 0x2011BAB0: // exFAT
        return Volume::Kind::Windows;
    case 0xFF534D42: // SMB
    case 0xFE534D42: // SMB2
        return Volume::Kind::Smb;
    case kFuseMagic:
        // exfat-fuse keeps a name's final dot and takes the names Windows
        // refuses, but the disk goes to Windows, as the kernel's FAT does.
        if (diskType == "exfat" || diskType == "vfat" || diskType == "msdos")
            return Volume::Kind::Windows;
        if (diskType == "ntfs" || diskType == "ntfs3")
            return Volume::Kind::Ntfs;
        return Volume::Kind::Other;
    default:
        return Volume::Kind::Other;
    }
}

#ifdef Q_OS_LINUX
QByteArray diskType(std::uint64_t device) {
    QFile udev(QStringLiteral("/run/udev/data/b%1:%2").arg(major(device)).arg(minor(device)));
    if (udev.open(QIODevice::ReadOnly))
        while (!udev.atEnd())
            if (const QByteArray line = udev.readLine().trimmed(); line.startsWith("E:ID_FS_TYPE="))
                return line.mid(13);

    char* const name = blkid_devno_to_devname(device);
    if (!name)
        return {};
    QByteArray type;
    if (blkid_probe probe = blkid_new_probe_from_filename(name)) {
        blkid_probe_enable_superblocks(probe, 1);
        blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE);
        const char* found = nullptr;
        if (blkid_do_safeprobe(probe) == 0 &&
            blkid_probe_lookup_value(probe, "TYPE", &found, nullptr) == 0)
            type = found;
        blkid_free_probe(probe);
    }
    std::free(name);
    return type;
}

namespace {
// The name with its case changed, where it has letters that change.
std::optional<QByteArray> otherCase(const QByteArray& name) {
    const QString text = QString::fromUtf8(name);
    QString other = text.toUpper();
    if (other == text)
        other = text.toLower();
    if (other == text || text.toUtf8() != name)
        return std::nullopt;
    return other.toUtf8();
}

// The same file under both spellings, or not.
std::optional<bool> sameUnder(int folder, const QByteArray& name, const IdentityIn& identity) {
    const auto other = otherCase(name);
    const auto mine = other ? identity(folder, name) : std::nullopt;
    if (!mine)
        return std::nullopt;
    return identity(folder, *other) == mine;
}
} // namespace

std::optional<bool> probeCase(int folder, const QByteArray& ownName, const IdentityIn& identity) {
    // A folder of thousands of numbered names is not read whole for a letter.
    constexpr int kMostRead = 1000;
    const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR* const listing = copy < 0 ? nullptr : ::fdopendir(copy)) {
        std::optional<bool> answer;
        for (int read = 0; !answer && read < kMostRead; ++read) {
            const dirent* entry = ::readdir(listing);
            if (!entry)
                break;
            if (const QByteArray name(entry->d_name); name != "." && name != "..")
                answer = sameUnder(folder, name, identity);
        }
        ::closedir(listing);
        if (answer)
            return answer;
    } else if (copy >= 0) {
        ::close(copy);
    }

    // The folder within its parent, when both are on one volume.
    const auto self = identity(folder, ".");
    const int parent = ::openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return std::nullopt;
    const auto above = identity(parent, ".");
    std::optional<bool> answer;
    if (self && above && above->device == self->device && identity(parent, ownName) == self)
        answer = sameUnder(parent, ownName, identity);
    ::close(parent);
    return answer;
}
#else
QByteArray diskType(std::uint64_t) {
    return {};
}

std::optional<bool> probeCase(int, const QByteArray&, const IdentityIn&) {
    return std::nullopt;
}
#endif

} // namespace ramulo
