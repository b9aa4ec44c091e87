// Details the forms rely on: value syntax of descriptions (numbers, string
// parts, collections, component references, pictures), mouse and keyboard
// dispatch, label sizing, panel bevels, form limits, cursors and icons.
#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/collection.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/icon.h"
#include "platform/property_registry.h"
#include "platform/resources.h"
#include "helper_window.h"
#include "platform/bitmap.h"
#include "platform/file_input.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// ---- a component with a collection, a float and a reference ------------------------

class TPoint3 : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  double X() const { return x_; }
  void SetX(double v) { x_ = v; }
  std::string Label() const { return label_; }
  void SetLabel(const std::string &v) { label_ = v; }

private:
  double x_ = 0;
  std::string label_;
};

class TPlotter : public TComponent {
public:
  explicit TPlotter(TComponent *AOwner)
      : TComponent(AOwner), points_([](TCollection *c) { return new TPoint3(c); }, this) {}
  TCollection *Points() { return &points_; }
  double Scale() const { return scale_; }
  void SetScale(double v) { scale_ = v; }
  int Code() const { return code_; }
  void SetCode(int v) { code_ = v; }
  TControl *Target() const { return target_; }
  void SetTarget(TControl *v) { target_ = v; }
  std::string Text() const { return text_; }
  void SetText(const std::string &v) { text_ = v; }

private:
  TCollection points_;
  double scale_ = 1;
  int code_ = 0;
  TControl *target_ = nullptr;
  std::string text_;
};

void RegisterPlotter() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TPoint3, TCollectionItem>("TPoint3")
      .Float("X", &TPoint3::X, &TPoint3::SetX)
      .Text("Label", &TPoint3::Label, &TPoint3::SetLabel);
  RegisterClass<TPlotter, TComponent>("TPlotter")
      .Object("Points", &TPlotter::Points)
      .Float("Scale", &TPlotter::Scale, &TPlotter::SetScale)
      .Integer("Code", &TPlotter::Code, &TPlotter::SetCode)
      .Object("Target", &TPlotter::Target, &TPlotter::SetTarget)
      .Text("Text", &TPlotter::Text, &TPlotter::SetText);
}

TEST(DescriptionValues, NumbersStringsCollectionsAndReferences) {
  RegisterPlotter();
  TForm form(nullptr);
  ReadComponentText(&form, R"(
object F: TForm
  object Plot: TPlotter
    Scale = -1.5e-10
    Code = $7FFFFFFF
    Text = 'a'#39'b'#228 +
      ' c' // a comment
    Target = Later
    Points = <
      item
        X = 2
        Label = 'first'
      end
      item
        X = 0.25
      end>
  end
  object Later: TPanel
  end
end
)");
  auto *plot = static_cast<TPlotter *>(form.FindComponent("Plot"));
  ASSERT_NE(plot, nullptr);
  EXPECT_DOUBLE_EQ(plot->Scale(), -1.5e-10);
  EXPECT_EQ(plot->Code(), 0x7FFFFFFF);
  EXPECT_EQ(plot->Text(), "a'b\xC3\xA4 c");
  EXPECT_EQ(plot->Target(), form.FindComponent("Later"))
      << "references resolve after all are built";
  ASSERT_EQ(plot->Points()->Count(), 2);
  EXPECT_EQ(static_cast<TPoint3 *>(plot->Points()->Items(0))->Label(), "first");
  EXPECT_DOUBLE_EQ(static_cast<TPoint3 *>(plot->Points()->Items(1))->X(), 0.25);
}

TEST(DescriptionValues, OutOfRangeAndMismatchedValuesAreRefused) {
  RegisterPlotter();
  const std::pair<const char *, const char *> cases[] = {
      {"Code = 4294967296", "out of range"},
      {"Code = 1.5", "Integer expected"},
      {"Target = Nobody", "Component Nobody not found"},
      {"Scale = 'x'", "Number expected"},
      {"Points = ( 'a' )", "not a list of strings"},
      {"Text = #99999999", "Invalid character code"},
      {"Code = $", "Invalid hexadecimal number"},
  };
  for (const auto &[assign, message] : cases) {
    TForm form(nullptr);
    std::string text =
        "object F: TForm\n  object P: TPlotter\n    " + std::string(assign) + "\n  end\nend\n";
    try {
      ReadComponentText(&form, text);
      ADD_FAILURE() << assign;
    } catch (const EFormError &e) {
      EXPECT_EQ(e.Line(), 3) << assign;
      EXPECT_NE(e.Message().find(message), std::string::npos) << e.Message();
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
}

std::string PngBytes(int w, int h, TColor fill, TColor corner) {
  TBitmap img(w, h);
  img.Canvas().Brush().SetColor(fill);
  img.Canvas().FillRect(Rect(0, 0, w, h));
  img.Canvas().SetPixels(0, h - 1, corner);
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "spectrion-framework-details.png";
  img.SaveToFile(file.string());
  std::string bytes = ReadRegularFile(file.string(), 1 << 20);
  std::filesystem::remove(file);
  return bytes;
}

std::string Hex(const std::string &bytes) {
  static const char *digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(DescriptionValues, PicturesComeFromResourcesOrInlineData) {
  RegisterResource("glyphs/exit.png", PngBytes(16, 16, RGB(0, 128, 0), RGB(255, 0, 255)));
  std::string icon = PngBytes(32, 32, RGB(0, 0, 255), RGB(0, 0, 255));
  TForm form(nullptr);
  ReadComponentText(&form,
                    "object F: TForm\n  Icon.Data = {" + Hex(icon) +
                        "}\n  object B: TBitBtn\n    Glyph = 'glyphs/exit.png'\n  end\nend\n");
  EXPECT_EQ(form.Icon()->Width(), 32);
  auto *button = static_cast<TBitBtn *>(form.FindComponent("B"));
  EXPECT_EQ(button->Glyph()->Width(), 16);
  EXPECT_EQ(button->Glyph()->Pixel(5, 5), RGB(0, 128, 0));
  TForm other(nullptr);
  EXPECT_THROW(ReadComponentText(&other, "object F: TForm\n  object B: TBitBtn\n    Glyph = "
                                         "'no/such/picture.png'\n  end\nend\n"),
               EFormError);
}

TEST(DescriptionValues, RootOfTheWrongClassIsRefused) {
  TPanel panel(nullptr);
  EXPECT_THROW(ReadComponentText(&panel, "object F: TForm\nend\n"), EFormError);
  EXPECT_THROW(ReadComponentText(&panel, "object P: TPanel\nend\nobject Q: TPanel\nend\n"),
               EFormError);
}

// ---- event dispatch ------------------------------------------------------------------

class TRecorder : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> log;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (s.Contains(ssShift) ? " shift" : "") + (s.Contains(ssDouble) ? " double" : ""));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState, int x, int y) override {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void Click() override {
    log.push_back("click");
    TCustomControl::Click();
  }
  void DblClick() override { log.push_back("dblclick"); }
};

TEST(EventDispatch, MouseEventsReachTheControlWithClientCoordinates) {
  TRecorder c(nullptr);
  c.SetBounds(0, 0, 50, 40);
  TControl &w = c;
  SendMouse(w, maPress, mbLeft, 3, 4, {ssShift});
  SendMouse(w, maRelease, mbLeft, 5, 6);
  SendMouse(w, maPress, mbRight, 1, 1);
  SendMouse(w, maRelease, mbRight, 1, 1);
  // Pressed inside, released outside: no click.
  SendMouse(w, maPress, mbLeft, 1, 1);
  SendMouse(w, maRelease, mbLeft, 60, 1);
  SendMouse(w, maDoubleClick, mbLeft, 2, 2);
  EXPECT_EQ(c.log, (std::vector<std::string>{"down 0 3,4 shift", "click", "up 0 5,6", "down 1 1,1",
                                             "up 1 1,1", "down 0 1,1", "up 0 60,1",
                                             "down 0 2,2 double", "dblclick"}));
  // A disabled control hears nothing.
  c.log.clear();
  c.SetEnabled(false);
  SendMouse(w, maPress, mbLeft, 3, 4);
  EXPECT_TRUE(c.log.empty());
}

TEST(EventDispatch, KeysArriveAsVirtualKeysAndCanBeSwallowed) {
  TRecorder c(nullptr);
  std::vector<int> keys;
  std::string typed;
  c.OnKeyDown = [&](TObject *, std::uint16_t &key, TShiftState) {
    keys.push_back(key);
    if (key == 0x25) key = 0; // swallow Left
  };
  c.OnKeyPress = [&](TObject *, char &ch) { typed += ch; };
  SendKeyPress(c, 0x25);
  SendKeyPress(c, 'A', "a");
  EXPECT_EQ(keys, (std::vector<int>{0x25, 'A'}));
  EXPECT_EQ(typed, "a");
}

// ---- controls in detail -----------------------------------------------------------------

TEST(LabelSizing, AutoSizeFitsTheTextAndWordWrapBreaksAtSpaces) {
  TLabel label(nullptr);
  label.Font()->SetName("Arial");
  label.Font()->SetHeight(-13);
  label.SetCaption("Temperature");
  int oneLine = label.Height();
  EXPECT_GT(label.Width(), 40);
  EXPECT_GT(oneLine, 10);
  label.SetAlignment(taRightJustify);
  int right = label.Left() + label.Width();
  label.SetCaption("T");
  EXPECT_EQ(label.Left() + label.Width(), right) << "right-aligned labels keep their right edge";

  label.SetAutoSize(false);
  label.SetWordWrap(true);
  label.SetBounds(0, 0, 80, 100);
  label.SetCaption("More information can be found at the following Web sites:");
  std::vector<std::string> lines = label.TextLines();
  ASSERT_GT(lines.size(), 2u);
  TCanvas measure;
  measure.Font().Assign(*label.Font());
  for (const std::string &l : lines) {
    EXPECT_FALSE(l.empty());
    if (l.find(' ') != std::string::npos) {
      EXPECT_LE(measure.TextWidth(l), 80) << l;
    }
  }
  label.SetAutoSize(true);
  EXPECT_EQ(label.Width(), 80) << "wrapped labels keep their width";
  EXPECT_EQ(label.Height(), oneLine * int(lines.size()));
}

TEST(PanelBevels, AlignedChildrenStayInsideTheBevels) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 80);
  panel.SetBevelOuter(bvLowered);
  panel.SetBevelInner(bvRaised);
  auto *child = new TPanel(&panel);
  child->SetParent(&panel);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 98, 78));
  panel.SetBevelInner(bvNone);
  panel.SetBevelOuter(bvNone);
  EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 100, 80));
  panel.SetBevelOuter(bvLowered);
  panel.SetColor(clWhite);
  panel.Repaint();
  EXPECT_EQ(panel.Canvas().Pixels(0, 10), ColorToRGB(clBtnShadow)) << "lowered: shadow top-left";
  EXPECT_EQ(panel.Canvas().Pixels(99, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(panel.Canvas().Pixels(50, 40), clWhite);
}

TEST(FormLimits, MinimumSizeAndDialogBorder) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  form.Constraints()->SetMinWidth(560);
  form.Constraints()->SetMinHeight(450);
  EXPECT_EQ(MinimumWindowWidth(form), 560);
  form.SetBounds(0, 0, 300, 300);
  form.Constraints()->SetMinHeight(450);
  EXPECT_EQ(form.Width(), 560);
  EXPECT_EQ(form.Height(), 450);
  form.SetBorderStyle(bsDialog);
  form.SetClientWidth(543);
  EXPECT_EQ(MinimumWindowWidth(form), 543);
  EXPECT_EQ(MaximumWindowWidth(form), 543);
}

TEST(FormLimits, ShowRunsOnShowBeforeTheWindowAppears) {
  TForm form(nullptr);
  bool visibleDuringShow = true;
  form.OnShow = [&](TObject *) { visibleDuringShow = WindowVisible(form); };
  form.Show();
  EXPECT_FALSE(visibleDuringShow);
  EXPECT_TRUE(WindowVisible(form));
  EXPECT_TRUE(form.HandleAllocated());
  form.Close();
  EXPECT_FALSE(WindowVisible(form));
}

TEST(Cursors, ComponentsRegisterCursorsByIndex) {
  RegisterResource("cursors/hand.png", PngBytes(16, 16, RGB(0, 0, 0), RGB(0, 0, 0)));
  EXPECT_FALSE(Application->HasCursor(7));
  EXPECT_TRUE(Application->SetCursorImage(7, "cursors/hand.png", 3, 1));
  EXPECT_FALSE(Application->SetCursorImage(8, "cursors/none.png", 0, 0));
  EXPECT_TRUE(Application->HasCursor(7));
  TPanel panel(nullptr);
  panel.SetCursor(7);
  EXPECT_EQ(CursorHotSpot(panel), Point(3, 1));
  panel.SetCursor(crHandPoint);
  EXPECT_TRUE(ShowsHandCursor(panel));
}

TEST(Icons, LoadingKeepsTheOldPictureOnFailure) {
  TIcon icon;
  icon.LoadFromData(PngBytes(8, 8, RGB(1, 2, 3), RGB(1, 2, 3)));
  EXPECT_EQ(icon.Width(), 8);
  EXPECT_ANY_THROW(icon.LoadFromData("not a picture"));
  EXPECT_ANY_THROW(icon.LoadFromFile("/no/such/icon.ico"));
  EXPECT_EQ(icon.Width(), 8);
  TIcon copy;
  copy.Assign(&icon);
  EXPECT_FALSE(copy.Empty());
}

TEST(MessageBoxes, RecordersNestAndRestoreTheirPredecessor) {
  TMessageBoxRecorder outer;
  {
    TMessageBoxRecorder inner;
    ShowMessage("inner");
    EXPECT_EQ(inner.Messages.size(), 1u);
  }
  ShowMessageBox("outer", "Caption", mtWarning);
  ASSERT_EQ(outer.Messages.size(), 1u);
  EXPECT_EQ(outer.Messages[0].Caption, "Caption");
  EXPECT_EQ(outer.Messages[0].Type, mtWarning);
}

} // namespace
