#include "core/io/file_replace.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <thread>

#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::ReadBytes;
using test::RunShell;
using test::ScratchFolder;
using test::WriteBytes;

const std::string kOld = "old-contents";
const std::string kNew = "new-contents";

// The helper's exit status for a save that ends with `failure`.
int StatusOf(std::optional<ErrorCode> failure) { return failure ? 10 + static_cast<int>(*failure) : 0; }

std::string SaveCommand(const std::filesystem::path& target) {
  return std::string(KORAVEL_SAVE_HELPER) + " once " + target.string() + " " + kNew;
}

// Files and links anywhere under `root`: what a save leaves beside its target.
int CountFiles(const std::filesystem::path& root) {
  return std::stoi(RunShell("find " + root.string() + " -type f -o -type l | wc -l").text);
}

// Table rows are named by their `name`, in test names and in failure reports.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Saving as an unprivileged user: what the system lets them write is written
// (in place where a rename is not theirs to make) and keeps its owner and
// group; what it does not is refused untouched.
struct UserCase {
  const char* name;
  const char* folder_mode;
  const char* owners;  // user:group
  const char* file_mode;
  const char* groups;
  std::optional<ErrorCode> expected;
};

class SavingAsAnotherUser : public ::testing::TestWithParam<UserCase> {};

TEST_P(SavingAsAnotherUser, WritesExactlyWhatTheSystemLetsThemWrite) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  const UserCase& row = GetParam();
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("shared/a.mem");
  const auto arranged = RunShell("cd " + scratch.Path("").string() + " && mkdir shared cache && chown 65534 cache && printf " +
                                 kOld + " > shared/a.mem && chown " + row.owners + " shared/a.mem && chmod " +
                                 row.file_mode + " shared/a.mem && chmod " + row.folder_mode + " shared");
  ASSERT_EQ(arranged.status, 0) << arranged.text;
  const auto saved = RunShell("setpriv --reuid=65534 --regid=65534 " + std::string(row.groups) +
                              " env XDG_CACHE_HOME=" + scratch.Path("cache").string() + " " + SaveCommand(target));
  EXPECT_EQ(saved.status, StatusOf(row.expected)) << saved.text;
  EXPECT_EQ(ReadBytes(target), row.expected ? kOld : kNew);
  EXPECT_EQ(RunShell("stat -c %u:%g " + target.string()).text, std::string(row.owners) + "\n");
  EXPECT_EQ(CountFiles(scratch.Path("")), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavingAsAnotherUser,
                         ::testing::Values(
                             UserCase{"another_users_file_in_a_folder_anyone_may_write", "0777", "0:0", "0644",
                                      "--clear-groups", ErrorCode::WritePermissionDenied},
                             UserCase{"a_file_of_the_users_group_in_a_shared_folder", "0777", "0:4242", "0664",
                                      "--groups=4242", std::nullopt},
                             UserCase{"their_own_file_in_a_folder_they_may_not_write", "0755", "65534:65534",
                                      "0644", "--clear-groups", std::nullopt},
                             UserCase{"another_users_writable_file_in_a_sticky_folder", "01777", "0:0", "0666",
                                      "--clear-groups", std::nullopt}),
                         RowName<UserCase>);

// What `getfacl` and `getfattr` see must be the same before and after a save.
struct AttributeCase {
  const char* name;
  std::vector<std::string> setup;  // commands, each given the file as its last word
};

class KeepingAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(KeepingAttributes, ShowsTheSameAclAndAttributesAfterASave) {
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, kOld);
  for (const std::string& command : GetParam().setup) {
    const auto set = RunShell(command + " " + target.string());
    if (set.status != 0) GTEST_SKIP() << "cannot arrange `" << command << "` here: " << set.text;
  }
  const std::string show = "getfacl " + target.string() + " && getfattr -d -m - " + target.string();
  const auto before = RunShell(show);
  ASSERT_EQ(before.status, 0) << before.text;

  ASSERT_EQ(ReplaceFileContents(target, kNew), std::nullopt);
  EXPECT_EQ(ReadBytes(target), kNew);
  EXPECT_EQ(RunShell(show).text, before.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepingAttributes,
    ::testing::Values(AttributeCase{"acl_entries_under_a_narrower_mask",
                                    {"setfacl -m u:65534:rw-,g:4242:r--,m::r--"}},
                      AttributeCase{"user_attributes_one_of_them_empty",
                                    {"setfattr -n user.origin -v gsi", "setfattr -n user.empty"}},
                      AttributeCase{"another_owner_and_a_set_group_id_bit_beside_an_acl",
                                    {"chown 65534:4242", "chmod 2664", "setfacl -m g:4242:rw-"}},
                      AttributeCase{"no_acl_in_a_folder_with_a_default_acl",
                                    {"sh -c 'setfacl -d -m u:65534:rwx \"${1%/*}\"' -"}}),
    RowName<AttributeCase>);

// Files a rename would cut off from their other names: the save must reach
// `reached`, the file behind the one saved, and leave two files in the folder.
struct LinkCase {
  const char* name;
  const char* arrange;  // shell commands run in the folder, which holds a.mem
  const char* saved;
  const char* reached;
  const char* cleanup;
};

class KeepingLinks : public ::testing::TestWithParam<LinkCase> {
 protected:
  void TearDown() override {
    if (GetParam().cleanup[0] != '\0')
      RunShell(std::string(GetParam().cleanup) + " " + scratch_.Path("b.mem").string());
  }
  ScratchFolder scratch_;
};

TEST_P(KeepingLinks, WritesTheFileBehindTheNameSaved) {
  const LinkCase& row = GetParam();
  const auto arranged =
      RunShell("cd " + scratch_.Path("").string() + " && printf " + kOld + " > a.mem && " + row.arrange);
  if (arranged.status != 0) GTEST_SKIP() << "cannot arrange " << row.name << " here: " << arranged.text;
  ASSERT_EQ(ReplaceFileContents(scratch_.Path(row.saved), kNew), std::nullopt);
  EXPECT_EQ(ReadBytes(scratch_.Path(row.reached)), kNew);
  EXPECT_EQ(CountFiles(scratch_.Path("")), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepingLinks,
    ::testing::Values(LinkCase{"a_second_hard_link", "ln a.mem b.mem", "a.mem", "b.mem", ""},
                      LinkCase{"a_file_bind_mounted_over_another", "touch b.mem && mount --bind a.mem b.mem",
                               "b.mem", "a.mem", "umount"},
                      LinkCase{"a_symbolic_link_to_a_file_not_made_yet", "rm a.mem && ln -s made.mem b.mem",
                               "b.mem", "made.mem", ""}),
    RowName<LinkCase>);

// A failing system call, injected by the preloaded shim, fails the save, and
// the file keeps its old bytes unless the failure came after the rename.
struct FaultCase {
  const char* name;
  bool hard_linked;
  const char* call;
  int nth;
  int error;
  bool new_bytes_stay;
};

class SavingUnderFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SavingUnderFaults, ReportsTheFailureAndLeavesNoCopyBehind) {
  const FaultCase& row = GetParam();
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, kOld);
  if (row.hard_linked) std::filesystem::create_hard_link(target, scratch.Path("b.mem"));
  const auto saved =
      RunShell(std::string("env LD_PRELOAD=") + KORAVEL_FAULT_SHIM + " KORAVEL_FAIL=" + row.call + ":" +
               std::to_string(row.nth) + ":" + std::to_string(row.error) + " " + SaveCommand(target));
  EXPECT_EQ(saved.status, StatusOf(ErrorCode::FileError)) << saved.text;
  EXPECT_EQ(ReadBytes(target), row.new_bytes_stay ? kNew : kOld);
  if (row.hard_linked) { EXPECT_EQ(ReadBytes(scratch.Path("b.mem")), ReadBytes(target)); }
  EXPECT_EQ(CountFiles(scratch.Path("")), row.hard_linked ? 2 : 1);
}

// Flushes in order: the new file, then its folder; in place: the copy, its
// folder, then the rewritten file.
INSTANTIATE_TEST_SUITE_P(
    Cases, SavingUnderFaults,
    ::testing::Values(FaultCase{"the_folder_flush_after_the_rename", false, "fsync", 2, EIO, true},
                      FaultCase{"the_write_of_the_new_file", false, "write", 1, ENOSPC, false},
                      FaultCase{"the_rename", false, "renameat", 1, EIO, false},
                      FaultCase{"the_flush_of_a_file_rewritten_in_place", true, "fsync", 3, EIO, false},
                      FaultCase{"the_flush_of_the_folder_of_the_copy", true, "fsync", 2, EIO, false}),
    RowName<FaultCase>);

// Saves killed at random moments leave the old or the new bytes and at most
// one stray file in all.
TEST(SavingKilled, LeavesTheOldOrTheNewFileAndNoLitter) {
  constexpr int kRuns = 500;
  constexpr std::size_t kSize = 200'000;
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, std::string(kSize, 'a'));
  std::string helper = KORAVEL_SAVE_HELPER, mode = "loop", path = target, size = std::to_string(kSize);
  char* const arguments[] = {helper.data(), mode.data(), path.data(), size.data(), nullptr};
  std::mt19937 random(8);
  std::uniform_int_distribution<int> delay_us(0, 12'000);
  std::string previous = std::string(kSize, 'a');
  int completed = 0;
  for (int run = 0; run < kRuns; ++run) {
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, helper.c_str(), nullptr, nullptr, arguments, environ), 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string bytes = ReadBytes(target);
    ASSERT_TRUE(bytes == std::string(kSize, 'a') || bytes == std::string(kSize, 'b')) << "run " << run;
    completed += bytes != previous;
    previous = bytes;
  }
  EXPECT_GT(completed, 0) << "no save was ever completed";
  EXPECT_LE(CountFiles(scratch.Path("")), 2);
}

}  // namespace
}  // namespace koravel
