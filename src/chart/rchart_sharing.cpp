// Data sharing between charts: a user chart shows its owner's display list
// (the very storage, so commands on any member extend the common picture).
// The charts refer to each other without owning each other; the storage is
// held in common by their display lists, and every chart unlinks itself when
// it leaves the group or is destroyed.
#include "chart/rchart_layer.h"
#include "platform/message_box.h"

namespace {
constexpr int MaxDataUsers = 4;
} // namespace

TCustomRChart *TCustomRChart::DataUser(int I) const {
  return (I >= 0 && I < userCount_) ? users_[std::size_t(I)] : nullptr;
}

void TCustomRChart::SetUseDataOf(TCustomRChart *Value) {
  if (Value == this) {
    ShowMessage("RChart: Cannot share data with myself");
    return;
  }
  if (userCount_ > 0) {
    ShowMessage("RChart: Cannot use foreign data. Other RCharts are using my own data.");
    return;
  }
  // Groups have one level: naming a user means naming its owner. That also
  // makes naming a fellow user of the current owner a request for no change.
  TCustomRChart *root = (Value && Value->useDataOf_) ? Value->useDataOf_ : Value;
  if (root == useDataOf_) return;
  if (root) {
    if (root->userCount_ >= MaxDataUsers) {
      ShowMessage("RChart: Max. number of data shares exceeded");
      return;
    }
    LeaveOwner();
    useDataOf_ = root;
    list_.ShareWith(root->list_);
    root->users_[std::size_t(root->userCount_++)] = this;
  } else {
    LeaveOwner();
    list_.MakePrivate(); // goes on with what it showed, now on its own
  }
  RepaintRequest();
}

void TCustomRChart::LeaveOwner() {
  TCustomRChart *owner = useDataOf_;
  if (!owner) return;
  int j = 0;
  for (int i = 0; i < owner->userCount_; ++i)
    if (owner->users_[std::size_t(i)] != this)
      owner->users_[std::size_t(j++)] = owner->users_[std::size_t(i)];
  for (int i = j; i < owner->userCount_; ++i)
    owner->users_[std::size_t(i)] = nullptr;
  owner->userCount_ = j;
  useDataOf_ = nullptr;
}

void TCustomRChart::LeaveShareGroup() {
  LeaveOwner();
  // The users of a going owner each keep what they show, each on its own, so
  // that one user's commands no longer reach another.
  for (int i = 0; i < userCount_; ++i) {
    TCustomRChart *user = users_[std::size_t(i)];
    user->useDataOf_ = nullptr;
    user->list_.MakePrivate();
    users_[std::size_t(i)] = nullptr;
  }
  userCount_ = 0;
}
