#pragma once
// The class registry and its published properties: the only reflection the
// framework has. It lets the form loader create objects by class name and set
// properties by name, lets the form translation enumerate every text of an
// object, and supports generic property copies.
//
// Registering a class:
//
//   RegisterClass<TMyPanel, TPanel>("TMyPanel")
//       .Text("Caption", &TMyPanel::Caption, &TMyPanel::SetCaption)
//       .Integer("Margin", &TMyPanel::Margin, &TMyPanel::SetMargin)
//       .Enum("Style", &TMyPanel::Style, &TMyPanel::SetStyle, {"psFlat", "psRound"})
//       .Object("Font", &TMyPanel::Font)
//       .Event("OnChange", &TMyPanel::OnChange);
//
// Accessors may be member function pointers or callables taking a T*. Classes
// are registered ancestors first; a library registers its classes from one
// idempotent function (see RegisterPlatformClasses) that its users call once.
#include "platform/enum_set.h"
#include "platform/persistent.h"
#include <any>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

class TComponent;

/// The kinds of published properties.
enum TPropKind {
  pkText,
  pkInteger,
  pkFloat,
  pkBoolean,
  pkEnumeration,
  pkSet,
  pkColor,
  pkObject,
  pkEvent
};

/// Raised when a property is used against its kind or is not writable.
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};

/// One published property of a class: name, kind and typed accessors.
class TPropInfo {
public:
  const std::string &Name() const { return name_; }
  TPropKind Kind() const { return kind_; }
  /// The class that declared the property.
  const TClassInfo *DeclaringClass() const { return owner_; }
  /// Value names of an enumeration (by ordinal) or of a set's elements (by bit).
  const std::vector<std::string> &ValueNames() const { return valueNames_; }
  /// Declared class of an object property (may be null when not registered).
  const TClassInfo *ObjectClass() const;
  /// Signature of an event property's handler (std::function type).
  std::type_index EventType() const { return eventType_; }
  bool Writable() const;

  std::string GetText(TObject *obj) const;
  void SetText(TObject *obj, const std::string &v) const;
  /// Integer, boolean (0/1), enumeration (ordinal), set (bit mask) and colour values.
  std::int64_t GetOrdinal(TObject *obj) const;
  void SetOrdinal(TObject *obj, std::int64_t v) const;
  double GetFloat(TObject *obj) const;
  void SetFloat(TObject *obj, double v) const;
  /// The referenced object; a property without a setter is still "writable"
  /// through the object it returns (fonts, string lists, axis objects).
  TObject *GetObject(TObject *obj) const;
  void SetObject(TObject *obj, TObject *v) const;
  /// The handler held by an event property, as a std::function inside std::any
  /// (empty any when none is assigned).
  std::any GetEvent(TObject *obj) const;
  /// Assigns a handler; an empty any clears it. Throws EPropertyError when the
  /// handler's type does not match EventType().
  void SetEvent(TObject *obj, const std::any &handler) const;

  /// Ordinal of an enumeration value name, or -1 (case-insensitive).
  int ValueIndex(const std::string &valueName) const;

  // Accessors set by the registration builder.
  std::function<std::string(TObject *)> getText_;
  std::function<void(TObject *, const std::string &)> setText_;
  std::function<std::int64_t(TObject *)> getOrd_;
  std::function<void(TObject *, std::int64_t)> setOrd_;
  std::function<double(TObject *)> getFloat_;
  std::function<void(TObject *, double)> setFloat_;
  std::function<TObject *(TObject *)> getObject_;
  std::function<void(TObject *, TObject *)> setObject_;
  std::function<std::any(TObject *)> getEvent_;
  std::function<void(TObject *, const std::any &)> setEvent_;

  TPropInfo(std::string name, TPropKind kind, const TClassInfo *owner)
      : name_(std::move(name)), kind_(kind), owner_(owner) {}
  std::vector<std::string> valueNames_;
  std::type_index objectType_ = typeid(void);
  std::type_index eventType_ = typeid(void);

private:
  void Require(bool ok, const char *what) const;
  std::string name_;
  TPropKind kind_;
  const TClassInfo *owner_;
};

/// A registered class: its name, parent, published properties and factory.
class TClassInfo {
public:
  const std::string &Name() const { return name_; }
  const TClassInfo *Parent() const { return parent_; }
  std::type_index Type() const { return type_; }
  /// Published properties: ancestors' first, then the class's own, each in
  /// declaration order.
  std::vector<const TPropInfo *> Properties() const;
  /// The properties this class declared itself.
  const std::vector<std::unique_ptr<TPropInfo>> &OwnProperties() const { return own_; }
  /// Property by name (exact match first, then ignoring case), or null.
  const TPropInfo *FindProperty(const std::string &name) const;
  /// True when this class is cls or derives from it.
  bool InheritsFrom(const TClassInfo *cls) const;
  /// True when obj is an instance of this class or of a descendant.
  bool IsInstance(const TObject *obj) const { return isInstance_ && isInstance_(obj); }
  /// Whether the loader can create instances by name.
  bool CanCreate() const { return bool(create_); }
  /// Creates an instance; components get Owner as their owner.
  TObject *Create(TComponent *Owner) const;

  /// Optional: fills an object of this class from a name (file or resource),
  /// used when a form assigns a text to an object property (pictures).
  std::function<void(TObject *, const std::string &)> LoadFromName;
  /// Optional: fills an object of this class from binary data written in a form.
  std::function<void(TObject *, const std::string &)> LoadFromData;

  TClassInfo(std::string name, const TClassInfo *parent, std::type_index type)
      : name_(std::move(name)), parent_(parent), type_(type) {}
  std::function<bool(const TObject *)> isInstance_;
  std::function<TObject *(TComponent *)> create_;
  TPropInfo &AddProperty(std::string name, TPropKind kind);

private:
  std::string name_;
  const TClassInfo *parent_;
  std::type_index type_;
  std::vector<std::unique_ptr<TPropInfo>> own_;
};

/// Registry lookups.
const TClassInfo *FindClass(const std::string &name);
const TClassInfo *FindClass(std::type_index type);
/// Registered class of an object, or its nearest registered ancestor.
const TClassInfo *ClassOf(const TObject *obj);
template <class T> const TClassInfo *ClassInfoOf() {
  return FindClass(std::type_index(typeid(T)));
}
/// All registered classes in registration order.
std::vector<const TClassInfo *> RegisteredClasses();

/// Registers the framework's own classes once; every registry lookup calls
/// it. Each back end defines it: the core's classes first
/// (RegisterCoreClasses), then the back end's own.
void RegisterPlatformClasses();
/// Registers the core's classes (object model, strings, collections,
/// components, font, pen and brush). Called by RegisterPlatformClasses only.
void RegisterCoreClasses();
/// Registers pictures, icons and the controls with their published
/// properties; a back end whose controls exist calls it after
/// RegisterCoreClasses.
void RegisterControlClasses();

/// Adds a class (throws EPropertyError when the type or the name is taken, or
/// when the parent is not registered).
TClassInfo &RegisterClassInfo(const std::string &name, std::type_index type,
                              std::type_index parent);

/// Stand-in through which the registry reaches an object of a class outside
/// the TObject tree (the graphics tools and bitmaps). Register such a class
/// with RegisterForeignClass<X>("TX") and publish properties on
/// TForeignObject<X>, reading and writing through Target.
template <class X> class TForeignObject : public TPersistent {
public:
  explicit TForeignObject(X *target) : Target(target) {}
  X *Target;
  /// Copies between two stand-ins of the same class through X::Assign.
  void Assign(TPersistent *Source) override {
    if (auto *src = dynamic_cast<TForeignObject *>(Source)) {
      if (src->Target != Target) Target->Assign(*src->Target);
      return;
    }
    TPersistent::Assign(Source);
  }
};

/// The stand-in for a foreign object (null for null). Stand-ins live as long
/// as the program and are reused for the same address, so they stay valid for
/// whatever object of that class lives there.
template <class X> TForeignObject<X> *ForeignObjectFor(X *target) {
  if (!target) return nullptr;
  static std::unordered_map<X *, std::unique_ptr<TForeignObject<X>>> standIns;
  auto &slot = standIns[target];
  if (!slot) slot = std::make_unique<TForeignObject<X>>(target);
  return slot.get();
}

namespace property_detail {
template <class T, class F> decltype(auto) Get(F &f, TObject *o) {
  return std::invoke(f, static_cast<T *>(o));
}
template <class T, class F, class V> void Set(F &f, TObject *o, V &&v) {
  std::invoke(f, static_cast<T *>(o), std::forward<V>(v));
}
template <class F, class T> using Result = std::decay_t<std::invoke_result_t<F &, T *>>;
template <class> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type { using Element = E; };
} // namespace property_detail

/// Builder returned by RegisterClass: adds published properties of T in
/// declaration order. Setters may be nullptr for read-only properties.
template <class T> class TPublished {
public:
  explicit TPublished(TClassInfo &info) : info_(&info) {}
  TClassInfo &Info() const { return *info_; }

  template <class G, class S> TPublished &Text(const char *name, G get, S set) {
    TPropInfo &p = info_->AddProperty(name, pkText);
    p.getText_ = [get](TObject *o) { return std::string(property_detail::Get<T>(get, o)); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.setText_ = [set](TObject *o, const std::string &v) { property_detail::Set<T>(set, o, v); };
    return *this;
  }
  template <class G, class S> TPublished &Integer(const char *name, G get, S set) {
    Ordinal(name, pkInteger, get, set);
    return *this;
  }
  template <class G, class S> TPublished &Boolean(const char *name, G get, S set) {
    Ordinal(name, pkBoolean, get, set);
    return *this;
  }
  template <class G, class S> TPublished &Color(const char *name, G get, S set) {
    Ordinal(name, pkColor, get, set);
    return *this;
  }
  template <class G, class S>
  TPublished &Enum(const char *name, G get, S set, std::vector<std::string> names) {
    Ordinal(name, pkEnumeration, get, set).valueNames_ = std::move(names);
    return *this;
  }
  /// Same, with the value names an enumeration publishes beside itself.
  template <class G, class S, std::size_t N>
  TPublished &Enum(const char *name, G get, S set, const std::array<const char *, N> &names) {
    return Enum(name, get, set, std::vector<std::string>(names.begin(), names.end()));
  }
  /// A set property: the getter returns a TSet<E> or an integral bit mask.
  template <class G, class S>
  TPublished &Set(const char *name, G get, S set, std::vector<std::string> names) {
    Ordinal(name, pkSet, get, set).valueNames_ = std::move(names);
    return *this;
  }
  template <class G, class S, std::size_t N>
  TPublished &Set(const char *name, G get, S set, const std::array<const char *, N> &names) {
    return Set(name, get, set, std::vector<std::string>(names.begin(), names.end()));
  }
  template <class G, class S> TPublished &Float(const char *name, G get, S set) {
    TPropInfo &p = info_->AddProperty(name, pkFloat);
    p.getFloat_ = [get](TObject *o) { return double(property_detail::Get<T>(get, o)); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.setFloat_ = [set](TObject *o, double v) { property_detail::Set<T>(set, o, v); };
    return *this;
  }
  /// An object property; the getter returns a pointer to the object. Without
  /// a setter the loader and the translation still reach into the object.
  /// Objects of classes outside the TObject tree (fonts, pens, brushes,
  /// bitmaps) are reached through their TForeignObject stand-in.
  template <class G, class S = std::nullptr_t>
  TPublished &Object(const char *name, G get, S set = nullptr) {
    using R = property_detail::Result<G, T>;
    static_assert(std::is_pointer_v<R>, "object property getters return a pointer");
    using Obj = std::remove_cv_t<std::remove_pointer_t<R>>;
    TPropInfo &p = info_->AddProperty(name, pkObject);
    if constexpr (!std::is_base_of_v<TObject, Obj>) {
      static_assert(std::is_null_pointer_v<S>, "foreign object properties have no setter");
      p.objectType_ = typeid(TForeignObject<Obj>);
      p.getObject_ = [get](TObject *o) -> TObject * {
        return ForeignObjectFor(const_cast<Obj *>(property_detail::Get<T>(get, o)));
      };
      return *this;
    } else {
      p.objectType_ = typeid(Obj);
      p.getObject_ = [get](TObject *o) -> TObject * {
        return const_cast<Obj *>(property_detail::Get<T>(get, o));
      };
    }
    if constexpr (!std::is_null_pointer_v<S>)
      p.setObject_ = [set](TObject *o, TObject *v) {
        Obj *typed = v ? dynamic_cast<Obj *>(v) : nullptr;
        if (v && !typed) throw EPropertyError("Invalid class for an object property");
        property_detail::Set<T>(set, o, typed);
      };
    return *this;
  }
  /// An event property held in a std::function member of T.
  template <class F> TPublished &Event(const char *name, std::function<F> T::*member) {
    TPropInfo &p = info_->AddProperty(name, pkEvent);
    p.eventType_ = typeid(std::function<F>);
    p.getEvent_ = [member](TObject *o) -> std::any {
      const auto &fn = static_cast<T *>(o)->*member;
      return fn ? std::any(fn) : std::any();
    };
    p.setEvent_ = [member](TObject *o, const std::any &h) {
      static_cast<T *>(o)->*member = h.has_value() ? std::any_cast<std::function<F>>(h) : nullptr;
    };
    return *this;
  }

private:
  template <class G, class S> TPropInfo &Ordinal(const char *name, TPropKind kind, G get, S set) {
    using R = property_detail::Result<G, T>;
    TPropInfo &p = info_->AddProperty(name, kind);
    p.getOrd_ = [get](TObject *o) -> std::int64_t {
      if constexpr (property_detail::IsSet<R>::value)
        return std::int64_t(property_detail::Get<T>(get, o).Bits());
      else
        return std::int64_t(property_detail::Get<T>(get, o));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.setOrd_ = [set](TObject *o, std::int64_t v) {
        if constexpr (property_detail::IsSet<R>::value)
          property_detail::Set<T>(set, o, R::FromBits(std::uint64_t(v)));
        else if constexpr (std::is_same_v<R, bool>)
          property_detail::Set<T>(set, o, v != 0);
        else
          property_detail::Set<T>(set, o, static_cast<R>(v));
      };
    return p;
  }
  TClassInfo *info_;
};

/// Registers T as a descendant of Base (use TObject for a root class) and
/// returns the builder for its published properties. T is creatable by the
/// loader when it is a non-abstract component constructible from an owner, or
/// a non-abstract default-constructible class.
template <class T, class Base> TPublished<T> RegisterClass(const std::string &name) {
  static_assert(std::is_void_v<Base> || std::is_base_of_v<Base, T>, "Base must be an ancestor");
  TClassInfo &info = RegisterClassInfo(name, typeid(T), typeid(Base));
  info.isInstance_ = [](const TObject *o) { return dynamic_cast<const T *>(o) != nullptr; };
  if constexpr (!std::is_abstract_v<T>) {
    if constexpr (std::is_constructible_v<T, TComponent *>)
      info.create_ = [](TComponent *owner) -> TObject * { return new T(owner); };
    else if constexpr (std::is_default_constructible_v<T>)
      info.create_ = [](TComponent *) -> TObject * { return new T(); };
  }
  return TPublished<T>(info);
}

/// Registers X, a class outside the TObject tree, under the given name.
template <class X> TPublished<TForeignObject<X>> RegisterForeignClass(const std::string &name) {
  TClassInfo &info = RegisterClassInfo(name, typeid(TForeignObject<X>), typeid(TPersistent));
  info.isInstance_ = [](const TObject *o) {
    return dynamic_cast<const TForeignObject<X> *>(o) != nullptr;
  };
  return TPublished<TForeignObject<X>>(info);
}

/// Copies every published text, number, boolean, enumeration, set and colour
/// property that Dest's class shares with Source's class (events and object
/// references are left alone). Used for Assign-style copies.
void CopyPublishedValues(TObject *Source, TObject *Dest);
