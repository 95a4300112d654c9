#include "library/VolumeList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <system_error>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"

namespace {

namespace fs = std::filesystem;

// File systems that never hold the user's files: kernel interfaces, memory
// file systems, container layers and snap images.
constexpr std::string_view kPseudoFileSystems[] = {"proc",          "sysfs",
                                                   "cgroup",        "cgroup2",
                                                   "tmpfs",         "ramfs",
                                                   "overlay",       "aufs",
                                                   "devtmpfs",      "devpts",
                                                   "securityfs",    "debugfs",
                                                   "tracefs",       "fusectl",
                                                   "configfs",      "mqueue",
                                                   "hugetlbfs",     "pstore",
                                                   "bpf",           "autofs",
                                                   "binfmt_misc",   "nsfs",
                                                   "squashfs",      "efivarfs",
                                                   "rpc_pipefs",    "nfsd",
                                                   "selinuxfs",     "none",
                                                   "swap",          "fuse.gvfsd-fuse",
                                                   "fuse.portal",   "fuse.lxcfs",
                                                   "fuse.snapfuse", "fuse.xdg-document-portal",
                                                   "shiftfs",       "functionfs",
                                                   "ecryptfs",      "zonefs"};

constexpr std::string_view kNetworkFileSystems[] = {
    "nfs", "nfs4",        "cifs",  "smb3", "smbfs",     "fuse.sshfs", "sshfs",
    "9p",  "fuse.davfs2", "davfs", "ceph", "glusterfs", "afs",        "fuse.rclone"};

// Pools whose mounts name a dataset rather than a device.
constexpr std::string_view kPoolFileSystems[] = {"zfs"};

// Folders of the system itself; volumes mounted inside them are not shown.
// Removable media mounted under /run/media are the exception.
constexpr std::string_view kSystemFolders[] = {"/proc", "/sys", "/dev", "/run", "/boot", "/efi",
                                               "/snap", "/etc", "/usr", "/var", "/tmp"};

template <size_t N>
bool Contains(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool IsInsideFolder(std::string_view path, std::string_view folder) {
  if (!path.starts_with(folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == '/';
}

bool IsInSystemFolder(std::string_view mountPath) {
  if (IsInsideFolder(mountPath, "/run/media")) return false;
  return std::any_of(std::begin(kSystemFolders), std::end(kSystemFolders),
                     [&](std::string_view folder) { return IsInsideFolder(mountPath, folder); });
}

bool IsOctalDigit(char c) {
  return c >= '0' && c <= '7';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t position = 0;
  while (position < line.size()) {
    const size_t end = line.find(' ', position);
    const size_t stop = end == std::string_view::npos ? line.size() : end;
    if (stop > position) fields.push_back(line.substr(position, stop - position));
    position = stop + 1;
  }
  return fields;
}

std::string LabelFor(const MountEntry& entry, const DiskLabelLookup& labelOf) {
  if (IsNetworkFileSystem(entry.fileSystem)) return entry.source;
  if (entry.source.starts_with("/dev/")) {
    std::string label = labelOf ? labelOf(entry) : std::string();
    return label.empty() ? FileNameOf(entry.source) : label;
  }
  if (entry.source.empty() || entry.source == "none") return entry.fileSystem;
  return entry.source;
}

std::string ReadWholeFile(const std::string& path, bool& ok) {
  std::ifstream file(path, std::ios::binary);
  ok = static_cast<bool>(file);
  if (!ok) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Canonical device path -> label, from the symlinks of /dev/disk/by-label.
std::map<std::string, std::string> ReadDiskLabels() {
  std::map<std::string, std::string> labels;
  std::error_code error;
  fs::directory_iterator it("/dev/disk/by-label", error);
  if (error) return labels;  // No labelled disks (or no udev): device names serve.
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    const fs::path target = fs::canonical(it->path(), error);
    if (error) continue;
    labels[target.string()] = DecodeLabelName(it->path().filename().string());
  }
  return labels;
}

}  // namespace

std::string DecodeMountEscapes(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && IsOctalDigit(text[i + 1]) &&
        IsOctalDigit(text[i + 2]) && IsOctalDigit(text[i + 3])) {
      const int value = (text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0');
      if (value <= 0xFF) {
        decoded += static_cast<char>(value);
        i += 3;
        continue;
      }
    }
    decoded += text[i];
  }
  return decoded;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  size_t position = 0;
  int32_t lineNumber = 0;
  while (position < text.size()) {
    const size_t end = text.find('\n', position);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view line = text.substr(position, stop - position);
    position = stop + 1;
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;

    const std::vector<std::string_view> fields = SplitFields(line);
    // Six fixed fields, optional tagged fields, "-", then type, source and options.
    const auto separator = std::find(fields.begin() + std::min<size_t>(fields.size(), 6),
                                     fields.end(), std::string_view("-"));
    if (fields.size() < 6 || separator == fields.end() || fields.end() - separator < 3) {
      WriteLog("ParseMountInfo: line " + std::to_string(lineNumber) +
               " skipped, malformed: " + std::string(line));
      continue;
    }
    MountEntry entry;
    entry.device = std::string(fields[2]);
    entry.root = DecodeMountEscapes(fields[3]);
    entry.mountPath = DecodeMountEscapes(fields[4]);
    entry.fileSystem = std::string(separator[1]);
    entry.source = DecodeMountEscapes(separator[2]);
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool IsNetworkFileSystem(std::string_view fileSystem) {
  return Contains(kNetworkFileSystems, fileSystem);
}

bool IsVolumeWorthShowing(const MountEntry& entry) {
  if (!entry.mountPath.starts_with('/')) return false;
  if (Contains(kPseudoFileSystems, entry.fileSystem)) return false;
  if (IsInSystemFolder(entry.mountPath)) return false;
  if (IsNetworkFileSystem(entry.fileSystem)) return true;
  if (Contains(kPoolFileSystems, entry.fileSystem)) return true;
  return entry.source.starts_with("/dev/");
}

std::vector<MountedVolume> SelectVolumes(const std::vector<MountEntry>& entries,
                                         const DiskLabelLookup& labelOf) {
  // The topmost mount of each folder is the one a user sees there.
  std::map<std::string, const MountEntry*> topmost;
  for (const MountEntry& entry : entries) topmost[entry.mountPath] = &entry;

  std::set<std::string> wholeDevices;  // devices listed with their whole file system
  std::vector<const MountEntry*> shown;
  for (const auto& [mountPath, entry] : topmost) {
    if (mountPath == "/" || !IsVolumeWorthShowing(*entry)) continue;
    shown.push_back(entry);
    if (entry->root == "/") wholeDevices.insert(entry->device);
  }
  const auto rootEntry = topmost.find("/");
  if (rootEntry != topmost.end() && rootEntry->second->root == "/") {
    wholeDevices.insert(rootEntry->second->device);
  }

  std::vector<MountedVolume> volumes;
  volumes.push_back(MountedVolume{
      "/", rootEntry == topmost.end() ? std::string("root") : LabelFor(*rootEntry->second, labelOf),
      true});
  for (const MountEntry* entry : shown) {
    // A bind mount of a sub-folder repeats part of a volume that is listed whole.
    if (entry->root != "/" && wholeDevices.contains(entry->device)) continue;
    volumes.push_back(MountedVolume{entry->mountPath, LabelFor(*entry, labelOf), true});
  }
  std::sort(volumes.begin() + 1, volumes.end(), [](const MountedVolume& a, const MountedVolume& b) {
    return CompareNatural(a.mountPath, b.mountPath) < 0;
  });
  return volumes;
}

std::string DecodeLabelName(std::string_view name) {
  std::string decoded;
  decoded.reserve(name.size());
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
      const int high = HexValue(name[i + 2]);
      const int low = HexValue(name[i + 3]);
      if (high >= 0 && low >= 0) {
        decoded += static_cast<char>(high * 16 + low);
        i += 3;
        continue;
      }
    }
    decoded += name[i];
  }
  return decoded;
}

bool IsVolumeReady(const std::string& mountPath) {
  std::error_code error;
  fs::directory_iterator it(mountPath, error);
  return !error;
}

std::vector<MountedVolume> ReadVolumeList() {
  bool ok = false;
  const std::string text = ReadWholeFile("/proc/self/mountinfo", ok);
  if (!ok) WriteLog("ReadVolumeList: cannot read /proc/self/mountinfo; only / is listed");

  const std::map<std::string, std::string> labels = ReadDiskLabels();
  const DiskLabelLookup labelOf = [&labels](const MountEntry& entry) -> std::string {
    std::error_code error;
    const fs::path device = fs::canonical(entry.source, error);
    const auto found = labels.find(error ? entry.source : device.string());
    return found == labels.end() ? std::string() : found->second;
  };

  std::vector<MountedVolume> volumes = SelectVolumes(ParseMountInfo(text), labelOf);
  // FIXME: a hard-mounted network share whose server has gone blocks here
  // until the server answers; a timed check would need a thread.
  for (MountedVolume& volume : volumes) volume.ready = IsVolumeReady(volume.mountPath);
  return volumes;
}
