#include "platform/property_registry.h"
#include "platform/component.h"
#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

namespace {

bool SameTextIgnoringCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

struct Registry {
  std::vector<std::unique_ptr<TClassInfo>> classes;
  std::map<std::string, TClassInfo *> byName;
  std::unordered_map<std::type_index, TClassInfo *> byType;
  // Dynamic types resolved to their nearest registered class.
  std::unordered_map<std::type_index, const TClassInfo *> resolved;
};

Registry &RawRegistry() {
  static Registry r;
  return r;
}

Registry &TheRegistry() {
  static bool started = false;
  if (!started) {
    started = true;
    RegisterPlatformClasses();
  }
  return RawRegistry();
}

} // namespace

// ---- TObject --------------------------------------------------------------

const TClassInfo *TObject::ClassType() const {
  return ClassOf(this);
}

std::string TObject::ClassName() const {
  const TClassInfo *c = ClassType();
  return c ? c->Name() : std::string("TObject");
}

bool TObject::InheritsFrom(const TClassInfo *cls) const {
  return cls && cls->IsInstance(this);
}

bool TObject::InheritsFrom(const std::string &className) const {
  return InheritsFrom(FindClass(className));
}

// ---- TPersistent ----------------------------------------------------------

void TPersistent::Assign(TPersistent *Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent *Dest) {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                      (Dest ? Dest->ClassName() : std::string("nil")));
}

// ---- TPropInfo -------------------------------------------------------------

const TClassInfo *TPropInfo::ObjectClass() const {
  return FindClass(objectType_);
}

bool TPropInfo::Writable() const {
  switch (kind_) {
  case pkText:
    return bool(setText_);
  case pkFloat:
    return bool(setFloat_);
  case pkObject:
    return bool(setObject_);
  case pkEvent:
    return bool(setEvent_);
  default:
    return bool(setOrd_);
  }
}

void TPropInfo::Require(bool ok, const char *what) const {
  if (!ok) throw EPropertyError("Property " + name_ + " " + what);
}

std::string TPropInfo::GetText(TObject *obj) const {
  Require(kind_ == pkText, "is not a text");
  return getText_(obj);
}
void TPropInfo::SetText(TObject *obj, const std::string &v) const {
  Require(kind_ == pkText, "is not a text");
  Require(bool(setText_), "is read-only");
  setText_(obj, v);
}
std::int64_t TPropInfo::GetOrdinal(TObject *obj) const {
  Require(bool(getOrd_), "has no ordinal value");
  return getOrd_(obj);
}
void TPropInfo::SetOrdinal(TObject *obj, std::int64_t v) const {
  Require(bool(getOrd_), "has no ordinal value");
  Require(bool(setOrd_), "is read-only");
  if (kind_ == pkEnumeration && (v < 0 || v >= std::int64_t(valueNames_.size())))
    throw EPropertyError("Invalid value for property " + name_);
  setOrd_(obj, v);
}
double TPropInfo::GetFloat(TObject *obj) const {
  Require(kind_ == pkFloat, "is not a floating-point number");
  return getFloat_(obj);
}
void TPropInfo::SetFloat(TObject *obj, double v) const {
  Require(kind_ == pkFloat, "is not a floating-point number");
  Require(bool(setFloat_), "is read-only");
  setFloat_(obj, v);
}
TObject *TPropInfo::GetObject(TObject *obj) const {
  Require(kind_ == pkObject, "is not an object reference");
  return getObject_(obj);
}
void TPropInfo::SetObject(TObject *obj, TObject *v) const {
  Require(kind_ == pkObject, "is not an object reference");
  Require(bool(setObject_), "is read-only");
  setObject_(obj, v);
}
std::any TPropInfo::GetEvent(TObject *obj) const {
  Require(kind_ == pkEvent, "is not an event");
  return getEvent_(obj);
}
void TPropInfo::SetEvent(TObject *obj, const std::any &handler) const {
  Require(kind_ == pkEvent, "is not an event");
  if (handler.has_value() && std::type_index(handler.type()) != eventType_)
    throw EPropertyError("Handler does not match the type of event " + name_);
  setEvent_(obj, handler);
}

int TPropInfo::ValueIndex(const std::string &valueName) const {
  for (std::size_t i = 0; i < valueNames_.size(); ++i)
    if (SameTextIgnoringCase(valueNames_[i], valueName)) return int(i);
  return -1;
}

// ---- TClassInfo ------------------------------------------------------------

TPropInfo &TClassInfo::AddProperty(std::string name, TPropKind kind) {
  own_.push_back(std::make_unique<TPropInfo>(std::move(name), kind, this));
  return *own_.back();
}

std::vector<const TPropInfo *> TClassInfo::Properties() const {
  std::vector<const TClassInfo *> chain;
  for (const TClassInfo *c = this; c; c = c->parent_)
    chain.push_back(c);
  std::vector<const TPropInfo *> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const auto &p : (*it)->own_)
      out.push_back(p.get());
  return out;
}

const TPropInfo *TClassInfo::FindProperty(const std::string &name) const {
  // The most derived declaration wins, so search from this class upwards.
  for (const TClassInfo *c = this; c; c = c->parent_)
    for (const auto &p : c->own_)
      if (p->Name() == name) return p.get();
  for (const TClassInfo *c = this; c; c = c->parent_)
    for (const auto &p : c->own_)
      if (SameTextIgnoringCase(p->Name(), name)) return p.get();
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo *cls) const {
  for (const TClassInfo *c = this; c; c = c->parent_)
    if (c == cls) return true;
  return false;
}

TObject *TClassInfo::Create(TComponent *Owner) const {
  if (!create_) throw EPropertyError("Class " + name_ + " cannot be created by name");
  return create_(Owner);
}

// ---- registry --------------------------------------------------------------

TClassInfo &RegisterClassInfo(const std::string &name, std::type_index type,
                              std::type_index parent) {
  Registry &r = TheRegistry();
  if (r.byName.count(name) || r.byType.count(type))
    throw EPropertyError("Class " + name + " is already registered");
  const TClassInfo *parentInfo = nullptr;
  if (parent != std::type_index(typeid(void))) {
    auto it = r.byType.find(parent);
    if (it == r.byType.end())
      throw EPropertyError("Class " + name + " is registered before its ancestor");
    parentInfo = it->second;
  }
  r.classes.push_back(std::make_unique<TClassInfo>(name, parentInfo, type));
  TClassInfo *info = r.classes.back().get();
  r.byName[name] = info;
  r.byType[type] = info;
  r.resolved.clear();
  return *info;
}

const TClassInfo *FindClass(const std::string &name) {
  Registry &r = TheRegistry();
  auto it = r.byName.find(name);
  if (it != r.byName.end()) return it->second;
  for (const auto &c : r.classes)
    if (SameTextIgnoringCase(c->Name(), name)) return c.get();
  return nullptr;
}

const TClassInfo *FindClass(std::type_index type) {
  Registry &r = TheRegistry();
  auto it = r.byType.find(type);
  return it == r.byType.end() ? nullptr : it->second;
}

const TClassInfo *ClassOf(const TObject *obj) {
  if (!obj) return nullptr;
  Registry &r = TheRegistry();
  std::type_index dyn(typeid(*obj));
  if (auto it = r.byType.find(dyn); it != r.byType.end()) return it->second;
  if (auto it = r.resolved.find(dyn); it != r.resolved.end()) return it->second;
  // Nearest registered ancestor: the deepest class the object is an instance of.
  const TClassInfo *best = nullptr;
  int bestDepth = -1;
  for (const auto &c : r.classes) {
    if (!c->IsInstance(obj)) continue;
    int depth = 0;
    for (const TClassInfo *p = c->Parent(); p; p = p->Parent())
      ++depth;
    if (depth > bestDepth) {
      best = c.get();
      bestDepth = depth;
    }
  }
  r.resolved[dyn] = best;
  return best;
}

std::vector<const TClassInfo *> RegisteredClasses() {
  std::vector<const TClassInfo *> out;
  for (const auto &c : TheRegistry().classes)
    out.push_back(c.get());
  return out;
}

void CopyPublishedValues(TObject *Source, TObject *Dest) {
  const TClassInfo *src = ClassOf(Source);
  const TClassInfo *dst = ClassOf(Dest);
  if (!src || !dst) return;
  for (const TPropInfo *p : src->Properties()) {
    // Only properties declared by a class both objects belong to are shared.
    if (!Dest->InheritsFrom(p->DeclaringClass()) || !p->Writable()) continue;
    switch (p->Kind()) {
    case pkText:
      p->SetText(Dest, p->GetText(Source));
      break;
    case pkFloat:
      p->SetFloat(Dest, p->GetFloat(Source));
      break;
    case pkObject:
    case pkEvent:
      break;
    default:
      p->SetOrdinal(Dest, p->GetOrdinal(Source));
      break;
    }
  }
}
