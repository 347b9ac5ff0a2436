#include "core/io/file_attributes.h"

#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace koravel {
namespace {

// The ACL travels through libacl; its raw attribute is not copied a second time.
constexpr std::string_view kAclAttributePrefix = "system.posix_acl_";

bool IsUnsupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

// The access ACL, also one that says no more than the mode does: setting it
// clears any entries a new file took from its folder's default ACL. Null
// where the file system has no ACLs.
std::optional<std::shared_ptr<void>> AccessAcl(int descriptor) {
  acl_t acl = acl_get_fd(descriptor);
  if (acl == nullptr) {
    if (IsUnsupported(errno)) return std::shared_ptr<void>();
    return std::nullopt;
  }
  return std::shared_ptr<void>(acl, acl_free);
}

// The attribute names, each ended by a NUL.
std::optional<std::string> AttributeNames(int descriptor) {
  const ssize_t size = flistxattr(descriptor, nullptr, 0);
  if (size < 0) return IsUnsupported(errno) ? std::optional<std::string>("") : std::nullopt;
  std::string names(static_cast<std::size_t>(size), '\0');
  const ssize_t listed = flistxattr(descriptor, names.data(), names.size());
  if (listed < 0) return std::nullopt;
  names.resize(static_cast<std::size_t>(listed));
  return names;
}

std::optional<std::string> AttributeValue(int descriptor, const std::string& name) {
  const ssize_t size = fgetxattr(descriptor, name.c_str(), nullptr, 0);
  if (size < 0) return std::nullopt;
  std::string value(static_cast<std::size_t>(size), '\0');
  const ssize_t read = fgetxattr(descriptor, name.c_str(), value.data(), value.size());
  if (read < 0) return std::nullopt;
  value.resize(static_cast<std::size_t>(read));
  return value;
}

}  // namespace

std::optional<FileAttributes> FileAttributes::Capture(int descriptor) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0) return std::nullopt;
  std::optional<Acl> acl = AccessAcl(descriptor);
  std::optional<std::string> names = AttributeNames(descriptor);
  if (!acl || !names) return std::nullopt;

  FileAttributes attributes;
  attributes.owner_ = status.st_uid;
  attributes.group_ = status.st_gid;
  attributes.mode_ = status.st_mode & 07777;
  attributes.acl_ = *acl;
  for (std::size_t start = 0; start < names->size();) {
    const std::string name = names->c_str() + start;
    start += name.size() + 1;
    if (name.starts_with(kAclAttributePrefix)) continue;
    std::optional<std::string> value = AttributeValue(descriptor, name);
    if (!value) return std::nullopt;
    attributes.extended_attributes_.emplace_back(name, std::move(*value));
  }
  return attributes;
}

// Owner first, since a change of owner clears the set-id bits; the ACL after
// the mode, since it sets the group bits to its mask.
bool FileAttributes::ApplyTo(int descriptor) const {
  return fchown(descriptor, owner_, group_) == 0 && fchmod(descriptor, mode_) == 0 && ApplyAcl(descriptor) &&
         ApplyExtendedAttributes(descriptor) && HasArrived(descriptor);
}

bool FileAttributes::ApplyAcl(int descriptor) const {
  return !acl_ || acl_set_fd(descriptor, static_cast<acl_t>(acl_.get())) == 0;
}

bool FileAttributes::ApplyExtendedAttributes(int descriptor) const {
  for (const auto& [name, value] : extended_attributes_) {
    if (fsetxattr(descriptor, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

// The system may drop a set-group-id bit for a group the user is not in
// without failing the call.
bool FileAttributes::HasArrived(int descriptor) const {
  struct stat status {};
  return fstat(descriptor, &status) == 0 && status.st_uid == owner_ && status.st_gid == group_ &&
         (status.st_mode & 07777) == mode_;
}

}  // namespace koravel
