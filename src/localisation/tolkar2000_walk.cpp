// The form walk of the translator: every published text that begins with the
// prefix is replaced by the translation of the rest of the text.
#include "localisation/tolkar2000.h"

#include "platform/collection.h"
#include "platform/component.h"
#include "platform/property_registry.h"
#include "support/string_utils.h"

namespace {

// Axis property sets live in a library above this one; they are recognised by
// their registered class name, which covers the horizontal and vertical kinds.
const char *const kAxisPropsClass = "TScaleProps";

} // namespace

void TTolkar2000::TranslateComponent(TComponent *Component) {
  if (!Component) return;
  TranslateObject(Component);
  // Ownership, not parenthood, decides what is visited; depth first.
  for (int i = 0; i < Component->ComponentCount(); ++i)
    TranslateComponent(Component->Components(i));
}

void TTolkar2000::TranslateStrings(TStrings *Lines) {
  for (int i = Lines->Count() - 1; i >= 0; --i) {
    const std::string line = Lines->Strings(i);
    if (StartsWith(line, Prefix)) Lines->Put(i, Translate(line.substr(Prefix.size())));
  }
}

void TTolkar2000::TranslateObject(TPersistent *Instance) {
  if (!Instance) return;
  bool allow = true;
  if (OnTranslateObject) OnTranslateObject(this, Instance, allow);
  if (!allow) return;
  const TClassInfo *cls = ClassOf(Instance);
  if (!cls) return;
  for (const TPropInfo *prop : cls->Properties()) {
    if (prop->Kind() == pkText) {
      if (prop->Name() == "Name" || !prop->Writable()) continue;
      const std::string value = prop->GetText(Instance);
      if (StartsWith(value, Prefix))
        prop->SetText(Instance, Translate(value.substr(Prefix.size())));
    } else if (prop->Kind() == pkObject) {
      TObject *ref = prop->GetObject(Instance);
      if (!ref) continue;
      if (auto *collection = dynamic_cast<TCollection *>(ref)) {
        for (int i = 0; i < collection->Count(); ++i)
          TranslateObject(collection->Items(i));
      } else if (ref->InheritsFrom(kAxisPropsClass)) {
        TranslateObject(dynamic_cast<TPersistent *>(ref));
      } else if (auto *lines = dynamic_cast<TStrings *>(ref)) {
        TranslateStrings(lines);
      }
      // Fonts, pens, pictures and any other nested object are left alone.
    }
  }
}
