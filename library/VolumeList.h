#pragma once

// The volume list: "/" and every mounted volume a user would want to browse
// (disks, removable media, network shares), read from the kernel's mount table
// (/proc/self/mountinfo). Pseudo file systems, system folders and snap images
// never appear. The parser takes text and returns values; ReadVolumeList is the
// thin layer that reads the machine's mount table, disk labels and readiness.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One line of the mount table, its escapes ("\040" for a space) decoded.
struct MountEntry {
  std::string device;      // "major:minor" of the mounted file system
  std::string root;        // folder of the file system that is mounted ("/" unless a bind mount)
  std::string mountPath;   // where it is mounted, e.g. "/media/usb"
  std::string fileSystem;  // e.g. "ext4", "vfat", "nfs4", "fuse.sshfs"
  std::string source;      // e.g. "/dev/sdb1", "server:/export/music", "//server/music"
};

// One row of the volume list.
struct MountedVolume {
  std::string mountPath;  // "/" or a folder without a trailing "/", e.g. "/media/usb"
  std::string label;      // disk label, share name, device name or file-system name
  bool ready = true;      // false when the mount point cannot be read
};

// All well-formed lines of a mount table in their order. A malformed line is
// logged and skipped; nothing else is judged here.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// Replaces the octal escapes of the mount table ("\040" space, "\011" tab,
// "\012" line feed, "\134" backslash) by the bytes they stand for.
std::string DecodeMountEscapes(std::string_view text);

// True for file systems that reach another machine (NFS, SMB, SSHFS, ...);
// their rows show the share instead of a label.
bool IsNetworkFileSystem(std::string_view fileSystem);

// True when the mount is a volume worth showing: a block device, a disk pool or
// a network share, mounted outside the system's own folders, and not a pseudo
// file system or a snap image. "/" is not judged here: it is always listed.
bool IsVolumeWorthShowing(const MountEntry& entry);

// Gives the disk label of a block device mount, or empty when it has none.
using DiskLabelLookup = std::function<std::string(const MountEntry& entry)>;

// The rows of the volume list from the mount table: "/" first, then the other
// volumes by mount path in natural order. When a folder is mounted over, the
// topmost mount decides; a bind mount of part of a volume already listed is
// left out. Labels: network shares show the share, block devices their disk
// label (else the device name), others their source (a pool's dataset), else
// the file-system name. Every row is marked ready; readiness is the caller's
// to check.
std::vector<MountedVolume> SelectVolumes(const std::vector<MountEntry>& entries,
                                         const DiskLabelLookup& labelOf);

// Decodes a name of /dev/disk/by-label, where udev writes unsafe bytes as
// "\xHH" ("My\x20Music" is "My Music").
std::string DecodeLabelName(std::string_view name);

// True when the folder can be opened and listed.
bool IsVolumeReady(const std::string& mountPath);

// The machine's volume list: /proc/self/mountinfo, labels from the symlinks of
// /dev/disk/by-label, and each volume checked for readiness. Never throws;
// when the mount table cannot be read (logged), the list holds only "/".
std::vector<MountedVolume> ReadVolumeList();
