#include "core/io/save_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "mesh_file_fields.h"
#include "output_versions.h"
#include "sanitizer.h"

namespace koravel {
namespace {

using test::Output;
using test::ReadBytes;
using test::RunShell;
using test::ScratchFolder;
using test::WriteBytes;

const std::string kOld = "old-contents";

const char* KindName(Output kind) { return kind == Output::Save ? "save" : "export"; }

// What a whole write of version `letter` leaves: for an export, what one
// export into a new file writes, which is a TIFF.
const std::string& Version(Output kind, char letter) {
  static std::map<std::pair<Output, char>, std::string> versions;
  auto [version, added] = versions.try_emplace({kind, letter});
  if (added && kind == Output::Save) version->second = std::string(test::kVersionBytes, letter);
  if (added && kind == Output::Export) {
    ScratchFolder scratch;
    EXPECT_EQ(test::WriteVersion(kind, scratch.Path("v.tif"), letter), std::nullopt);
    version->second = ReadBytes(scratch.Path("v.tif"));
    EXPECT_EQ(version->second.substr(0, 4), std::string("II*\0", 4));
  }
  return version->second;
}

// The helper's exit status for a write that ends with `failure`.
int StatusOf(std::optional<ErrorCode> failure) { return failure ? 10 + static_cast<int>(*failure) : 0; }

std::string HelperCommand(Output kind, const char* mode, const std::filesystem::path& target, char letter) {
  return std::string(KORAVEL_SAVE_HELPER) + " " + KindName(kind) + " " + mode + " " + target.string() + " " + letter;
}

// Files and links anywhere under `root`: what a save leaves beside its target.
int CountFiles(const std::filesystem::path& root) {
  return std::stoi(RunShell("find " + root.string() + " -type f -o -type l | wc -l").text);
}

// Every table runs for a save and for an export; rows are named by `name`.
template <typename Row>
auto ForBoth(std::vector<Row> rows) {
  return ::testing::Combine(::testing::Values(Output::Save, Output::Export), ::testing::ValuesIn(rows));
}

template <typename Row>
std::string KindAndRowName(const ::testing::TestParamInfo<std::tuple<Output, Row>>& info) {
  return std::string(KindName(std::get<0>(info.param))) + "_" + std::get<1>(info.param).name;
}

template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Writing as an unprivileged user (or as root, whom only the program's own
// read-only rule stops): what the system lets them write is written (in
// place where a rename is not theirs to make) and keeps its owner and group;
// what it does not is refused untouched.
struct UserCase {
  const char* name;
  const char* as;  // setpriv's options
  const char* folder_mode;
  const char* owners;  // user:group
  const char* file_mode;
  bool cache_folder;  // XDG_CACHE_HOME set, or neither it nor HOME
  std::optional<ErrorCode> expected;
};

class SavingAsAnotherUser : public ::testing::TestWithParam<std::tuple<Output, UserCase>> {};

TEST_P(SavingAsAnotherUser, WritesExactlyWhatTheSystemLetsThemWrite) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  const auto& [kind, row] = GetParam();
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("shared/a.mem");
  const std::string in_scratch = "cd " + scratch.Path("").string() + " && ";
  const auto arranged = RunShell(in_scratch + "chmod 777 . && mkdir shared cache && chown 65534 cache && printf " +
                                 kOld + " > shared/a.mem && chown " + row.owners + " shared/a.mem && chmod " +
                                 row.file_mode + " shared/a.mem && chmod " + row.folder_mode + " shared");
  ASSERT_EQ(arranged.status, 0) << arranged.text;
  const std::string cache =
      row.cache_folder ? "XDG_CACHE_HOME=" + scratch.Path("cache").string() : "-u HOME -u XDG_CACHE_HOME";
  const auto saved =
      RunShell(in_scratch + "setpriv " + row.as + " env " + cache + " " + HelperCommand(kind, "once", target, 'b'));
  EXPECT_EQ(saved.status, StatusOf(row.expected)) << saved.text;
  EXPECT_EQ(ReadBytes(target), row.expected ? kOld : Version(kind, 'b'));
  EXPECT_EQ(RunShell("stat -c %u:%g " + target.string()).text, std::string(row.owners) + "\n");
  EXPECT_EQ(CountFiles(scratch.Path("")), 1);
}

constexpr const char* kNobody = "--reuid=65534 --regid=65534 --clear-groups";

INSTANTIATE_TEST_SUITE_P(
    Cases, SavingAsAnotherUser,
    ForBoth<UserCase>({
        {"another_users_file_in_a_folder_anyone_may_write", kNobody, "0777", "0:0", "0644", true,
         ErrorCode::WritePermissionDenied},
        {"a_file_of_the_users_group_in_a_shared_folder", "--reuid=65534 --regid=65534 --groups=4242", "0777",
         "0:4242", "0664", true, std::nullopt},
        {"their_own_file_in_a_folder_they_may_not_write", kNobody, "0755", "65534:65534", "0644", true, std::nullopt},
        {"the_same_without_a_home_for_the_copy", kNobody, "0755", "65534:65534", "0644", false,
         ErrorCode::WritePermissionDenied},
        {"another_users_writable_file_in_a_sticky_folder", kNobody, "01777", "0:0", "0666", true, std::nullopt},
        {"a_read_only_file_written_by_root", "--reuid=0 --regid=0 --clear-groups", "0755", "0:0", "0444", true,
         ErrorCode::InvalidPathOrNotWritable},
    }),
    KindAndRowName<UserCase>);

// What `getfacl` and `getfattr` see must be the same before and after a save.
struct AttributeCase {
  const char* name;
  std::vector<std::string> setup;  // commands, each given the file as its last word
};

class KeepingAttributes : public ::testing::TestWithParam<std::tuple<Output, AttributeCase>> {};

TEST_P(KeepingAttributes, ShowsTheSameAclAndAttributesAfterASave) {
  const auto& [kind, row] = GetParam();
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, kOld);
  for (const std::string& command : row.setup) {
    const auto set = RunShell(command + " " + target.string());
    if (set.status != 0) GTEST_SKIP() << "cannot arrange `" << command << "` here: " << set.text;
  }
  const std::string show = "getfacl " + target.string() + " && getfattr -d -m - " + target.string();
  const auto before = RunShell(show);
  ASSERT_EQ(before.status, 0) << before.text;

  ASSERT_EQ(test::WriteVersion(kind, target, 'b'), std::nullopt);
  EXPECT_EQ(ReadBytes(target), Version(kind, 'b'));
  EXPECT_EQ(RunShell(show).text, before.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepingAttributes,
    ForBoth<AttributeCase>({
        {"acl_entries_under_a_narrower_mask", {"setfacl -m u:65534:rw-,g:4242:r--,m::r--"}},
        {"user_attributes_one_of_them_empty", {"setfattr -n user.origin -v gsi", "setfattr -n user.empty"}},
        {"another_owner_and_a_set_group_id_bit_beside_an_acl",
         {"chown 65534:4242", "chmod 2664", "setfacl -m g:4242:rw-"}},
        {"no_acl_in_a_folder_with_a_default_acl", {"sh -c 'setfacl -d -m u:65534:rwx \"${1%/*}\"' -"}},
    }),
    KindAndRowName<AttributeCase>);

// Names that stand for another file: the write must reach `reached`, or be
// refused leaving it as it was, and leave the name saved what it was.
struct LinkCase {
  const char* name;
  const char* arrange;  // shell commands run in the folder, which holds a.mem
  const char* saved;
  const char* reached;
  const char* cleanup;
  std::optional<ErrorCode> expected;
};

class KeepingLinks : public ::testing::TestWithParam<std::tuple<Output, LinkCase>> {
 protected:
  void TearDown() override {
    const LinkCase& row = std::get<1>(GetParam());
    if (row.cleanup[0] != '\0') RunShell(std::string(row.cleanup) + " " + scratch_.Path("b.mem").string());
  }
  ScratchFolder scratch_;
};

TEST_P(KeepingLinks, WritesTheFileBehindTheNameSaved) {
  const auto& [kind, row] = GetParam();
  const auto arranged =
      RunShell("cd " + scratch_.Path("").string() + " && printf " + kOld + " > a.mem && " + row.arrange);
  if (arranged.status != 0) GTEST_SKIP() << "cannot arrange " << row.name << " here: " << arranged.text;
  const std::filesystem::path saved = scratch_.Path(row.saved);
  const bool saved_a_link = std::filesystem::is_symlink(saved);
  EXPECT_EQ(test::WriteVersion(kind, saved, 'b'), row.expected);
  EXPECT_EQ(ReadBytes(scratch_.Path(row.reached)), row.expected ? kOld : Version(kind, 'b'));
  EXPECT_EQ(std::filesystem::is_symlink(saved), saved_a_link);
  EXPECT_EQ(CountFiles(scratch_.Path("")), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepingLinks,
    ForBoth<LinkCase>({
        {"a_second_hard_link", "ln a.mem b.mem", "a.mem", "b.mem", "", std::nullopt},
        {"a_file_bind_mounted_over_another", "touch b.mem && mount --bind a.mem b.mem", "b.mem", "a.mem", "umount",
         std::nullopt},
        {"a_symbolic_link_to_a_file_not_made_yet", "rm a.mem && ln -s made.mem b.mem", "b.mem", "made.mem", "",
         std::nullopt},
        {"a_link_another_user_planted_in_a_sticky_folder",
         "mkdir -m 1777 t && ln -s ../a.mem t/b.mem && chown -h 65534 t/b.mem", "t/b.mem", "a.mem", "",
         ErrorCode::WritePermissionDenied},
        {"a_link_of_the_sticky_folders_owner",
         "mkdir -m 1777 t && chown 65534 t && ln -s ../a.mem t/b.mem && chown -h 65534 t/b.mem", "t/b.mem", "a.mem",
         "", std::nullopt},
    }),
    KindAndRowName<LinkCase>);

// A failing system call, injected by the preloaded shim, fails the write, and
// the file keeps its old bytes unless the failure came after the rename.
struct FaultCase {
  const char* name;
  bool hard_linked;
  const char* call;
  int nth;
  int error;
  bool new_bytes_stay;
};

class SavingUnderFaults : public ::testing::TestWithParam<std::tuple<Output, FaultCase>> {};

TEST_P(SavingUnderFaults, ReportsTheFailureAndLeavesNoCopyBehind) {
  const auto& [kind, row] = GetParam();
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, kOld);
  if (row.hard_linked) std::filesystem::create_hard_link(target, scratch.Path("b.mem"));
  const auto saved = RunShell(std::string("env LD_PRELOAD=") + KORAVEL_FAULT_SHIM + " KORAVEL_FAIL=" + row.call +
                              ":" + std::to_string(row.nth) + ":" + std::to_string(row.error) + " " +
                              HelperCommand(kind, "once", target, 'b'));
  EXPECT_EQ(saved.status, StatusOf(ErrorCode::FileError)) << saved.text;
  EXPECT_EQ(ReadBytes(target), row.new_bytes_stay ? Version(kind, 'b') : kOld);
  if (row.hard_linked) { EXPECT_EQ(ReadBytes(scratch.Path("b.mem")), ReadBytes(target)); }
  EXPECT_EQ(CountFiles(scratch.Path("")), row.hard_linked ? 2 : 1);
}

// Flushes in order: the new file, then its folder; in place: the copy, its
// folder, then the rewritten file.
INSTANTIATE_TEST_SUITE_P(Cases, SavingUnderFaults,
                         ForBoth<FaultCase>({
                             {"the_folder_flush_after_the_rename", false, "fsync", 2, EIO, true},
                             {"the_write_of_the_new_file", false, "write", 1, ENOSPC, false},
                             {"the_rename", false, "renameat", 1, EIO, false},
                             {"the_flush_of_a_file_rewritten_in_place", true, "fsync", 3, EIO, false},
                             {"the_flush_of_the_folder_of_the_copy", true, "fsync", 2, EIO, false},
                         }),
                         KindAndRowName<FaultCase>);

class SavingKilled : public ::testing::TestWithParam<Output> {};

// Starts the helper's loop from `letter` and returns once its first write is done.
pid_t StartLoop(Output kind, const std::filesystem::path& target, char letter) {
  std::string helper = KORAVEL_SAVE_HELPER, name = KindName(kind), mode = "loop", path = target;
  std::string first(1, letter);
  char* const arguments[] = {helper.data(), name.data(), mode.data(), path.data(), first.data(), nullptr};
  int ready[2];
  if (pipe(ready) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, helper.c_str(), &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ready[1]);
  char byte = 0;
  const bool started = spawned == 0 && read(ready[0], &byte, 1) == 1;
  close(ready[0]);
  return started ? child : -1;
}

// Writes killed at random moments after a first whole one leave the old or
// the new bytes and at most one stray file in all.
TEST_P(SavingKilled, LeavesTheOldOrTheNewFileAndNoLitter) {
  const Output kind = GetParam();
  const int runs = kind == Output::Save ? 150 : 50;  // an export loads its libraries first
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  std::mt19937 random(8);
  std::uniform_int_distribution<int> delay_us(0, 12'000);
  int changed = 0;
  for (int run = 0; run < runs; ++run) {
    const char first = run % 2 == 0 ? 'a' : 'b';
    const pid_t child = StartLoop(kind, target, first);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string bytes = ReadBytes(target);
    ASSERT_TRUE(bytes == Version(kind, 'a') || bytes == Version(kind, 'b')) << "run " << run;
    changed += bytes != Version(kind, first);
  }
  EXPECT_GT(changed, 0) << "no write after the first was ever completed";
  EXPECT_LE(CountFiles(scratch.Path("")), 2);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SavingKilled, ::testing::Values(Output::Save, Output::Export),
                         [](const auto& info) { return std::string(KindName(info.param)); });

class SavingBesideAnotherProcess : public ::testing::TestWithParam<std::tuple<Output, bool>> {};

// flock(1) holds the file's lock while it reads the file: the write must wait.
TEST_P(SavingBesideAnotherProcess, WaitsForTheLockOnTheFile) {
  const auto& [kind, hard_linked] = GetParam();
  ScratchFolder scratch;
  WriteBytes(scratch.Path("a.mem"), kOld);
  if (hard_linked) std::filesystem::create_hard_link(scratch.Path("a.mem"), scratch.Path("b.mem"));
  const auto run = RunShell("cd " + scratch.Path("").string() +
                            " && { flock a.mem -c 'touch held && sleep 0.2 && cat a.mem > seen' & } && until [ -e held "
                            "]; do sleep 0.01; done && " +
                            HelperCommand(kind, "once", scratch.Path("a.mem"), 'b') + " && wait");
  EXPECT_EQ(run.status, 0) << run.text;
  EXPECT_EQ(ReadBytes(scratch.Path("seen")), kOld) << "the write did not wait for the lock";
  EXPECT_EQ(ReadBytes(scratch.Path("a.mem")), Version(kind, 'b'));
}

INSTANTIATE_TEST_SUITE_P(Cases, SavingBesideAnotherProcess,
                         ::testing::Combine(::testing::Values(Output::Save, Output::Export), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(KindName(std::get<0>(info.param))) +
                                  (std::get<1>(info.param) ? "_in_place" : "_by_rename");
                         });

TEST(SavingConcurrently, TwoProcessesSavingOneFileBothSucceedAndLeaveItWhole) {
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  WriteBytes(target, kOld);
  const std::string repeat = " 50 || echo failed";
  const auto run = RunShell("{ " + HelperCommand(Output::Save, "repeat", target, 'a') + repeat + "; } & " +
                            HelperCommand(Output::Save, "repeat", target, 'b') + repeat + "; wait");
  EXPECT_EQ(run.text, "");
  const std::string bytes = ReadBytes(target);
  EXPECT_TRUE(bytes == Version(Output::Save, 'a') || bytes == Version(Output::Save, 'b'));
  EXPECT_EQ(CountFiles(scratch.Path("")), 1);
}

// The copy kept while a file is rewritten in place is streamed, so the
// save of a file larger than the memory the process may take succeeds.
TEST(SavingInPlace, KeepsTheOldBytesWithoutHoldingThemInMemory) {
#ifdef KORAVEL_UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer's shadow memory alone is larger than the data limit this test sets";
#endif
  ScratchFolder scratch;
  const std::filesystem::path target = scratch.Path("a.mem");
  const auto run = RunShell("cd " + scratch.Path("").string() + " && head -c 48M /dev/zero > a.mem && ln a.mem b.mem" +
                            " && ulimit -d 20000 && " + HelperCommand(Output::Save, "once", target, 'b'));
  EXPECT_EQ(run.status, 0) << run.text;
  EXPECT_TRUE(ReadBytes(scratch.Path("b.mem")) == Version(Output::Save, 'b')) << "the saved bytes differ";
  EXPECT_EQ(CountFiles(scratch.Path("")), 2);
}

}  // namespace
}  // namespace koravel
