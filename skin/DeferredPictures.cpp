#include "skin/DeferredPictures.h"

#include <exception>

#include "base/Log.h"

DeferredPictures::DeferredPictures(PictureLoader& loader, const std::vector<std::string>& paths)
    : mLoader(loader) {
  mEntries.resize(paths.size());
  for (size_t n = 0; n < paths.size(); ++n) {
    if (paths[n].empty()) continue;
    mEntries[n] = std::make_unique<Entry>();
    mEntries[n]->path = paths[n];
  }
}

DeferredPictures::~DeferredPictures() {
  mStopping = true;
  if (mThread.joinable()) mThread.join();
}

bool DeferredPictures::Holds(int32_t n) const {
  return n >= 0 && n < static_cast<int32_t>(mEntries.size()) && mEntries[n];
}

std::shared_ptr<const SkinPicture> DeferredPictures::Get(int32_t n) {
  if (!Holds(n)) return nullptr;
  Entry& entry = *mEntries[n];
  Decode(entry);
  return entry.picture;
}

void DeferredPictures::DecodeAll() {
  if (mThread.joinable()) return;
  if (!mLoader.IsThreadSafe()) {
    DecodeRemaining();
    return;
  }
  mThread = std::thread([this] { DecodeRemaining(); });
}

void DeferredPictures::DecodeRemaining() {
  for (const std::unique_ptr<Entry>& entry : mEntries) {
    if (mStopping) return;
    if (entry) Decode(*entry);
  }
}

void DeferredPictures::Decode(Entry& entry) {
  std::call_once(entry.decoded, [&] {
    try {
      entry.picture = mLoader.Load(entry.path);
    } catch (const std::exception& failure) {
      WriteLog(std::string("DX_LoadSkin - ") + failure.what());
    }
  });
}
