#include "mesh/mesh_file_probe.h"

#include <gtest/gtest.h>

#include "mesh_file_fields.h"

namespace koravel {
namespace {

namespace fs = std::filesystem;

TEST(ReadOnlyAttribute, IsTheOwnerWriteBitWhateverTheUserMayDo) {
  test::ScratchFolder folder;
  test::WriteBytes(folder.Path("a.mem"), "x");
  fs::permissions(folder.Path("a.mem"), fs::perms::owner_read | fs::perms::group_write);
  EXPECT_TRUE(HasReadOnlyAttribute(folder.Path("a.mem")));
  fs::permissions(folder.Path("a.mem"), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_FALSE(HasReadOnlyAttribute(folder.Path("a.mem")));
  EXPECT_FALSE(HasReadOnlyAttribute(folder.Path("absent.mem")));
}

}  // namespace
}  // namespace koravel
