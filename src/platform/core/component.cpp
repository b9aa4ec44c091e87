#include "platform/component.h"
#include <algorithm>
#include <cctype>

namespace {
bool SameText(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}
} // namespace

bool IsValidIdent(const std::string &Text) {
  if (Text.empty()) return false;
  auto alpha = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
  if (!alpha(Text[0])) return false;
  return std::all_of(Text.begin(), Text.end(), [&](char c) {
    return alpha(c) || std::isdigit(static_cast<unsigned char>(c));
  });
}

TComponent::TComponent(TComponent *AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_.Include(csDestroying);
  // Whoever asked to be told about this component forgets it now.
  while (!freeNotifies_.empty()) {
    TComponent *other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto &theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent *c = components_.back();
    // The destructor removes it from this list through RemoveComponent.
    c->Free();
  }
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

TComponent *TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    ComponentError("List index out of bounds (" + std::to_string(Index) + ")");
  return components_[std::size_t(Index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto &list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

TComponent *TComponent::FindComponent(const std::string &AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent *c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent *AComponent) {
  if (!AComponent || AComponent->owner_ == this) return;
  if (!AComponent->name_.empty()) ValidateRename(AComponent, std::string(), AComponent->name_);
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent) {
  auto it = std::find(components_.begin(), components_.end(), AComponent);
  if (it == components_.end()) return;
  Notification(AComponent, opRemove);
  components_.erase(std::find(components_.begin(), components_.end(), AComponent));
  AComponent->owner_ = nullptr;
}

void TComponent::SetName(const std::string &Value) {
  if (Value == name_) return;
  if (owner_)
    owner_->ValidateRename(this, name_, Value);
  else
    ValidateRename(nullptr, name_, Value);
  name_ = Value;
}

void TComponent::ValidateRename(TComponent *AComponent, const std::string &CurName,
                                const std::string &NewName) {
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("\"" + NewName + "\" is not a valid component name");
  if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
  TComponent *other = FindComponent(NewName);
  if (other && other != AComponent)
    throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On) {
  if (On)
    state_.Include(Flag);
  else
    state_.Exclude(Flag);
}

void TComponent::SetDesigning(bool On) {
  SetComponentStateFlag(csDesigning, On);
  for (TComponent *c : components_)
    c->SetDesigning(On);
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::FreeNotification(TComponent *AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent *AComponent) {
  if (!AComponent) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), AComponent),
                      freeNotifies_.end());
  auto &theirs = AComponent->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent *, TOperation) {}

void TComponent::ComponentError(const std::string &Text) const {
  throw EComponentError("Component \"" + name_ + "\": " + Text);
}
