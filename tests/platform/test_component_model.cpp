// Object model: ownership, names, the class registry with published
// properties, string lists and collections.
#include "platform/collection.h"
#include "platform/component.h"
#include "platform/graphics.h"
#include "platform/property_registry.h"
#include "platform/strings.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_destroyed;

class TTracked : public TComponent {
public:
  using TComponent::TComponent;
  ~TTracked() override { g_destroyed.push_back(Name()); }
};

enum TShade { shLight, shMedium, shDark };
enum TEdge { edTop, edLeft, edBottom };

class TGadget : public TComponent {
public:
  using TComponent::TComponent;
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string &v) { caption_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v < 0 ? 0 : v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade v) { shade_ = v; }
  TSet<TEdge> Edges() const { return edges_; }
  void SetEdges(TSet<TEdge> v) { edges_ = v; }
  TFont *Font() { return &font_; }
  TStringList *Items() { return &items_; }
  TNotifyEvent OnPing;

private:
  std::string caption_;
  int size_ = 0;
  double ratio_ = 1.0;
  TShade shade_ = shLight;
  TSet<TEdge> edges_;
  TFont font_;
  TStringList items_;
};

class TBigGadget : public TGadget {
public:
  using TGadget::TGadget;
  bool Loud() const { return loud_; }
  void SetLoud(bool v) { loud_ = v; }

private:
  bool loud_ = false;
};

// Not registered: must be seen as its nearest registered ancestor.
class TLocalGadget : public TBigGadget {
public:
  using TBigGadget::TBigGadget;
};

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TTracked, TComponent>("TTracked");
  RegisterClass<TGadget, TComponent>("TGadget")
      .Text("Caption", &TGadget::Caption, &TGadget::SetCaption)
      .Integer("Size", &TGadget::Size, &TGadget::SetSize)
      .Float("Ratio", &TGadget::Ratio, &TGadget::SetRatio)
      .Enum("Shade", &TGadget::Shade, &TGadget::SetShade, {"shLight", "shMedium", "shDark"})
      .Set("Edges", &TGadget::Edges, &TGadget::SetEdges, {"edTop", "edLeft", "edBottom"})
      .Object("Font", &TGadget::Font)
      .Object("Items", &TGadget::Items)
      .Event("OnPing", &TGadget::OnPing);
  RegisterClass<TBigGadget, TGadget>("TBigGadget")
      .Boolean("Loud", &TBigGadget::Loud, &TBigGadget::SetLoud);
}

class ComponentModel : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    g_destroyed.clear();
  }
};

TEST_F(ComponentModel, OwnerDestroysOwnedComponentsNewestFirst) {
  auto *owner = new TTracked(nullptr);
  owner->SetName("Owner");
  for (const char *n : {"A", "B", "C"})
    (new TTracked(owner))->SetName(n);
  auto *grandchild = new TTracked(owner->Components(0));
  grandchild->SetName("A1");
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->Components(1)->Name(), "B");
  EXPECT_EQ(owner->Components(2)->ComponentIndex(), 2);
  delete owner;
  EXPECT_EQ(g_destroyed, (std::vector<std::string>{"Owner", "C", "B", "A", "A1"}));
}

TEST_F(ComponentModel, DeletedComponentLeavesItsOwnerAndNotifiesWatchers) {
  TComponent owner(nullptr);
  auto *a = new TTracked(&owner);
  auto *b = new TTracked(&owner);
  b->SetName("B");

  struct TWatcher : TComponent {
    using TComponent::TComponent;
    TComponent *gone = nullptr;
    void Notification(TComponent *c, TOperation op) override {
      if (op == opRemove) gone = c;
    }
  } watcher(nullptr);
  watcher.FreeNotification(a);
  delete a;
  EXPECT_EQ(watcher.gone, a);
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.FindComponent("b"), b) << "names are found ignoring case";
  EXPECT_THROW(owner.Components(5), EComponentError);
}

TEST_F(ComponentModel, NamesMustBeValidAndUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto *a = new TComponent(&owner);
  auto *b = new TComponent(&owner);
  a->SetName("Button1");
  EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("has space"), EComponentError);
  b->SetName("_ok2");
  EXPECT_EQ(b->Name(), "_ok2");
  a->SetName("button1"); // renaming to a different case of its own name is fine
  EXPECT_EQ(a->Name(), "button1");
  try {
    a->ComponentError("Invalid label index");
    FAIL();
  } catch (const EComponentError &e) {
    EXPECT_EQ(e.Message(), "Component \"button1\": Invalid label index");
  }
}

TEST_F(ComponentModel, DesigningIsPassedToOwnedComponents) {
  TComponent owner(nullptr);
  owner.SetDesigning(true);
  auto *later = new TComponent(&owner);
  EXPECT_TRUE(later->IsDesigning());
  owner.SetComponentStateFlag(csLoading, true);
  EXPECT_TRUE(owner.IsLoading());
  owner.Loaded();
  EXPECT_FALSE(owner.IsLoading());
}

TEST_F(ComponentModel, RegistryListsAncestorPropertiesFirstInDeclarationOrder) {
  const TClassInfo *big = FindClass("TBigGadget");
  ASSERT_NE(big, nullptr);
  std::vector<std::string> names;
  for (const TPropInfo *p : big->Properties())
    names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Caption", "Size", "Ratio", "Shade",
                                             "Edges", "Font", "Items", "OnPing", "Loud"}));
  EXPECT_EQ(big->FindProperty("caption")->Kind(), pkText);
  EXPECT_EQ(big->FindProperty("Nope"), nullptr);
  EXPECT_TRUE(big->InheritsFrom(FindClass("TComponent")));
  EXPECT_FALSE(FindClass("TGadget")->InheritsFrom(big));
}

TEST_F(ComponentModel, UnregisteredClassIsSeenAsItsNearestRegisteredAncestor) {
  TLocalGadget local(nullptr);
  TGadget plain(nullptr);
  EXPECT_EQ(local.ClassName(), "TBigGadget");
  EXPECT_TRUE(local.InheritsFrom("TGadget"));
  EXPECT_TRUE(local.InheritsFrom("TPersistent"));
  EXPECT_FALSE(plain.InheritsFrom("TBigGadget"));
  EXPECT_FALSE(plain.InheritsFrom("NoSuchClass"));
  EXPECT_EQ(ClassOf(&local)->FindProperty("Loud")->Kind(), pkBoolean);
}

TEST_F(ComponentModel, TypedAccessorsReachTheObject) {
  TBigGadget g(nullptr);
  const TClassInfo *c = ClassOf(&g);
  c->FindProperty("Caption")->SetText(&g, "TK_Hello");
  c->FindProperty("Size")->SetOrdinal(&g, -5); // the setter's own rule applies
  c->FindProperty("Ratio")->SetFloat(&g, 2.5);
  c->FindProperty("Shade")->SetOrdinal(&g, 2);
  c->FindProperty("Edges")->SetOrdinal(&g, 0b101);
  c->FindProperty("Loud")->SetOrdinal(&g, 1);
  EXPECT_EQ(g.Caption(), "TK_Hello");
  EXPECT_EQ(g.Size(), 0);
  EXPECT_EQ(g.Ratio(), 2.5);
  EXPECT_EQ(g.Shade(), shDark);
  EXPECT_TRUE(g.Edges().Contains(edTop) && g.Edges().Contains(edBottom));
  EXPECT_FALSE(g.Edges().Contains(edLeft));
  EXPECT_TRUE(g.Loud());
  EXPECT_EQ(c->FindProperty("Shade")->ValueIndex("SHMEDIUM"), 1);
  EXPECT_THROW(c->FindProperty("Shade")->SetOrdinal(&g, 3), EPropertyError);
  EXPECT_THROW(c->FindProperty("Caption")->GetFloat(&g), EPropertyError);

  // Object properties: string lists and foreign objects such as fonts.
  TObject *items = c->FindProperty("Items")->GetObject(&g);
  ASSERT_NE(items, nullptr);
  EXPECT_TRUE(items->InheritsFrom("TStrings"));
  TObject *font = c->FindProperty("Font")->GetObject(&g);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->ClassName(), "TFont");
  const TClassInfo *fc = ClassOf(font);
  fc->FindProperty("Height")->SetOrdinal(font, -30);
  fc->FindProperty("Style")->SetOrdinal(font, 1 << fsItalic);
  EXPECT_EQ(g.Font()->Height(), -30);
  EXPECT_TRUE(g.Font()->Style().Contains(fsItalic));
  EXPECT_EQ(c->FindProperty("Font")->ObjectClass(), FindClass("TFont"));
}

TEST_F(ComponentModel, EventPropertiesCheckTheHandlerType) {
  TGadget g(nullptr);
  const TPropInfo *ev = ClassOf(&g)->FindProperty("OnPing");
  int pings = 0;
  ev->SetEvent(&g, TNotifyEvent([&](TObject *s) { pings += s == &g; }));
  ASSERT_TRUE(g.OnPing);
  g.OnPing(&g);
  EXPECT_EQ(pings, 1);
  EXPECT_TRUE(ev->GetEvent(&g).has_value());
  EXPECT_THROW(ev->SetEvent(&g, std::function<void()>([] {})), EPropertyError);
  ev->SetEvent(&g, std::any());
  EXPECT_FALSE(g.OnPing);
}

TEST_F(ComponentModel, CopyPublishedValuesCopiesSharedPlainProperties) {
  TGadget src(nullptr);
  TBigGadget dst(nullptr);
  src.SetName("Src");
  src.SetCaption("text");
  src.SetShade(shMedium);
  src.SetRatio(0.25);
  src.OnPing = [](TObject *) {};
  dst.SetName("Dst");
  // Names are published too but a clash would be an error, so give each owner none.
  CopyPublishedValues(&src, &dst);
  EXPECT_EQ(dst.Caption(), "text");
  EXPECT_EQ(dst.Shade(), shMedium);
  EXPECT_EQ(dst.Ratio(), 0.25);
  EXPECT_FALSE(dst.OnPing) << "events are not copied";
}

TEST_F(ComponentModel, RegisteringTwiceOrOutOfOrderIsRefused) {
  EXPECT_THROW((RegisterClass<TGadget, TComponent>("TGadget2")), EPropertyError);
  struct TOrphan : TComponent {
    using TComponent::TComponent;
  };
  struct TOrphanChild : TOrphan {
    using TOrphan::TOrphan;
  };
  EXPECT_THROW((RegisterClass<TOrphanChild, TOrphan>("TOrphanChild")), EPropertyError);
}

TEST_F(ComponentModel, CreatesRegisteredComponentsByName) {
  TComponent owner(nullptr);
  TObject *made = FindClass("TBigGadget")->Create(&owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(dynamic_cast<TBigGadget *>(made), owner.Components(0));
  EXPECT_FALSE(FindClass("TStrings")->CanCreate()) << "abstract";
  EXPECT_TRUE(FindClass("TStringList")->CanCreate());
}

TEST(StringList, TextSplitsOnLineBreaksAndJoinsWithThem) {
  TStringList s;
  s.SetText("one\r\ntwo\n\nlast");
  ASSERT_EQ(s.Count(), 4);
  EXPECT_EQ(s.Strings(1), "two");
  EXPECT_EQ(s.Strings(2), "");
  EXPECT_EQ(s.Text(), "one\ntwo\n\nlast\n");
  s.SetText("");
  EXPECT_EQ(s.Count(), 0);
  EXPECT_THROW(s.Strings(0), EListError);
  EXPECT_THROW(s.Insert(1, "x"), EListError);
  s.Insert(0, "x");
  EXPECT_EQ(s.IndexOf("X"), 0);
}

TEST(StringList, ChangeEventsAreBundledByUpdateBrackets) {
  TStringList s;
  int changes = 0;
  s.OnChange = [&](TObject *) { ++changes; };
  s.Add("a");
  s.Put(0, "b");
  EXPECT_EQ(changes, 2);
  s.BeginUpdate();
  s.Add("c");
  s.Delete(0);
  s.EndUpdate();
  EXPECT_EQ(changes, 3);
  s.BeginUpdate();
  s.EndUpdate();
  EXPECT_EQ(changes, 3) << "an empty bracket changes nothing";
  TStringList other;
  other.SetText("k=v\nx=y");
  s.Assign(&other);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(s.Values("X"), "y");
  EXPECT_EQ(s.Names(0), "k");
}

class TNote : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  std::string Text;
  void Assign(TPersistent *Source) override {
    if (auto *n = dynamic_cast<TNote *>(Source))
      Text = n->Text;
    else
      TCollectionItem::Assign(Source);
  }
};

TEST(Collection, ItemsKeepIdsAndLeaveWhenDestroyed) {
  TCollection c([](TCollection *owner) { return new TNote(owner); });
  int updates = 0;
  c.OnUpdate = [&](TCollection *, TCollectionItem *) { ++updates; };
  auto *a = static_cast<TNote *>(c.Add());
  auto *b = static_cast<TNote *>(c.Add());
  a->Text = "a";
  b->Text = "b";
  EXPECT_EQ(b->ID(), 1);
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  EXPECT_EQ(a->Index(), 1);
  delete b;
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.FindItemID(0), a);
  EXPECT_EQ(c.FindItemID(1), nullptr);
  EXPECT_THROW(c.Items(1), EListError);

  TCollection copy([](TCollection *owner) { return new TNote(owner); });
  copy.Assign(&c);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(static_cast<TNote *>(copy.Items(0))->Text, "a");
  EXPECT_GT(updates, 0);
  EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

} // namespace
