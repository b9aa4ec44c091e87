#pragma once
// Form descriptions: the plain-text format that lays out a form and its
// components (see docs/forms.md), and the loader that builds them.
#include "platform/component.h"
#include <any>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

/// Raised for a description that cannot be read; the message starts with
/// "Line <n>: ".
class EFormError : public Exception {
public:
  EFormError(int Line, const std::string &Problem)
      : Exception("Line " + std::to_string(Line) + ": " + Problem), line_(Line) {}
  int Line() const { return line_; }

private:
  int line_;
};

/// Event handlers that a form offers to its description, by handler name.
/// Each handler is a std::function of the event's exact type.
class THandlerTable {
public:
  void Add(const std::string &Name, std::any Handler) { handlers_[Name] = std::move(Handler); }
  /// The handler of that name (ignoring case), or null.
  const std::any *Find(const std::string &Name) const;
  bool Empty() const { return handlers_.empty(); }

private:
  std::map<std::string, std::any> handlers_;
};

/// Registers the description text of a form under Name (usually the form's
/// class name). Texts compiled in as Qt resources under ":/forms/<Name>.frm"
/// are found without registration.
void RegisterFormText(const std::string &Name, std::string_view Text);
/// The registered text for Name, or nothing.
std::optional<std::string> FindFormText(const std::string &Name);

/// Builds Root's contents from a description. The outermost object block
/// describes Root itself; nested blocks create components (owned by Root,
/// parented to the enclosing control when both are controls). Properties are
/// set through the class registry; events are bound to Handlers. Every
/// component is in the loading state while reading; afterwards Loaded() runs
/// on Root and then on each created component in creation order. On an error
/// everything created is destroyed again and EFormError names the line.
void ReadComponentText(TComponent *Root, const std::string &Text,
                       const THandlerTable *Handlers = nullptr);
