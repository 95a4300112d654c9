#include "platform/PictureCache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/Log.h"

namespace {

constexpr std::array<char, 8> kMagic{'T', 'V', 'Z', 'P', 'I', 'C', '2', '\0'};
// Beyond this a width or height read from an entry is damage, not a picture.
constexpr int32_t kMostSide = 32768;

// What an entry starts with; the picture file's name and the pixels follow.
struct Header {
  std::array<char, 8> magic = kMagic;
  uint64_t fileSize = 0;
  int64_t modifiedNs = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint64_t checksum = 0;
  uint64_t nameLength = 0;
};

uint64_t NameHash(const std::string& text) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return hash;
}

// Where the pixels start: after the header and the name, at a multiple of 8.
uint64_t PixelsOffset(uint64_t nameLength) {
  return (sizeof(Header) + nameLength + 7) / 8 * 8;
}

// A Fletcher sum over eight lanes of 64-bit words: any changed word changes
// it, and so does a swap of two, at little more than the cost of reading.
uint64_t Checksum(const uint32_t* pixels, size_t count) {
  std::array<uint64_t, 8> sums{};
  std::array<uint64_t, 8> sumsOfSums{};
  size_t n = 0;
  for (; n + 16 <= count; n += 16) {
    for (size_t lane = 0; lane < 8; ++lane) {
      uint64_t word;
      std::memcpy(&word, pixels + n + 2 * lane, sizeof word);
      sums[lane] += word;
      sumsOfSums[lane] += sums[lane];
    }
  }
  uint64_t checksum = count;
  for (size_t lane = 0; lane < 8; ++lane) {
    checksum = checksum * 31 + sums[lane] + (sumsOfSums[lane] << 1);
  }
  for (; n < count; ++n) checksum = checksum * 31 + pixels[n];
  return checksum;
}

bool WriteAll(int fd, const void* from, size_t size) {
  const auto* bytes = static_cast<const char*>(from);
  while (size > 0) {
    const ssize_t put = write(fd, bytes, size);
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

struct FileCloser {
  int fd;
  ~FileCloser() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

struct PictureCache::Key {
  std::string file;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
};

PictureCache::PictureCache(PictureLoader& decoder, std::string folder)
    : mDecoder(decoder), mFolder(std::move(folder)) {}

std::shared_ptr<SkinPicture> PictureCache::Load(const std::string& file) {
  struct stat status {};
  if (mFolder.empty() || stat(file.c_str(), &status) != 0) return mDecoder.Load(file);
  const Key key{file, static_cast<uint64_t>(status.st_size),
                static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
  // Named after the file's name and size, not its folder: a skin copied
  // elsewhere (as tests and benchmarks do) takes the place of the entry of
  // the one before, so the cache grows only with new pictures.
  const std::string leaf = file.substr(file.find_last_of('/') + 1);
  char name[32];
  std::snprintf(name, sizeof name, "/%016llx.pixels",
                static_cast<unsigned long long>(NameHash(leaf + ":" + std::to_string(key.size))));
  const std::string entry = mFolder + name;
  if (std::shared_ptr<SkinPicture> kept = Read(entry, key)) return kept;
  std::shared_ptr<SkinPicture> decoded = mDecoder.Load(file);
  if (decoded && mStoring) Store(entry, key, *decoded);
  return decoded;
}

// Nothing when the entry is missing, belongs to another file or another
// version of it, or is damaged (which is logged). The pixels stay in the
// mapped entry: entries are replaced by renaming, never changed in place.
std::shared_ptr<SkinPicture> PictureCache::Read(const std::string& entry, const Key& key) const {
  const FileCloser source{open(entry.c_str(), O_RDONLY | O_CLOEXEC)};
  if (source.fd < 0) return nullptr;
  struct stat status {};
  Header header;
  std::string name;
  // A regular file gives all that is asked for, up to its end, in one read.
  if (fstat(source.fd, &status) != 0 ||
      read(source.fd, &header, sizeof header) != static_cast<ssize_t>(sizeof header)) {
    header.magic = {};
  }
  const bool sane = header.magic == kMagic && header.width > 0 && header.height > 0 &&
                    header.width <= kMostSide && header.height <= kMostSide &&
                    header.nameLength <= 65536;
  const size_t count = sane ? static_cast<size_t>(header.width) * header.height : 0;
  const size_t size = static_cast<size_t>(status.st_size);
  bool whole = sane && size == PixelsOffset(header.nameLength) + count * sizeof(uint32_t);
  if (whole) {
    name.resize(header.nameLength);
    whole = read(source.fd, name.data(), name.size()) == static_cast<ssize_t>(name.size());
  }
  if (whole &&
      (name != key.file || header.fileSize != key.size || header.modifiedNs != key.modifiedNs)) {
    return nullptr;  // another picture, or this one before it changed
  }
  void* mapped = whole ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, source.fd, 0) : MAP_FAILED;
  if (mapped != MAP_FAILED) {
    auto picture = std::make_shared<SkinPicture>();
    picture->width = header.width;
    picture->height = header.height;
    picture->keeper.reset(mapped, [size](const void* at) { munmap(const_cast<void*>(at), size); });
    picture->held = reinterpret_cast<const uint32_t*>(static_cast<const char*>(mapped) +
                                                      PixelsOffset(header.nameLength));
    if (Checksum(picture->held, count) == header.checksum) return picture;
  }
  WriteLog("the picture cache entry " + entry + " is damaged; " + key.file + " is decoded again");
  return nullptr;
}

// Written whole under a name of its own, then renamed over the entry: a
// reader (another start at the same moment) never sees half an entry.
void PictureCache::Store(const std::string& entry, const Key& key, const SkinPicture& picture) {
  std::error_code error;
  std::filesystem::create_directories(mFolder, error);
  Header header;
  header.fileSize = key.size;
  header.modifiedNs = key.modifiedNs;
  header.width = picture.width;
  header.height = picture.height;
  header.checksum = Checksum(picture.Data(), picture.Count());
  const std::string padding(PixelsOffset(key.file.size()) - sizeof header - key.file.size(), '\0');
  header.nameLength = key.file.size();
  static std::atomic<unsigned> parts{0};
  const std::string part =
      entry + "." + std::to_string(getpid()) + "-" + std::to_string(parts++) + ".part";
  int reason = 0;
  {
    const FileCloser target{open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)};
    if (target.fd < 0 || !WriteAll(target.fd, &header, sizeof header) ||
        !WriteAll(target.fd, key.file.data(), key.file.size()) ||
        !WriteAll(target.fd, padding.data(), padding.size()) ||
        !WriteAll(target.fd, picture.Data(), picture.Count() * sizeof(uint32_t))) {
      reason = errno != 0 ? errno : EIO;
    }
  }
  if (reason == 0 && std::rename(part.c_str(), entry.c_str()) != 0) reason = errno;
  if (reason == 0) return;
  unlink(part.c_str());
  // One line says it; the pictures are decoded at every start meanwhile.
  if (mStoring.exchange(false)) {
    WriteLog("the picture cache cannot keep pictures in " + mFolder + ": " + std::strerror(reason));
  }
}
