#include "localisation/tolkar2000.h"

#include "platform/collection.h"
#include "platform/component.h"
#include "platform/property_registry.h"
#include "platform/streams.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Small stand-ins for what a form holds, registered like real controls.
class TTestControl : public TComponent {
public:
  using TComponent::TComponent;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string &v) { caption_ = v; }
  std::string Hint() const { return hint_; }
  void SetHint(const std::string &v) { hint_ = v; }
  std::string ReadOnlyText() const { return "TK_ReadOnly"; }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }

private:
  std::string caption_, hint_;
  int width_ = 0;
};

class TTestMemo : public TTestControl {
public:
  using TTestControl::TTestControl;
  TStringList *Lines() { return &lines_; }

private:
  TStringList lines_;
};

// Mimics the axis property sets: recognised by the class name only.
class TScaleProps : public TPersistent {
public:
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string &v) { caption_ = v; }

private:
  std::string caption_;
};
class TScalePropsVert : public TScaleProps {};

// Any other nested object: must not be entered.
class TTestBackground : public TPersistent {
public:
  std::string FileName() const { return file_; }
  void SetFileName(const std::string &v) { file_ = v; }

private:
  std::string file_;
};

class TTestItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  std::string Title() const { return title_; }
  void SetTitle(const std::string &v) { title_ = v; }

private:
  std::string title_;
};

class TTestChart : public TTestControl {
public:
  using TTestControl::TTestControl;
  TScalePropsVert *Scale1Y() { return &scale_; }
  TTestBackground *BackGroundImg() { return &background_; }
  TCollection *Columns() { return &columns_; }
  TScaleProps *Missing() { return nullptr; }

private:
  TScalePropsVert scale_;
  TTestBackground background_;
  TCollection columns_{[](TCollection *c) { return new TTestItem(c); }};
};

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  RegisterClass<TTestControl, TComponent>("TTestControl")
      .Text("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
      .Integer("Width", &TTestControl::Width, &TTestControl::SetWidth)
      .Text("Hint", &TTestControl::Hint, &TTestControl::SetHint)
      .Text("ReadOnlyText", &TTestControl::ReadOnlyText, nullptr);
  RegisterClass<TTestMemo, TTestControl>("TTestMemo").Object("Lines", &TTestMemo::Lines);
  RegisterClass<TScaleProps, TPersistent>("TScaleProps")
      .Text("Caption", &TScaleProps::Caption, &TScaleProps::SetCaption);
  RegisterClass<TScalePropsVert, TScaleProps>("TScalePropsVert");
  RegisterClass<TTestBackground, TPersistent>("TTestBackground")
      .Text("FileName", &TTestBackground::FileName, &TTestBackground::SetFileName);
  RegisterClass<TTestItem, TCollectionItem>("TTestItem")
      .Text("Title", &TTestItem::Title, &TTestItem::SetTitle);
  RegisterClass<TTestChart, TTestControl>("TTestChart")
      .Object("Scale1Y", &TTestChart::Scale1Y)
      .Object("BackGroundImg", &TTestChart::BackGroundImg)
      .Object("Columns", &TTestChart::Columns)
      .Object("Missing", &TTestChart::Missing);
}

// A window like the simulation's: captions, hints, a memo, a chart with an
// axis caption, and an About box link owned by a panel.
struct TestForm {
  TestForm() {
    RegisterTestClasses();
    form = std::make_unique<TTestControl>(nullptr);
    form->SetName("frmExample");
    form->SetCaption("TK_Spectrion");
    add = new TTestControl(form.get());
    add->SetName("TK_BAdd");
    add->SetCaption("TK_Add");
    add->SetHint("TK_add a snapshot");
    plain = new TTestControl(form.get());
    plain->SetCaption("Plain text");
    plain->SetHint("tk_lower case");
    memo = new TTestMemo(form.get());
    memo->Lines()->Add("TK_MMExplain");
    memo->Lines()->Add("plain line");
    memo->Lines()->Add("TK_Second");
    chart = new TTestChart(form.get());
    chart->Scale1Y()->SetCaption("TK_Energy Density");
    chart->BackGroundImg()->SetFileName("TK_picture.png");
    static_cast<TTestItem *>(chart->Columns()->Add())->SetTitle("TK_Col A");
    static_cast<TTestItem *>(chart->Columns()->Add())->SetTitle("TK_Col B");
    panel = new TTestControl(form.get());
    link = new TTestControl(panel);
    link->SetCaption("TK_HomePage");
  }
  std::unique_ptr<TTestControl> form;
  TTestControl *add, *plain, *panel, *link;
  TTestMemo *memo;
  TTestChart *chart;
};

void Load(TTolkar2000 &t, const std::string &file) {
  TStringStream stream(file);
  t.LoadDictionary(stream);
}

const char *const kGerman = "[spectrion]=Schwarzk\xC3\xB6rper|$$\r\n"
                            "[add]=Hinzuf\xC3\xBCgen|$$\r\n"
                            "[add a snapshot]=Momentaufnahme hinzuf\xC3\xBCgen|$$\r\n"
                            "[mmexplain]=Zeile eins\\nZeile zwei|$$\r\n"
                            "[energy density]=Energiedichte|$$\r\n"
                            "[homepage]=Startseite|$$\r\n"
                            "[col a]=Spalte A|$$\r\n";

TEST(FormTranslation, EmptyDictionaryStripsThePrefix) {
  TestForm f;
  TTolkar2000 t("");
  t.TranslateComponent(f.form.get());
  EXPECT_EQ(f.form->Caption(), "Spectrion");
  EXPECT_EQ(f.add->Caption(), "Add");
  EXPECT_EQ(f.add->Hint(), "add a snapshot");
  EXPECT_EQ(f.memo->Lines()->Strings(0), "MMExplain");
  EXPECT_EQ(f.chart->Scale1Y()->Caption(), "Energy Density");
  EXPECT_EQ(f.link->Caption(), "HomePage");
}

TEST(FormTranslation, DictionaryReplacesEveryKeyedText) {
  TestForm f;
  TTolkar2000 t("");
  Load(t, kGerman);
  t.TranslateComponent(f.form.get());
  EXPECT_EQ(f.form->Caption(), "Schwarzk\xC3\xB6rper");
  EXPECT_EQ(f.add->Caption(), "Hinzuf\xC3\xBCgen");
  EXPECT_EQ(f.add->Hint(), "Momentaufnahme hinzuf\xC3\xBCgen");
  EXPECT_EQ(f.chart->Scale1Y()->Caption(), "Energiedichte");
  EXPECT_EQ(f.link->Caption(), "Startseite"); // owned by the panel: reached depth first
  EXPECT_EQ(f.chart->Columns()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem *>(f.chart->Columns()->Items(0))->Title(), "Spalte A");
  EXPECT_EQ(static_cast<TTestItem *>(f.chart->Columns()->Items(1))->Title(), "Col B");
  // A translation with a line break goes into one memo line.
  ASSERT_EQ(f.memo->Lines()->Count(), 3);
  EXPECT_EQ(f.memo->Lines()->Strings(0), "Zeile eins\r\nZeile zwei");
  EXPECT_EQ(f.memo->Lines()->Strings(1), "plain line");
  EXPECT_EQ(f.memo->Lines()->Strings(2), "Second");
}

TEST(FormTranslation, WhatIsNotAKeyIsLeftAlone) {
  TestForm f;
  TTolkar2000 t("");
  Load(t, kGerman);
  t.TranslateComponent(f.form.get());
  EXPECT_EQ(f.plain->Caption(), "Plain text");
  EXPECT_EQ(f.plain->Hint(), "tk_lower case"); // the prefix is case-sensitive
  EXPECT_EQ(f.add->Name(), "TK_BAdd");         // names are never translated
  EXPECT_EQ(f.chart->BackGroundImg()->FileName(), "TK_picture.png");
  EXPECT_EQ(f.add->ReadOnlyText(), "TK_ReadOnly");
}

TEST(FormTranslation, WalkingTwiceEqualsWalkingOnce) {
  TestForm once, twice;
  TTolkar2000 t("");
  Load(t, kGerman);
  t.TranslateComponent(once.form.get());
  t.TranslateComponent(twice.form.get());
  t.TranslateComponent(twice.form.get());
  EXPECT_EQ(twice.form->Caption(), once.form->Caption());
  EXPECT_EQ(twice.add->Hint(), once.add->Hint());
  EXPECT_EQ(twice.memo->Lines()->Text(), once.memo->Lines()->Text());
  EXPECT_EQ(twice.chart->Scale1Y()->Caption(), once.chart->Scale1Y()->Caption());
  EXPECT_EQ(twice.link->Caption(), once.link->Caption());
}

TEST(FormTranslation, VetoSkipsAnObjectButStillVisitsWhatItOwns) {
  TestForm f;
  TTolkar2000 t("");
  Load(t, kGerman);
  std::vector<TPersistent *> visited;
  t.OnTranslateObject = [&](TObject *sender, TPersistent *instance, bool &allow) {
    EXPECT_EQ(sender, &t);
    visited.push_back(instance);
    if (instance == f.form.get() || instance == f.panel || instance == f.chart) allow = false;
  };
  t.TranslateComponent(f.form.get());
  EXPECT_EQ(f.form->Caption(), "TK_Spectrion");
  EXPECT_EQ(f.add->Caption(), "Hinzuf\xC3\xBCgen");
  EXPECT_EQ(f.link->Caption(), "Startseite");
  // A vetoed chart is not entered at all, so its axis keeps the key.
  EXPECT_EQ(f.chart->Scale1Y()->Caption(), "TK_Energy Density");
  // Components in ownership order, each before what it owns.
  const std::vector<TPersistent *> expected = {f.form.get(), f.add,   f.plain, f.memo,
                                               f.chart,      f.panel, f.link};
  EXPECT_EQ(visited, expected);
}

TEST(FormTranslation, MissingKeysAreRecordedInWalkOrder) {
  TestForm f;
  TTolkar2000 t("");
  Load(t, "[add]=Hinzu|$$");
  t.AutoCreate = true;
  t.TranslateComponent(f.form.get());
  ASSERT_GE(t.PendingLines.Count(), 4);
  EXPECT_EQ(t.PendingLines.Strings(0), "[Spectrion]=Spectrion|$$");
  EXPECT_EQ(t.PendingLines.Strings(1), "[add a snapshot]=add a snapshot|$$");
  // Memo lines are visited from the last to the first.
  EXPECT_EQ(t.PendingLines.Strings(2), "[Second]=Second|$$");
  EXPECT_EQ(t.PendingLines.Strings(3), "[MMExplain]=MMExplain|$$");
  t.AutoCreate = false;
}

TEST(FormTranslation, SingleObjectAndNullArguments) {
  TestForm f;
  TTolkar2000 t("");
  t.TranslateObject(f.form.get()); // not the owned components
  EXPECT_EQ(f.form->Caption(), "Spectrion");
  EXPECT_EQ(f.add->Caption(), "TK_Add");
  t.TranslateObject(nullptr);
  t.TranslateComponent(nullptr);
}

} // namespace
