// Reading form descriptions: a tokenizer and parser that turn the whole text
// into a tree first (so syntax errors never build anything), then a builder
// that creates the components and sets their properties through the class
// registry.
#include "platform/form_loader.h"
#include "platform/collection.h"
#include "platform/color_names.h"
#include "platform/control.h"
#include "platform/property_registry.h"
#include "platform/resources.h"
#include "platform/strings.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <variant>
#include <vector>

namespace {

bool SameText(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// ---- tokens ---------------------------------------------------------------------

enum TokKind { tkIdent, tkInt, tkFloat, tkString, tkBinary, tkSymbol, tkEnd };

struct Token {
  TokKind kind = tkEnd;
  std::string text; // identifier, symbol, string contents or binary bytes
  std::int64_t ival = 0;
  double fval = 0;
  int line = 1;
};

void AppendUtf8(std::string &out, unsigned long code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

class Lexer {
public:
  explicit Lexer(const std::string &text) : s_(text) {}

  Token Next() {
    SkipSpace();
    Token t;
    t.line = line_;
    if (pos_ >= s_.size()) return t;
    char c = s_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      t.kind = tkIdent;
      while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) ||
                                  s_[pos_] == '_' || s_[pos_] == '.'))
        t.text += s_[pos_++];
      return t;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' ||
        ((c == '-' || c == '+') && pos_ + 1 < s_.size() &&
         (std::isdigit(static_cast<unsigned char>(s_[pos_ + 1])) || s_[pos_ + 1] == '$')))
      return Number(t);
    if (c == '\'' || c == '#') return String(t);
    if (c == '{') return Binary(t);
    t.kind = tkSymbol;
    t.text = std::string(1, c);
    ++pos_;
    return t;
  }

private:
  [[noreturn]] void Fail(const std::string &what) const { throw EFormError(line_, what); }

  void SkipSpace() {
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n')
          ++pos_;
      } else {
        break;
      }
    }
  }

  Token Number(Token t) {
    std::size_t start = pos_;
    bool negative = false;
    if (s_[pos_] == '-' || s_[pos_] == '+') negative = s_[pos_++] == '-';
    bool hex = false;
    if (s_[pos_] == '$') {
      hex = true;
      ++pos_;
    } else if (s_[pos_] == '0' && pos_ + 1 < s_.size() &&
               (s_[pos_ + 1] == 'x' || s_[pos_ + 1] == 'X')) {
      hex = true;
      pos_ += 2;
    }
    if (hex) {
      std::size_t digits = pos_;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_])))
        ++pos_;
      if (pos_ == digits || pos_ - digits > 16) Fail("Invalid hexadecimal number");
      std::uint64_t v = std::strtoull(s_.substr(digits, pos_ - digits).c_str(), nullptr, 16);
      t.kind = tkInt;
      // A hexadecimal number is a bit pattern: negating it wraps, so
      // -$8000000000000000 is the smallest 64-bit integer, not an overflow.
      t.ival = std::int64_t(negative ? 0 - v : v);
      return t;
    }
    bool isFloat = false;
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++pos_;
      } else if (c == '.' || c == 'e' || c == 'E') {
        isFloat = true;
        ++pos_;
        if ((c == 'e' || c == 'E') && pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+'))
          ++pos_;
      } else {
        break;
      }
    }
    std::string text = s_.substr(start, pos_ - start);
    errno = 0;
    char *end = nullptr;
    if (isFloat) {
      t.kind = tkFloat;
      t.fval = std::strtod(text.c_str(), &end);
    } else {
      t.kind = tkInt;
      t.ival = std::strtoll(text.c_str(), &end, 10);
    }
    if (!end || *end != '\0' || errno == ERANGE) Fail("Invalid number " + text);
    return t;
  }

  // 'quoted' parts with '' for a quote and #code characters, written next to
  // each other; a '+' continues the string on the next line.
  Token String(Token t) {
    t.kind = tkString;
    for (;;) {
      if (pos_ < s_.size() && s_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("Unterminated string");
          if (s_[pos_] == '\'') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
              t.text += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          t.text += s_[pos_++];
        }
      } else if (pos_ < s_.size() && s_[pos_] == '#') {
        ++pos_;
        std::size_t digits = pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])))
          ++pos_;
        if (pos_ == digits || pos_ - digits > 7) Fail("Invalid character code");
        unsigned long code = std::strtoul(s_.substr(digits, pos_ - digits).c_str(), nullptr, 10);
        if (code > 0x10FFFF) Fail("Invalid character code");
        AppendUtf8(t.text, code);
      } else {
        // A '+' followed by another string part continues the string.
        std::size_t save = pos_;
        int saveLine = line_;
        SkipSpace();
        if (pos_ < s_.size() && s_[pos_] == '+') {
          ++pos_;
          SkipSpace();
          if (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) continue;
          Fail("String expected after '+'");
        }
        pos_ = save;
        line_ = saveLine;
        return t;
      }
    }
  }

  Token Binary(Token t) {
    t.kind = tkBinary;
    ++pos_;
    int nibble = -1;
    for (;;) {
      if (pos_ >= s_.size()) Fail("Unterminated binary data");
      char c = s_[pos_++];
      if (c == '}') break;
      if (c == '\n') {
        ++line_;
        continue;
      }
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("Invalid character in binary data");
      int v = std::isdigit(static_cast<unsigned char>(c))
                  ? c - '0'
                  : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
      if (nibble < 0) {
        nibble = v;
      } else {
        t.text += char(nibble * 16 + v);
        nibble = -1;
      }
    }
    if (nibble >= 0) Fail("Odd number of digits in binary data");
    return t;
  }

  const std::string &s_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// ---- tree -----------------------------------------------------------------------

struct PropAssign;

struct Value {
  enum Kind { Int, Float, String, Ident, Set, List, Binary, Items } kind = Int;
  std::int64_t ival = 0;
  double fval = 0;
  std::string text;                           // string, identifier or binary bytes
  std::vector<std::string> names;             // set elements
  std::vector<Value> list;                    // list items
  std::vector<std::vector<PropAssign>> items; // collection items
  int line = 0;
};

struct PropAssign {
  std::string path;
  Value value;
  int line = 0;
};

struct ObjectNode {
  std::string name;
  std::string className;
  int line = 0;
  std::vector<PropAssign> props;
  std::vector<ObjectNode> children;
};

/// Deepest nesting of objects, lists and collections a description may
/// use. Reading recurses once per level, so without a bound a hostile
/// description could exhaust the stack; real forms nest a few levels.
constexpr int MaxNesting = 256;

class Parser {
public:
  explicit Parser(const std::string &text) : lex_(text) { Advance(); }

  ObjectNode ParseRoot() {
    ObjectNode root = ParseObject();
    if (tok_.kind != tkEnd) Fail("Unexpected text after the end of the form");
    return root;
  }

private:
  [[noreturn]] void Fail(const std::string &what) const { throw EFormError(tok_.line, what); }
  void Advance() { tok_ = lex_.Next(); }
  bool IsSymbol(const char *s) const { return tok_.kind == tkSymbol && tok_.text == s; }
  bool IsWord(const char *w) const { return tok_.kind == tkIdent && SameText(tok_.text, w); }
  static std::string Describe(const Token &t) {
    switch (t.kind) {
    case tkEnd:
      return "end of text";
    case tkString:
      return "a string";
    case tkBinary:
      return "binary data";
    case tkInt:
    case tkFloat:
      return "a number";
    default:
      return "'" + t.text + "'";
    }
  }
  void ExpectSymbol(const char *s) {
    if (!IsSymbol(s)) Fail(std::string("'") + s + "' expected but " + Describe(tok_) + " found");
    Advance();
  }
  std::string ExpectIdent(const char *what) {
    if (tok_.kind != tkIdent || tok_.text.find('.') != std::string::npos)
      Fail(std::string(what) + " expected but " + Describe(tok_) + " found");
    std::string s = tok_.text;
    Advance();
    return s;
  }

  // Counts one level of nesting for as long as it lives.
  class Level {
  public:
    explicit Level(Parser &P) : p_(P) {
      if (++p_.depth_ > MaxNesting)
        p_.Fail("Nesting deeper than " + std::to_string(MaxNesting) + " levels");
    }
    ~Level() { --p_.depth_; }
    Level(const Level &) = delete;
    Level &operator=(const Level &) = delete;

  private:
    Parser &p_;
  };

  ObjectNode ParseObject() {
    const Level level(*this);
    ObjectNode node;
    node.line = tok_.line;
    if (!IsWord("object")) Fail("'object' expected but " + Describe(tok_) + " found");
    Advance();
    std::string first = ExpectIdent("Component name");
    if (IsSymbol(":")) {
      Advance();
      node.name = first;
      node.className = ExpectIdent("Class name");
    } else {
      node.className = first; // an unnamed component
    }
    for (;;) {
      if (IsWord("end")) {
        Advance();
        return node;
      }
      if (IsWord("object")) {
        node.children.push_back(ParseObject());
        continue;
      }
      if (tok_.kind != tkIdent)
        Fail("Property name, 'object' or 'end' expected but " + Describe(tok_) + " found");
      node.props.push_back(ParseAssign());
    }
  }

  PropAssign ParseAssign() {
    PropAssign a;
    a.line = tok_.line;
    a.path = tok_.text;
    if (a.path.front() == '.' || a.path.back() == '.' || a.path.find("..") != std::string::npos)
      Fail("Invalid property name " + a.path);
    Advance();
    ExpectSymbol("=");
    a.value = ParseValue();
    return a;
  }

  Value ParseValue() {
    const Level level(*this);
    Value v;
    v.line = tok_.line;
    switch (tok_.kind) {
    case tkInt:
      v.kind = Value::Int;
      v.ival = tok_.ival;
      Advance();
      return v;
    case tkFloat:
      v.kind = Value::Float;
      v.fval = tok_.fval;
      Advance();
      return v;
    case tkString:
      v.kind = Value::String;
      v.text = tok_.text;
      Advance();
      return v;
    case tkBinary:
      v.kind = Value::Binary;
      v.text = tok_.text;
      Advance();
      return v;
    case tkIdent:
      if (IsWord("end") || IsWord("object"))
        Fail("Value expected but " + Describe(tok_) + " found");
      v.kind = Value::Ident;
      v.text = tok_.text;
      Advance();
      return v;
    case tkSymbol:
      break;
    case tkEnd:
      Fail("Value expected but end of text found");
    }
    if (IsSymbol("[")) {
      v.kind = Value::Set;
      Advance();
      while (!IsSymbol("]")) {
        v.names.push_back(ExpectIdent("Set element"));
        if (IsSymbol(","))
          Advance();
        else if (!IsSymbol("]"))
          Fail("',' or ']' expected but " + Describe(tok_) + " found");
      }
      Advance();
      return v;
    }
    if (IsSymbol("(")) {
      v.kind = Value::List;
      Advance();
      while (!IsSymbol(")")) {
        if (tok_.kind == tkEnd) Fail("')' expected but end of text found");
        v.list.push_back(ParseValue());
      }
      Advance();
      return v;
    }
    if (IsSymbol("<")) {
      v.kind = Value::Items;
      Advance();
      while (!IsSymbol(">")) {
        if (!IsWord("item")) Fail("'item' or '>' expected but " + Describe(tok_) + " found");
        Advance();
        std::vector<PropAssign> props;
        while (!IsWord("end")) {
          if (tok_.kind != tkIdent)
            Fail("Property name or 'end' expected but " + Describe(tok_) + " found");
          props.push_back(ParseAssign());
        }
        Advance();
        v.items.push_back(std::move(props));
      }
      Advance();
      return v;
    }
    Fail("Value expected but " + Describe(tok_) + " found");
  }

  Lexer lex_;
  Token tok_;
  int depth_ = 0;
};

// ---- building -----------------------------------------------------------------

std::vector<std::string> SplitPath(const std::string &path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

/// The picture hook of an object's class or of its nearest ancestor with one.
template <class Hook>
const std::function<void(TObject *, const std::string &)> *FindHook(const TClassInfo *cls,
                                                                    Hook member) {
  for (; cls; cls = cls->Parent())
    if (cls->*member) return &(cls->*member);
  return nullptr;
}

class Builder {
public:
  Builder(TComponent *root, const THandlerTable *handlers) : root_(root), handlers_(handlers) {}

  void Build(const ObjectNode &top) {
    line_ = top.line;
    if (const TClassInfo *cls = FindClass(top.className); cls && !root_->InheritsFrom(cls))
      throw EFormError(top.line, "The form description is for " + top.className + ", not " +
                                     root_->ClassName());
    SetLoading(root_, true);
    try {
      if (!top.name.empty() && root_->Name().empty()) root_->SetName(top.name);
      ApplyProps(root_, top.props);
      auto *parent = dynamic_cast<TWinControl *>(root_);
      for (const ObjectNode &child : top.children)
        BuildChild(child, parent);
      ResolveReferences();
    } catch (const EFormError &) {
      Abandon();
      throw;
    } catch (const std::exception &e) {
      Abandon();
      const auto *ex = dynamic_cast<const Exception *>(&e);
      throw EFormError(line_, ex ? ex->Message() : std::string(e.what()));
    }
    // Reading is over; Loaded (which clears csLoading) runs with every
    // component in place, in creation order.
    root_->SetComponentStateFlag(csReading, false);
    for (TComponent *c : created_)
      c->SetComponentStateFlag(csReading, false);
    root_->Loaded();
    for (TComponent *c : created_)
      c->Loaded();
  }

private:
  static void SetLoading(TComponent *c, bool on) {
    c->SetComponentStateFlag(csLoading, on);
    c->SetComponentStateFlag(csReading, on);
  }

  void Abandon() {
    // Destroy what this reading created, newest first; the root stays as it was.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      delete *it;
    created_.clear();
    SetLoading(root_, false);
  }

  [[noreturn]] void Fail(const std::string &what) const { throw EFormError(line_, what); }

  void BuildChild(const ObjectNode &node, TWinControl *parent) {
    line_ = node.line;
    const TClassInfo *cls = FindClass(node.className);
    if (!cls) Fail("Class " + node.className + " not found");
    if (!cls->CanCreate()) Fail("Class " + node.className + " cannot be created");
    TObject *obj = cls->Create(root_);
    auto *comp = dynamic_cast<TComponent *>(obj);
    if (!comp) {
      delete obj;
      Fail("Class " + node.className + " is not a component");
    }
    if (comp->Owner() != root_) root_->InsertComponent(comp);
    created_.push_back(comp);
    SetLoading(comp, true);
    if (!node.name.empty()) comp->SetName(node.name);
    auto *control = dynamic_cast<TControl *>(comp);
    if (control && parent) control->SetParent(parent);
    ApplyProps(comp, node.props);
    auto *childParent = dynamic_cast<TWinControl *>(comp);
    for (const ObjectNode &child : node.children)
      BuildChild(child, childParent ? childParent : parent);
  }

  void ApplyProps(TObject *obj, const std::vector<PropAssign> &props) {
    for (const PropAssign &a : props) {
      line_ = a.line;
      ApplyProp(obj, a);
    }
  }

  void ApplyProp(TObject *obj, const PropAssign &a) {
    std::vector<std::string> parts = SplitPath(a.path);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const TClassInfo *cls = ClassOf(obj);
      const TPropInfo *p = cls ? cls->FindProperty(parts[i]) : nullptr;
      if (!p)
        Fail("Unknown property " + parts[i] + " of " + (cls ? cls->Name() : obj->ClassName()));
      if (p->Kind() != pkObject) Fail("Property " + parts[i] + " has no properties of its own");
      TObject *next = p->GetObject(obj);
      if (!next) Fail("Property " + parts[i] + " holds no object");
      obj = next;
    }
    const std::string &last = parts.back();
    // Pseudo-properties of string lists and pictures.
    if (auto *list = dynamic_cast<TStrings *>(obj); list && SameText(last, "Strings")) {
      SetLines(list, a.value);
      return;
    }
    const TClassInfo *cls = ClassOf(obj);
    if (SameText(last, "Data") && a.value.kind == Value::Binary) {
      if (auto *hook = FindHook(cls, &TClassInfo::LoadFromData)) {
        (*hook)(obj, a.value.text);
        return;
      }
    }
    const TPropInfo *p = cls ? cls->FindProperty(last) : nullptr;
    if (!p) Fail("Unknown property " + last + " of " + (cls ? cls->Name() : obj->ClassName()));
    SetValue(obj, *p, a.value);
  }

  void SetLines(TStrings *list, const Value &v) {
    if (v.kind != Value::List) Fail("List of strings expected");
    list->BeginUpdate();
    list->Clear();
    for (const Value &item : v.list) {
      if (item.kind != Value::String) Fail("String expected in the list");
      list->Add(item.text);
    }
    list->EndUpdate();
  }

  std::uint64_t SetBits(const TPropInfo &p, const Value &v) {
    std::uint64_t bits = 0;
    for (const std::string &n : v.names) {
      int i = p.ValueIndex(n);
      if (i < 0 || i >= 64) Fail("Invalid set element " + n + " for property " + p.Name());
      bits |= std::uint64_t(1) << unsigned(i);
    }
    return bits;
  }

  void SetValue(TObject *obj, const TPropInfo &p, const Value &v) {
    auto wrong = [&](const char *expected) {
      Fail(std::string(expected) + " expected for property " + p.Name());
    };
    switch (p.Kind()) {
    case pkText:
      if (v.kind != Value::String) wrong("String");
      p.SetText(obj, v.text);
      return;
    case pkInteger:
      if (v.kind != Value::Int) wrong("Integer");
      if (v.ival < INT32_MIN || v.ival > INT32_MAX)
        Fail("Value out of range for property " + p.Name());
      p.SetOrdinal(obj, v.ival);
      return;
    case pkFloat:
      if (v.kind == Value::Int)
        p.SetFloat(obj, double(v.ival));
      else if (v.kind == Value::Float)
        p.SetFloat(obj, v.fval);
      else
        wrong("Number");
      return;
    case pkBoolean:
      if (v.kind != Value::Ident || !(SameText(v.text, "True") || SameText(v.text, "False")))
        wrong("True or False");
      p.SetOrdinal(obj, SameText(v.text, "True") ? 1 : 0);
      return;
    case pkEnumeration: {
      if (v.kind != Value::Ident) wrong("Enumeration value");
      int i = p.ValueIndex(v.text);
      if (i < 0) Fail("Invalid value " + v.text + " for property " + p.Name());
      p.SetOrdinal(obj, i);
      return;
    }
    case pkSet:
      if (v.kind != Value::Set) wrong("Set");
      p.SetOrdinal(obj, std::int64_t(SetBits(p, v)));
      return;
    case pkColor:
      if (v.kind == Value::Int) {
        if (v.ival < 0 || v.ival > INT64_C(0xFFFFFFFF))
          Fail("Invalid colour for property " + p.Name());
        p.SetOrdinal(obj, v.ival);
      } else if (v.kind == Value::Ident) {
        std::optional<TColor> c = ColorFromName(v.text);
        if (!c) Fail("Unknown colour " + v.text + " for property " + p.Name());
        p.SetOrdinal(obj, std::int64_t(*c));
      } else {
        wrong("Colour");
      }
      return;
    case pkObject:
      SetObjectValue(obj, p, v);
      return;
    case pkEvent: {
      if (v.kind != Value::Ident) wrong("Handler name");
      const std::any *h = handlers_ ? handlers_->Find(v.text) : nullptr;
      if (!h) Fail("Unknown event handler " + v.text);
      if (std::type_index(h->type()) != p.EventType())
        Fail("Handler " + v.text + " does not fit event " + p.Name());
      p.SetEvent(obj, *h);
      return;
    }
    }
  }

  void SetObjectValue(TObject *obj, const TPropInfo &p, const Value &v) {
    TObject *target = p.GetObject(obj);
    switch (v.kind) {
    case Value::Ident:
      if (!p.Writable()) Fail("Property " + p.Name() + " cannot refer to another component");
      fixups_.push_back({obj, &p, v.text, line_});
      return;
    case Value::String:
    case Value::Binary: {
      if (!target) Fail("Property " + p.Name() + " holds no object");
      auto member = v.kind == Value::String ? &TClassInfo::LoadFromName : &TClassInfo::LoadFromData;
      auto *hook = FindHook(ClassOf(target), member);
      if (!hook) Fail("Property " + p.Name() + " cannot be loaded from a picture");
      (*hook)(target, v.text);
      return;
    }
    case Value::List:
      if (auto *list = dynamic_cast<TStrings *>(target)) {
        SetLines(list, v);
        return;
      }
      Fail("Property " + p.Name() + " is not a list of strings");
    case Value::Items: {
      auto *coll = dynamic_cast<TCollection *>(target);
      if (!coll) Fail("Property " + p.Name() + " is not a collection");
      coll->BeginUpdate();
      coll->Clear();
      for (const auto &itemProps : v.items)
        ApplyProps(coll->Add(), itemProps);
      coll->EndUpdate();
      return;
    }
    default:
      Fail("Invalid value for property " + p.Name());
    }
  }

  void ResolveReferences() {
    for (const Fixup &f : fixups_) {
      line_ = f.line;
      TComponent *target = SameText(f.name, root_->Name()) ? root_ : root_->FindComponent(f.name);
      if (!target && SameText(f.name, "nil"))
        target = nullptr;
      else if (!target)
        Fail("Component " + f.name + " not found");
      f.prop->SetObject(f.obj, target);
    }
  }

  struct Fixup {
    TObject *obj;
    const TPropInfo *prop;
    std::string name;
    int line;
  };
  TComponent *root_;
  const THandlerTable *handlers_;
  std::vector<TComponent *> created_;
  std::vector<Fixup> fixups_;
  int line_ = 0;
};

} // namespace

const std::any *THandlerTable::Find(const std::string &Name) const {
  auto it = handlers_.find(Name);
  if (it != handlers_.end()) return &it->second;
  for (const auto &[k, v] : handlers_)
    if (SameText(k, Name)) return &v;
  return nullptr;
}

void RegisterFormText(const std::string &Name, std::string_view Text) {
  RegisterResource("forms/" + Name + ".frm", Text);
}

std::optional<std::string> FindFormText(const std::string &Name) {
  return FindResource("forms/" + Name + ".frm");
}

void ReadComponentText(TComponent *Root, const std::string &Text, const THandlerTable *Handlers) {
  if (!Root) throw EFormError(0, "No component to read into");
  ObjectNode top = Parser(Text).ParseRoot();
  Builder(Root, Handlers).Build(top);
}
