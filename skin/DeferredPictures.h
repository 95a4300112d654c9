#pragma once

// Skin pictures decoded after the start window is drawn: each at its first
// use, or all of them by DecodeAll, on a thread of their own when the loader
// allows it. Every picture is decoded once, whoever asks first; a caller that
// asks for a picture the thread is decoding waits for that one only.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "skin/SkinPicture.h"

class DeferredPictures {
 public:
  // paths[n] is the file of picture n, empty for a picture that is not left
  // for later. The loader must outlive this.
  DeferredPictures(PictureLoader& loader, const std::vector<std::string>& paths);
  // Waits for the picture the thread is decoding; the rest stay undecoded.
  ~DeferredPictures();
  DeferredPictures(const DeferredPictures&) = delete;
  DeferredPictures& operator=(const DeferredPictures&) = delete;

  bool Holds(int32_t n) const;
  // Picture n, decoded now unless that was done; null when it is not held
  // here or cannot be read (the loader logs why).
  std::shared_ptr<const SkinPicture> Get(int32_t n);
  // Starts decoding every picture not yet decoded. Returns at once when the
  // loader may run on another thread, else after decoding them here. Once.
  void DecodeAll();

 private:
  struct Entry {
    std::string path;
    std::once_flag decoded;
    std::shared_ptr<const SkinPicture> picture;
  };

  void Decode(Entry& entry);
  void DecodeRemaining();

  PictureLoader& mLoader;
  std::vector<std::unique_ptr<Entry>> mEntries;  // by picture number; null: not held
  std::atomic<bool> mStopping{false};
  std::thread mThread;
};
