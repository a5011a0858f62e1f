// The ranking file in the places players keep it: file systems without modes or owners,
// folders shared by a group or by everyone, a folder that cannot be read, a full disk.
// Each save is the game's own, by ranking_tool run as the user who makes it; every case
// needs root to lay its place and is skipped, saying why, where it cannot.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/ranking_test_support.h"

namespace {

constexpr int Group = 2000;  // shared by both players
constexpr int Ann = 2001;
constexpr int Ben = 2002;

bool Shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Ann's or Ben's game finishing in `timeMs` and ending; what it said on stderr.
std::string Finish(int player, const std::filesystem::path& file, int timeMs,
                   const std::filesystem::path& errors, int gameMode = 0) {
    const std::string command =
        "setpriv --reuid=" + std::to_string(player) + " --regid=" + std::to_string(player) +
        " --groups=" + std::to_string(Group) + " '" RANKING_TOOL "' '" + file.string() +
        "' record " + std::to_string(gameMode) + " p" + std::to_string(player) + " " +
        std::to_string(timeMs) + " >/dev/null 2>'" + errors.string() + "'";
    static_cast<void>(Shell(command));
    return ReadBytes(errors).value_or("");
}

std::string Records(std::initializer_list<std::pair<int, int>> playersAndTimes) {
    std::string bytes;
    for (const auto& [player, timeMs] : playersAndTimes) {
        bytes += Record(0, "p" + std::to_string(player), timeMs);
    }
    return bytes;
}

class RankingPlace : public testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0 || !Shell("command -v setpriv >/dev/null")) {
            GTEST_SKIP() << "needs root and setpriv, to save as two players";
        }
        place_ = scratch_.Path() / "place";
        std::filesystem::create_directory(place_);
    }
    void TearDown() override {
        if (!mount_.empty()) {
            static_cast<void>(Shell(mount_ + " '" + place_.string() + "' 2>/dev/null"));
        }
    }
    // Mounts the place with `command` (its path appended), undone by `unmount`.
    bool Mount(const std::string& tool, const std::string& command, const std::string& unmount) {
        if (!Shell("command -v " + tool + " >/dev/null") ||
            !Shell(command + " '" + place_.string() + "' >/dev/null 2>&1")) {
            return false;
        }
        mount_ = unmount;
        return true;
    }
    void Lay(const std::string& bytes, int owner, mode_t mode) {
        WriteBytes(File(), bytes);
        ASSERT_EQ(chown(File().c_str(), owner, Group), 0);
        ASSERT_EQ(chmod(File().c_str(), mode), 0);
    }
    std::filesystem::path File() const { return place_ / "Quickstack.dat"; }
    std::filesystem::path Errors() const { return scratch_.Path() / "errors"; }

    ScratchDirectory scratch_;
    std::filesystem::path place_;
    std::string mount_;
};

// A FAT image has neither modes nor owners: every save after the first used to fail.
TEST_F(RankingPlace, FatImageTakesEverySave) {
    const std::filesystem::path image = scratch_.Path() / "fat.img";
    if (!Shell("command -v mkfs.fat >/dev/null && truncate -s 4M '" + image.string() +
               "' && mkfs.fat '" + image.string() + "' >/dev/null")) {
        GTEST_SKIP() << "mkfs.fat cannot make an image here";
    }
    if (!Mount("fusefat", "fusefat -o rw+,allow_other '" + image.string() + "'", "fusermount -u")) {
        GTEST_SKIP() << "fusefat cannot mount here";
    }
    for (int player : {Ann, Ben, Ann}) {
        EXPECT_EQ(Finish(player, File(), player, Errors()), "");
    }
    EXPECT_EQ(ReadBytes(File()), Records({{Ann, Ann}, {Ann, Ann}, {Ben, Ben}}));
}

// A FUSE mount that shows every file as another user's, open to all.
TEST_F(RankingPlace, MountWithForcedOwnershipTakesEverySave) {
    const std::filesystem::path source = scratch_.Path() / "source";
    std::filesystem::create_directory(source);
    std::filesystem::permissions(source, std::filesystem::perms::all);
    if (!Mount("bindfs",
               "bindfs -o allow_other --force-user=1000 --force-group=1000 --perms=a+rw '" +
                   source.string() + "'",
               "fusermount -u")) {
        GTEST_SKIP() << "bindfs cannot mount here";
    }
    EXPECT_EQ(Finish(Ann, File(), 3000, Errors()), "");
    EXPECT_EQ(Finish(Ann, File(), 1000, Errors()), "");
    EXPECT_EQ(ReadBytes(File()), Records({{Ann, 1000}, {Ann, 3000}}));
}

// A folder and file shared by a group: each player's save keeps the group, so the other
// can still save.
TEST_F(RankingPlace, GroupSharedFileKeepsItsGroup) {
    ASSERT_EQ(chown(place_.c_str(), 0, Group), 0);
    ASSERT_EQ(chmod(place_.c_str(), 0770), 0);  // new files take their maker's group
    Lay("", Ann, 0660);
    EXPECT_EQ(Finish(Ben, File(), 2000, Errors()), "");
    EXPECT_EQ(Finish(Ann, File(), 1000, Errors()), "");
    EXPECT_EQ(Finish(Ben, File(), 3000, Errors()), "");
    EXPECT_EQ(ReadBytes(File()), Records({{Ann, 1000}, {Ben, 2000}, {Ben, 3000}}));
    struct stat saved {};
    ASSERT_EQ(stat(File().c_str(), &saved), 0);
    EXPECT_EQ(saved.st_gid, static_cast<gid_t>(Group));
    EXPECT_EQ(saved.st_mode & 07777, 0660u);
}

// A folder open to all with the sticky bit, as /tmp, holding Ann's file open to all: Ben may
// not replace it, so he rewrites it in place.
TEST_F(RankingPlace, StickyFolderRewritesAnotherUsersFileInPlace) {
    ASSERT_EQ(chmod(place_.c_str(), 01777), 0);
    Lay(Records({{Ann, 1000}}), Ann, 0666);
    EXPECT_EQ(Finish(Ben, File(), 2000, Errors()), "");
    EXPECT_EQ(ReadBytes(File()), Records({{Ann, 1000}, {Ben, 2000}}));
    EXPECT_EQ(OtherFiles(place_), 0);
}

// A folder its player may write but not read: the saves still lock the file, so two at once
// lose nothing, they succeed, and no temporary file stays, not even a killed save's.
TEST_F(RankingPlace, UnreadableFolderLocksAndSaves) {
    const std::filesystem::path leftover = place_ / "Quickstack.dat.saving-LOCKED";
    WriteBytes(leftover, "half a save");
    ASSERT_EQ(chown(leftover.c_str(), Ann, Ann), 0);
    ASSERT_EQ(chown(place_.c_str(), Ann, Ann), 0);
    ASSERT_EQ(chmod(place_.c_str(), 0300), 0);
    const std::filesystem::path errors = scratch_.Path() / "errors-";
    std::string command;
    for (int game = 1; game <= 6; ++game) {
        command += "setpriv --reuid=" + std::to_string(Ann) + " --regid=" + std::to_string(Ann) +
                   " --clear-groups '" RANKING_TOOL "' '" + File().string() + "' record 0 p" +
                   std::to_string(Ann) + " " + std::to_string(game * 1000) + " >/dev/null 2>>'" +
                   errors.string() + "' & ";
    }
    ASSERT_TRUE(Shell(command + "wait"));
    EXPECT_EQ(ReadBytes(errors), "");
    std::filesystem::permissions(place_, std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(
        ReadBytes(File()),
        Records({{Ann, 1000}, {Ann, 2000}, {Ann, 3000}, {Ann, 4000}, {Ann, 5000}, {Ann, 6000}}));
    EXPECT_EQ(OtherFiles(place_), 0);
}

// A full disk under a file rewritten in place (its folder read-only), which an endurance
// record makes longer: the save fails before it touches the file, which keeps every
// record, and says so on stderr.
TEST_F(RankingPlace, FullDiskLeavesAFileRewrittenInPlaceWhole) {
    if (!Mount("mount", "mount -t tmpfs -o size=64k tmpfs", "umount")) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here";
    }
    std::string old;
    for (int i = 0; i < 195; ++i) {  // 4095 bytes: one more record needs another page
        old += Record(0, "old", 10000 + i);
    }
    Lay(old, Ann, 0644);
    static_cast<void>(
        Shell("dd if=/dev/zero of='" + (place_ / "filler").string() + "' bs=4k 2>/dev/null"));
    ASSERT_EQ(chmod(place_.c_str(), 0555), 0);
    const std::string errors = Finish(Ann, File(), 5000, Errors(), 1);
    EXPECT_NE(errors.find("No space left on device"), std::string::npos) << errors;
    EXPECT_TRUE(ReadBytes(File()) == old) << "the file was touched";
}

}  // namespace
