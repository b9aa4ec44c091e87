#pragma once
// Root of the object model: every object that can be named on a form, copied
// with Assign or inspected through its published properties derives from here.
#include "platform/exceptions.h"
#include <functional>
#include <string>

class TClassInfo;

/// Root of all framework objects. Its class is looked up in the class
/// registry, so a class that is not registered reports its nearest registered
/// ancestor.
class TObject {
public:
  TObject() = default;
  TObject(const TObject &) = delete;
  TObject &operator=(const TObject &) = delete;
  virtual ~TObject() = default;

  /// Registered class of this object (own class or nearest registered ancestor).
  const TClassInfo *ClassType() const;
  /// Name of ClassType(), or "TObject" when nothing is registered for it.
  std::string ClassName() const;
  /// "Is a" test including descendants.
  bool InheritsFrom(const TClassInfo *cls) const;
  bool InheritsFrom(const std::string &className) const;
};

/// The common event shape: something happened to Sender.
using TNotifyEvent = std::function<void(TObject *Sender)>;

/// Raised when an object cannot take over the state of another.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

/// An object whose state can be copied from another with Assign.
class TPersistent : public TObject {
public:
  /// Takes over the state of Source. The default lets Source try AssignTo and
  /// raises EConvertError when neither side knows the other.
  virtual void Assign(TPersistent *Source);
  /// Copies this object's state into Dest; the default refuses with EConvertError.
  virtual void AssignTo(TPersistent *Dest);
  /// The object this one belongs to (a component's owner, a collection item's
  /// collection), used to build names for messages.
  virtual TPersistent *GetOwner() const { return nullptr; }
};
