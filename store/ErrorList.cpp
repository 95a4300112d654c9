#include "store/ErrorList.h"

#include <ctime>
#include <memory>
#include <string>

#include "store/clsHashFile.h"

namespace {

int32_t gErrorCount = 0;
std::unique_ptr<clsHashFile> gErrorList;

}  // namespace

int32_t ErrorCount() { return gErrorCount; }

clsHashFile& ErrorList() {
  if (!gErrorList) gErrorList = std::make_unique<clsHashFile>();
  return *gErrorList;
}

void ReportError(std::string_view message) {
  // The list is reached from inside the hash store itself; the store never
  // reports errors from SetValue, so this cannot recurse.
  ++gErrorCount;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "%x (%X) - ", &local);
  std::string entry(stamp);
  entry += message;
  ErrorList().SetValue("Error" + std::to_string(gErrorCount), HashValue(entry), false);
}
