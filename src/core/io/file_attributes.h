#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace koravel {

/// What a file holds besides its bytes: owner, group, mode (with the set-id
/// and sticky bits), access ACL and extended attributes, so that a file
/// written anew can be given all of them.
class FileAttributes {
 public:
  /// Reads them from the open file `descriptor`; nullopt when the system
  /// does not tell them all.
  static std::optional<FileAttributes> Capture(int descriptor);

  /// Gives them to the open file `descriptor`; false when any of them cannot
  /// be carried over (the owner belongs to someone else, a group the user is
  /// not in, an attribute only a privileged user may set).
  bool ApplyTo(int descriptor) const;

 private:
  using Acl = std::shared_ptr<void>;
  using ExtendedAttribute = std::pair<std::string, std::string>;

  bool ApplyAcl(int descriptor) const;
  bool ApplyExtendedAttributes(int descriptor) const;
  bool HasArrived(int descriptor) const;

  uid_t owner_ = 0;
  gid_t group_ = 0;
  mode_t mode_ = 0;
  Acl acl_;
  std::vector<ExtendedAttribute> extended_attributes_;
};

}  // namespace koravel
