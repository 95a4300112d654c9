#include "store/HashFileWriter.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/Conversions.h"

namespace {

std::string ErrorText() {
  return std::strerror(errno);
}

// Closes the descriptor and removes the temporary file unless the file was
// handed over to its final name.
class TemporaryFile {
 public:
  TemporaryFile(std::string path, int descriptor)
      : mPath(std::move(path)), mDescriptor(descriptor) {}
  ~TemporaryFile() {
    if (mDescriptor >= 0) ::close(mDescriptor);
    if (!mKept) ::unlink(mPath.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Descriptor() const { return mDescriptor; }

  bool Close() {
    const int descriptor = mDescriptor;
    mDescriptor = -1;
    return ::close(descriptor) == 0;
  }
  void Keep() { mKept = true; }

 private:
  std::string mPath;
  int mDescriptor;
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
  if (!std::filesystem::is_symlink(path, error)) return path;
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

// Makes the rename itself durable. Best effort: some file systems refuse to
// sync a folder, and the file's contents are already on disk by then.
void SyncFolderOf(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// A whole double beyond the 32-bit range keeps a ".0": without a point the
// reader takes a number for a 32-bit integer, which it does not fit.
std::string FormatDouble(double number) {
  std::string text = FormatDecimal(number);
  const bool fitsInteger = number >= std::numeric_limits<int32_t>::min() &&
                           number <= std::numeric_limits<int32_t>::max();
  if (!fitsInteger && text.find('.') == std::string::npos) text += ".0";
  return text;
}

}  // namespace

bool HashFileWriter::AppendLine(std::string& text, std::string_view key, const HashValue& value,
                                std::string& error) {
  text += '"';
  text += key;
  text += "\",";
  switch (value.Kind()) {
    case HashValueKind::Empty:
      text += "\"\"";
      break;
    case HashValueKind::Null:
      text += "#NULL#";
      break;
    case HashValueKind::Integer16:
    case HashValueKind::Integer32:
      text += value.ToText();
      break;
    case HashValueKind::Double:
      if (!std::isfinite(value.Double())) {
        error = "the value of " + std::string(key) + " is not a finite number";
        return false;
      }
      text += FormatDouble(value.Double());
      break;
    case HashValueKind::Boolean:
      text += value.ToText() == "True" ? "#TRUE#" : "#FALSE#";
      break;
    case HashValueKind::DateTime:
      text += '#';
      text += value.ToText();
      text += '#';
      break;
    case HashValueKind::Text:
      text += '"';
      text += value.Text();
      text += '"';
      break;
  }
  text += "\r\n";
  return true;
}

std::string HashFileWriter::TemporaryPathOf(const std::string& path) {
  return path + ".tmp";
}

bool HashFileWriter::ReplaceFile(const std::string& path, std::string_view text,
                                 std::string& error) {
  const std::string target = ResolveLink(path);
  const std::string temporaryPath = TemporaryPathOf(target);
  const int descriptor =
      ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    error = "cannot create " + temporaryPath + ": " + ErrorText();
    return false;
  }
  TemporaryFile temporary(temporaryPath, descriptor);

  // The new file keeps the permissions of the one it replaces.
  struct stat status {};
  if (::stat(target.c_str(), &status) == 0) ::fchmod(descriptor, status.st_mode & 07777);

  if (!WriteAll(descriptor, text)) {
    error = "cannot write " + temporaryPath + ": " + ErrorText();
    return false;
  }
  if (::fsync(descriptor) != 0) {
    error = "cannot flush " + temporaryPath + " to disk: " + ErrorText();
    return false;
  }
  if (!temporary.Close()) {
    error = "cannot close " + temporaryPath + ": " + ErrorText();
    return false;
  }
  if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
    error = "cannot replace the file with " + temporaryPath + ": " + ErrorText();
    return false;
  }
  temporary.Keep();
  SyncFolderOf(target);
  return true;
}
