#include "store/FileReplacer.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Log.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kRandomLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kRandomLength = 6;
// A save takes milliseconds; a temporary file this old belongs to no save.
constexpr auto kStaleAge = std::chrono::hours(1);

std::string ErrorText(int error) {
  return std::strerror(error);
}

// Owns an open file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : mDescriptor(descriptor) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : mDescriptor(other.mDescriptor) {
    other.mDescriptor = -1;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&&) = delete;

  int Get() const { return mDescriptor; }

  bool Close() {
    if (mDescriptor < 0) return true;
    const int descriptor = mDescriptor;
    mDescriptor = -1;
    return ::close(descriptor) == 0;
  }

 private:
  int mDescriptor;
};

// The new file being written: removed again unless it took the old file's name.
class TemporaryFile {
 public:
  TemporaryFile(std::string path, int descriptor)
      : mPath(std::move(path)), mDescriptor(descriptor) {}
  ~TemporaryFile() {
    mDescriptor.Close();
    if (!mKept) ::unlink(mPath.c_str());
  }
  TemporaryFile(TemporaryFile&& other) noexcept
      : mPath(std::move(other.mPath)), mDescriptor(std::move(other.mDescriptor)) {
    other.mKept = true;
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  TemporaryFile& operator=(TemporaryFile&&) = delete;

  const std::string& Path() const { return mPath; }
  int Descriptor() const { return mDescriptor.Get(); }
  bool Close() { return mDescriptor.Close(); }
  void Keep() { mKept = true; }

 private:
  std::string mPath;
  FileDescriptor mDescriptor;
  bool mKept = false;
};

bool WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(descriptor, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A symbolic link keeps pointing at the settings it names: the file it leads
// to is the one replaced, not the link.
std::string ResolveLink(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path target = fs::canonical(path, error);
  return error ? path : target.string();
}

fs::path FolderOf(const std::string& path) {
  fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// Makes the rename itself durable. Best effort: some file systems refuse to
// sync a folder, and the file's contents are already on disk by then.
void SyncFolderOf(const std::string& path) {
  const int descriptor = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// The mode bits speak for everyone: a file whose every write bit is off was
// made read-only on purpose and stays as it is, also for root, whom the
// system would let write it all the same. Otherwise the file is read-only
// for us when the system would refuse to open it for writing.
bool IsReadOnly(const std::string& path, const struct stat& status) {
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return false;
  return errno == EACCES || errno == EPERM;
}

std::string RandomLetters() {
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, kRandomLetters.size() - 1);
  std::string letters(kRandomLength, ' ');
  for (char& letter : letters) letter = kRandomLetters[pick(generator)];
  return letters;
}

// A new, empty file "<path>.<process id>.<random>.tmp". The process id lets a
// later save tell a file of a run that was killed from one being written now;
// the random part keeps two saves of one process apart. Nothing, with the
// reason in error, when the folder takes no new file.
std::optional<TemporaryFile> CreateTemporary(const std::string& path, int& error) {
  const std::string prefix = path + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix + RandomLetters() + std::string(kTemporarySuffix);
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) return TemporaryFile(std::move(name), descriptor);
    if (errno != EEXIST) {
      error = errno;
      return std::nullopt;
    }
  }
  error = EEXIST;
  return std::nullopt;
}

bool ReplaceThroughTemporary(TemporaryFile& temporary, const std::string& target,
                             std::string_view text, std::string& error) {
  const std::string& temporaryPath = temporary.Path();
  if (!WriteAll(temporary.Descriptor(), text)) {
    error = "cannot write " + temporaryPath + ": " + ErrorText(errno);
    return false;
  }
  if (::fsync(temporary.Descriptor()) != 0) {
    error = "cannot flush " + temporaryPath + " to disk: " + ErrorText(errno);
    return false;
  }
  if (!temporary.Close()) {
    error = "cannot close " + temporaryPath + ": " + ErrorText(errno);
    return false;
  }
  if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
    error = "cannot replace the file with " + temporaryPath + ": " + ErrorText(errno);
    return false;
  }
  temporary.Keep();
  SyncFolderOf(target);
  return true;
}

// Overwrites the file itself. The room for a longer text is reserved before
// the first byte changes, so a full disk or a size limit fails the save with
// the old contents whole.
bool WriteInPlace(const std::string& path, off_t oldSize, std::string_view text,
                  std::string& error) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    error = "cannot open " + path + " for writing: " + ErrorText(errno);
    return false;
  }
  const auto newSize = static_cast<off_t>(text.size());
  if (newSize > oldSize) {
    const int reserved = ::posix_fallocate(file.Get(), 0, newSize);
    if (reserved != 0) {
      // A reservation that the C library had to emulate may have grown the file.
      if (::ftruncate(file.Get(), oldSize) != 0) {
        WriteLog("SaveHash: " + path + " could not be cut back to its old size");
      }
      error = "no room to write " + path + " in place: " + ErrorText(reserved);
      return false;
    }
  }
  if (!WriteAll(file.Get(), text) || ::ftruncate(file.Get(), newSize) != 0 ||
      ::fsync(file.Get()) != 0 || !file.Close()) {
    error = "writing " + path + " in place failed: " + ErrorText(errno);
    return false;
  }
  return true;
}

// The process id in a temporary name that IsTemporaryNameOf accepted.
pid_t ProcessOf(std::string_view name, std::string_view fileName) {
  const std::string_view digits = name.substr(fileName.size() + 1);
  pid_t process = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), process);
  return process;
}

bool IsProcessGone(pid_t process) {
  return ::kill(process, 0) != 0 && errno == ESRCH;
}

bool IsOlderThan(const fs::path& file, fs::file_time_type::duration age) {
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(file, error);
  return !error && fs::file_time_type::clock::now() - written > age;
}

}  // namespace

bool FileReplacer::IsTemporaryNameOf(std::string_view name, std::string_view fileName) {
  if (name.size() <= fileName.size() + 1 || !name.starts_with(fileName) ||
      name[fileName.size()] != '.' || !name.ends_with(kTemporarySuffix)) {
    return false;
  }
  // What lies between: "<digits>.<random letters>".
  std::string_view middle = name.substr(fileName.size() + 1);
  middle.remove_suffix(kTemporarySuffix.size());
  const size_t dot = middle.find('.');
  if (dot == 0 || dot == std::string_view::npos) return false;
  const std::string_view process = middle.substr(0, dot);
  const std::string_view letters = middle.substr(dot + 1);
  if (process.find_first_not_of("0123456789") != std::string_view::npos) return false;
  return letters.size() == kRandomLength &&
         letters.find_first_not_of(kRandomLetters) == std::string_view::npos;
}

void FileReplacer::RemoveStaleTemporaries(const std::string& path) {
  const std::string fileName = fs::path(path).filename().string();
  std::error_code error;
  fs::directory_iterator entry(FolderOf(path), error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (!IsTemporaryNameOf(name, fileName)) continue;
    const pid_t process = ProcessOf(name, fileName);
    const bool stale =
        (process != ::getpid() && IsProcessGone(process)) || IsOlderThan(entry->path(), kStaleAge);
    if (stale && ::unlink(entry->path().c_str()) == 0) {
      WriteLog("SaveHash: removed " + entry->path().string() + ", left by a save that never ended");
    }
  }
}

bool FileReplacer::Replace(const std::string& path, std::string_view text, std::string& error) {
  const std::string target = ResolveLink(path);
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (exists && IsReadOnly(target, status)) {
    error = target + " is read-only and stays as it is";
    return false;
  }
  RemoveStaleTemporaries(target);
  int createError = 0;
  std::optional<TemporaryFile> temporary = CreateTemporary(target, createError);
  if (!temporary) {
    if (!exists || !S_ISREG(status.st_mode)) {
      error = "cannot create a file beside " + target + ": " + ErrorText(createError);
      return false;
    }
    WriteLog("SaveHash: no new file can be made beside " + target + " (" + ErrorText(createError) +
             "); the file is written in place");
    return WriteInPlace(target, status.st_size, text, error);
  }
  // The new file keeps the permissions of the one it replaces.
  if (exists) ::fchmod(temporary->Descriptor(), status.st_mode & 07777);
  return ReplaceThroughTemporary(*temporary, target, text, error);
}
