// The form walk over a window built from a form description with the
// platform's own controls.
#include "localisation/tolkar2000.h"

#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"
#include "platform/streams.h"

#include <gtest/gtest.h>

namespace {

// Stands in for the chart's axis property set, which lives in a higher library.
class TScaleProps : public TPersistent {
public:
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string &v) { caption_ = v; }

private:
  std::string caption_;
};
class TScalePropsVert : public TScaleProps {};

class TAxisHolder : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  TScalePropsVert *Scale1Y() { return &axis_; }

private:
  TScalePropsVert axis_;
};

void Register() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  RegisterClass<TScaleProps, TPersistent>("TScaleProps")
      .Text("Caption", &TScaleProps::Caption, &TScaleProps::SetCaption);
  RegisterClass<TScalePropsVert, TScaleProps>("TScalePropsVert");
  RegisterClass<TAxisHolder, TGraphicControl>("TAxisHolder")
      .Object("Scale1Y", &TAxisHolder::Scale1Y);
}

const char *const kForm = R"(
object frmExample: TForm
  Caption = 'TK_Spectrion'
  object BAdd: TBitBtn
    Caption = 'TK_Add'
    Hint = 'TK_add a snapshot'
  end
  object CBLogScale: TCheckBox
    Caption = 'tk_Log. Scale'
    Hint = 'TK_display logarithmic scale'
  end
  object MMExplain: TMemo
    Lines.Strings = ( 'TK_MMExplain' 'plain line' )
  end
  object RCChart: TAxisHolder
    Scale1Y.Caption = 'TK_Energy Density'
  end
  object TK_LHome: TLabel
    Caption = 'TK_HomePage'
  end
end)";

struct Window {
  Window() {
    Register();
    ReadComponentText(&form, kForm);
  }
  template <class T> T *Get(const char *name) {
    return dynamic_cast<T *>(form.FindComponent(name));
  }
  TForm form{nullptr};
};

TEST(FormTranslationDescription, GermanDictionaryReplacesTheKeys) {
  Window w;
  TTolkar2000 t("");
  TStringStream file("[Spectrion]=Schwarzk\xC3\xB6rper|$$\r\n[add]=Hinzuf\xC3\xBCgen|$$\r\n"
                     "[MMExplain]=Erkl\xC3\xA4rung\\nZweite Zeile|$$\r\n"
                     "[energy density]=Energiedichte|$$\r\n[HomePage]=Startseite|$$\r\n");
  t.LoadDictionary(file);
  t.TranslateComponent(&w.form);
  EXPECT_EQ(w.form.Caption(), "Schwarzk\xC3\xB6rper");
  EXPECT_EQ(w.Get<TBitBtn>("BAdd")->Caption(), "Hinzuf\xC3\xBCgen");
  EXPECT_EQ(w.Get<TBitBtn>("BAdd")->Hint(), "add a snapshot");
  EXPECT_EQ(w.Get<TCheckBox>("CBLogScale")->Caption(), "tk_Log. Scale");
  EXPECT_EQ(w.Get<TCheckBox>("CBLogScale")->Hint(), "display logarithmic scale");
  EXPECT_EQ(w.Get<TMemo>("MMExplain")->Lines()->Strings(0), "Erkl\xC3\xA4rung\r\nZweite Zeile");
  EXPECT_EQ(w.Get<TMemo>("MMExplain")->Lines()->Strings(1), "plain line");
  EXPECT_EQ(w.Get<TAxisHolder>("RCChart")->Scale1Y()->Caption(), "Energiedichte");
  auto *link = w.Get<TLabel>("TK_LHome");
  ASSERT_NE(link, nullptr); // the name with the prefix is kept
  EXPECT_EQ(link->Caption(), "Startseite");
}

TEST(FormTranslationDescription, EmptyDictionaryStripsThePrefixOnce) {
  Window w;
  TTolkar2000 t("");
  t.TranslateComponent(&w.form);
  t.TranslateComponent(&w.form);
  EXPECT_EQ(w.form.Caption(), "Spectrion");
  EXPECT_EQ(w.Get<TBitBtn>("BAdd")->Caption(), "Add");
  EXPECT_EQ(w.Get<TMemo>("MMExplain")->Lines()->Strings(0), "MMExplain");
  EXPECT_EQ(w.Get<TAxisHolder>("RCChart")->Scale1Y()->Caption(), "Energy Density");
}

} // namespace
