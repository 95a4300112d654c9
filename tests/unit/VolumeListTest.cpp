#include "library/VolumeList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Log.h"
#include "support/TempFolder.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

constexpr const char* kRootLine =
    "26 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n";

// Labels as /dev/disk/by-label would give them, by mount source.
const std::map<std::string, std::string> kLabels = {{"/dev/sdb1", "USBSTICK"},
                                                    {"/dev/sdc1", "My Disk"}};

std::string LabelOf(const MountEntry& entry) {
  const auto found = kLabels.find(entry.source);
  return found == kLabels.end() ? std::string() : found->second;
}

// "path (label)" for each volume, as the list shows them.
std::vector<std::string> Shown(const std::vector<MountedVolume>& volumes) {
  std::vector<std::string> shown;
  for (const MountedVolume& volume : volumes)
    shown.push_back(volume.mountPath + " (" + volume.label + ")");
  return shown;
}

TEST(VolumeListTest, EachKindOfMountIsShownOrLeftOut) {
  const struct {
    const char* line;
    const char* shown;  // "" when the mount is not listed
  } cases[] = {
      {"22 1 0:21 / /proc rw,nosuid shared:5 - proc proc rw", ""},
      {"24 1 0:5 / /dev rw,nosuid shared:2 - devtmpfs udev rw,size=8000000k", ""},
      {"38 26 0:60 / /mnt/ram rw - tmpfs tmpfs rw", ""},
      {"34 26 0:52 / /mnt/layer rw,relatime - overlay overlay rw,lowerdir=/a,upperdir=/b", ""},
      {"30 26 7:3 / /snap/core22/1380 ro,nodev shared:31 - squashfs /dev/loop3 ro", ""},
      {"29 26 8:1 / /boot/efi rw,relatime shared:30 - vfat /dev/sda1 rw,fmask=0077", ""},
      {"39 38 0:61 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw", ""},
      {"41 26 0:63 / /home/bob/.cache/doc rw - fuse.portal portal rw", ""},
      {"42 26 0:64 / /var/lib/docker/overlay2/x/merged rw - ext4 /dev/sda5 rw", ""},
      {"35 26 8:3 / /home rw,relatime shared:40 - ext4 /dev/sda3 rw", "/home (sda3)"},
      {"31 26 8:17 / /media/usb rw,nosuid shared:80 - vfat /dev/sdb1 rw,uid=1000",
       "/media/usb (USBSTICK)"},
      {"37 26 8:33 / /media/bob/My\\040Disk rw - ntfs3 /dev/sdc1 rw",
       "/media/bob/My Disk (My Disk)"},
      {"32 26 0:50 / /mnt/nas rw,relatime shared:90 - nfs4 nas.local:/export/music rw,vers=4.2",
       "/mnt/nas (nas.local:/export/music)"},
      {"33 26 0:51 / /mnt/Film\\040Archive rw - cifs //server/Film\\040Archive rw",
       "/mnt/Film Archive (//server/Film Archive)"},
      {"45 26 0:70 / /mnt/box rw - fuse.sshfs bob@box:/srv rw", "/mnt/box (bob@box:/srv)"},
      {"46 26 0:71 / /tank/media rw - zfs tank/media rw,xattr", "/tank/media (tank/media)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto volumes = SelectVolumes(ParseMountInfo(std::string(kRootLine) + c.line), LabelOf);
    std::vector<std::string> expected = {"/ (sda2)"};
    if (*c.shown != '\0') expected.push_back(c.shown);
    EXPECT_EQ(Shown(volumes), expected);
  }
}

TEST(VolumeListTest, TopmostMountDecidesAndBindMountsOfListedVolumesAreLeftOut) {
  const struct {
    const char* name;
    const char* lines;
    std::vector<std::string> shown;
  } cases[] = {
      {"a folder mounted over hides what was there",
       "31 26 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
       "50 31 0:80 / /media/usb rw - tmpfs tmpfs rw\n",
       {"/ (sda2)"}},
      {"part of /home bound elsewhere",
       "35 26 8:3 / /home rw - ext4 /dev/sda3 rw\n"
       "36 35 8:3 /alice/Music /srv/music rw - ext4 /dev/sda3 rw\n",
       {"/ (sda2)", "/home (sda3)"}},
      {"sub-volumes of one disk where none is mounted whole",
       "35 26 0:40 /@home /home rw - btrfs /dev/sda4 rw\n"
       "36 26 0:40 /@media /srv/media rw - btrfs /dev/sda4 rw\n",
       {"/ (sda2)", "/home (sda4)", "/srv/media (sda4)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(SelectVolumes(ParseMountInfo(std::string(kRootLine) + c.lines), LabelOf)),
              c.shown);
  }
}

TEST(VolumeListTest, ParserReadsTheFieldsAndSkipsMalformedLines) {
  std::vector<std::string> log;
  LogSink previous = SetLogSink([&log](const std::string& line) { log.push_back(line); });
  const std::string text =
      "garbage\r\n"
      "\n"
      "31 26 8:17 / /media/usb rw,nosuid shared:80 master:2 - vfat /dev/sdb1 rw\r\n"
      "1 2 3 4 5 6 7 8\n"
      "32 26 0:50 / /mnt/nas rw - nfs4\n"
      "33 26 0:51 /sub\\134dir /mnt/a\\011b rw - cifs //srv/x\\040y rw";
  const std::vector<MountEntry> entries = ParseMountInfo(text);
  SetLogSink(std::move(previous));

  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].device, "8:17");
  EXPECT_EQ(entries[0].root, "/");
  EXPECT_EQ(entries[0].mountPath, "/media/usb");
  EXPECT_EQ(entries[0].fileSystem, "vfat");
  EXPECT_EQ(entries[0].source, "/dev/sdb1");
  EXPECT_EQ(entries[1].root, "/sub\\dir");
  EXPECT_EQ(entries[1].mountPath, "/mnt/a\tb");
  EXPECT_EQ(entries[1].source, "//srv/x y");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_THAT(log[0], HasSubstr("ParseMountInfo: line 1 skipped, malformed: garbage"));
  EXPECT_THAT(log[1], HasSubstr("line 4 skipped"));
  EXPECT_THAT(log[2], HasSubstr("line 5 skipped"));
}

TEST(VolumeListTest, EscapesAreDecoded) {
  const struct {
    std::string text;
    std::string mount;  // DecodeMountEscapes
    std::string label;  // DecodeLabelName
  } cases[] = {
      {"My\\040Disk", "My Disk", "My\\040Disk"},
      {"My\\x20Disk", "My\\x20Disk", "My Disk"},
      {"a\\011b\\012c\\134d", "a\tb\nc\\d", "a\\011b\\012c\\134d"},
      {"\\x2Fx\\xzz", "\\x2Fx\\xzz", "/x\\xzz"},
      {"end\\04", "end\\04", "end\\04"},
      {"big\\777", "big\\777", "big\\777"},
      {"tail\\", "tail\\", "tail\\"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DecodeMountEscapes(c.text), c.mount);
    EXPECT_EQ(DecodeLabelName(c.text), c.label);
  }
}

}  // namespace
