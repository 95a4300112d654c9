#pragma once

// Keeps decoded skin pictures in files of their own, so that a later start
// reads the start window's pixels instead of decoding them again: decoding
// is most of what a start costs once OpenGL waits until after the first
// frame. An entry belongs to one picture file at one size and modification
// time, and holds a checksum of its pixels; an entry that does not match, is
// cut short or damaged is ignored and written again, so a bad cache costs a
// decode and never a picture.

#include <atomic>
#include <memory>
#include <string>

#include "skin/SkinPicture.h"

class PictureCache final : public PictureLoader {
 public:
  // Decodes with decoder (which must outlive this) and keeps entries in
  // folder, made when first written to; no folder: nothing is kept.
  PictureCache(PictureLoader& decoder, std::string folder);

  std::shared_ptr<SkinPicture> Load(const std::string& file) override;
  bool IsThreadSafe() const override { return mDecoder.IsThreadSafe(); }

  // Pictures decoded from now on are not kept (entries are still read): the
  // cache holds what a start needs before its first frame, not the whole skin.
  void StopStoring() { mStoring = false; }

 private:
  struct Key;
  std::shared_ptr<SkinPicture> Read(const std::string& entry, const Key& key) const;
  // Stops storing (with a log line) when the entry cannot be written.
  void Store(const std::string& entry, const Key& key, const SkinPicture& picture);

  PictureLoader& mDecoder;
  std::string mFolder;
  std::atomic<bool> mStoring{true};
};
