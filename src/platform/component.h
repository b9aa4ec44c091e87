#pragma once
// Components: named objects owned by another component. An owner destroys the
// components it owns (newest first) when it goes, and keeps them in creation
// order so forms and translation walks can visit them by index.
#include "platform/enum_set.h"
#include "platform/persistent.h"
#include <string>
#include <vector>

/// State flags of a component.
enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateFlag>;

/// What happened to a component that another one is told about.
enum TOperation { opInsert, opRemove };

/// Raised for misuse of components: duplicate or invalid names and the like.
class EComponentError : public Exception {
public:
  using Exception::Exception;
};

/// A named object with an owner. Owned components are destroyed with the owner.
class TComponent : public TPersistent {
public:
  /// Creates the component and inserts it into AOwner's list (AOwner may be null).
  explicit TComponent(TComponent *AOwner);
  /// Destroys the owned components, newest first, and leaves the owner's list.
  ~TComponent() override;

  TComponent *Owner() const { return owner_; }
  TPersistent *GetOwner() const override { return owner_; }

  const std::string &Name() const { return name_; }
  /// Sets the name; it must be empty or an identifier unique (ignoring case)
  /// among the owner's components, otherwise EComponentError is raised.
  void SetName(const std::string &Value);
  int Tag() const { return tag_; }
  void SetTag(int Value) { tag_ = Value; }

  int ComponentCount() const { return int(components_.size()); }
  /// The i-th owned component in creation order.
  TComponent *Components(int Index) const;
  /// Position of this component in its owner's list, or -1.
  int ComponentIndex() const;
  /// Owned component by name (ignoring case), or null.
  TComponent *FindComponent(const std::string &AName) const;

  /// Takes over ownership of AComponent (removing it from its previous owner).
  void InsertComponent(TComponent *AComponent);
  /// Gives up ownership of AComponent without destroying it.
  void RemoveComponent(TComponent *AComponent);
  /// Destroys every owned component, newest first (each gets
  /// BeforeDestruction first).
  void DestroyComponents();
  /// Runs BeforeDestruction, then destroys the component. Prefer it (or the
  /// owner) over a bare delete for components with destruction events.
  void Free();
  /// Called just before the component is destroyed by Free or its owner,
  /// while the whole object still exists (forms raise OnDestroy here).
  virtual void BeforeDestruction() {}

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }
  /// Sets or clears a state flag; the form loader sets csLoading and
  /// csReading while it reads. Designing is passed on to owned components.
  void SetComponentStateFlag(TComponentStateFlag Flag, bool On);
  void SetDesigning(bool On);

  /// Called once after the component was read from a form description, in
  /// creation order; clears csLoading. Overrides apply what loading deferred.
  virtual void Loaded();

  /// Asks AComponent to tell this one (through Notification) when it goes.
  void FreeNotification(TComponent *AComponent);
  void RemoveFreeNotification(TComponent *AComponent);

  /// Raises EComponentError with the message "Component "<Name>": <Text>"
  /// that all component programming errors carry.
  [[noreturn]] void ComponentError(const std::string &Text) const;

protected:
  /// Told when a component is inserted into or removed from this one's list,
  /// or when a component this one asked about is destroyed.
  virtual void Notification(TComponent *AComponent, TOperation Operation);
  /// Validates a name change; the default checks identifier syntax and uniqueness.
  virtual void ValidateRename(TComponent *AComponent, const std::string &CurName,
                              const std::string &NewName);

private:
  TComponent *owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  TComponentState state_;
  std::vector<TComponent *> components_;
  std::vector<TComponent *> freeNotifies_;
};

/// True for a valid component name: a letter or '_' followed by letters, digits or '_'.
bool IsValidIdent(const std::string &Text);
