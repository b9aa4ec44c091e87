// Forms: reading descriptions, rejecting malformed ones, modal showing and
// the offscreen demonstration picture.
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/message_box.h"
#include "platform/property_registry.h"
#include "helper_window.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#if !defined(_WIN32)
#include <QWidget>
#endif
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_loadedOrder;

// A component that records the state it sees while being read and loaded.
class TProbe : public TComponent {
public:
  using TComponent::TComponent;
  int Level() const { return level_; }
  void SetLevel(int v) {
    level_ = v;
    loadingWhenSet = IsLoading();
  }
  void Loaded() override {
    TComponent::Loaded();
    g_loadedOrder.push_back(Name());
  }
  bool loadingWhenSet = false;

private:
  int level_ = 0;
};

void RegisterProbe() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TProbe, TComponent>("TProbe").Integer("Level", &TProbe::Level, &TProbe::SetLevel);
}

const char *kSmallForm = R"(
object frmSmall: TfrmSmall
  Caption = 'TK_Small ' + 'form'
  ClientWidth = 300
  ClientHeight = 200
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  Constraints.MinWidth = 200
  OnCreate = FormCreate
  object pnlRight: TPanel
    Width = 120
    Align = alRight
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object CBox: TCheckBox
      Left = 12
      Top = 132
      Width = 105
      Height = 17
      Caption = 'TK_Log. Scale'
      Hint = 'TK_display logarithmic scale'
      OnClick = CBoxClick
    end
    object LTitle: TLabel
      Left = 5
      Top = 10
      Anchors = [akLeft, akBottom]
      Caption = 'It''s'#32'bold'
      Font.Style = [fsBold, fsItalic]
      Font.Color = $FF0000
      Alignment = taCenter
    end
  end
  object SBTemp: TScrollBar
    Left = 8
    Top = 29
    Width = 150
    Height = 17
    Min = 1
    Max = 10000
    Position = 1
    LargeChange = 100
    OnChange = SBTempChange
  end
  object MMExplain: TMemo
    Height = 40
    Align = alBottom
    Color = clInfoBk
    ReadOnly = True
    Lines.Strings = (
      'TK_MMExplain'
      'second line')
  end
  object Probe1: TProbe
    Level = 3
  end
  object Probe2: TProbe
  end
end
)";

class TfrmSmall : public TForm {
public:
  explicit TfrmSmall(TComponent *AOwner, const std::string &text = kSmallForm) : TForm(AOwner) {
    Handler("FormCreate", &TfrmSmall::FormCreate);
    Handler("CBoxClick", &TfrmSmall::CBoxClick);
    Handler("SBTempChange", &TfrmSmall::SBTempChange);
    Field("SBTemp", SBTemp);
    Field("CBox", CBox);
    RegisterFormText("TfrmSmall", text);
    InitializeForm("TfrmSmall");
  }
  void FormCreate(TObject *) {
    created = true;
    SBTemp->SetMin(80);
    SBTemp->SetPosition(898);
  }
  void CBoxClick(TObject *) { ++clicks; }
  void SBTempChange(TObject *) { changes.push_back(SBTemp->Position()); }

  TScrollBar *SBTemp = nullptr;
  TCheckBox *CBox = nullptr;
  bool created = false;
  int clicks = 0;
  std::vector<int> changes;
};

void RegisterSmallForm() {
  RegisterProbe();
  static bool done = false;
  if (!done) {
    done = true;
    RegisterClass<TfrmSmall, TForm>("TfrmSmall");
  }
}

TEST(FormLoader, BuildsTheFormWithNestedPropertiesListsSetsEnumsColoursAndEvents) {
  RegisterSmallForm();
  g_loadedOrder.clear();
  TfrmSmall form(nullptr);
  EXPECT_EQ(form.Name(), "frmSmall");
  EXPECT_EQ(form.Caption(), "TK_Small form");
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.Font()->Height(), -13);
  EXPECT_EQ(form.Constraints()->MinWidth(), 200);
  ASSERT_EQ(form.ComponentCount(), 7);
  EXPECT_EQ(form.Components(0)->Name(), "pnlRight");
  EXPECT_EQ(form.Components(1)->Name(), "CBox");

  auto *panel = static_cast<TPanel *>(form.FindComponent("pnlRight"));
  EXPECT_EQ(panel->BevelInner(), bvRaised);
  EXPECT_EQ(panel->BoundsRect(), Rect(180, 0, 300, 160));
  EXPECT_EQ(form.CBox->Parent(), panel);
  EXPECT_EQ(form.CBox->Caption(), "TK_Log. Scale");
  auto *title = static_cast<TLabel *>(form.FindComponent("LTitle"));
  EXPECT_EQ(title->Caption(), "It's bold");
  EXPECT_TRUE(title->Font()->Style().Contains(fsBold));
  EXPECT_TRUE(title->Font()->Style().Contains(fsItalic));
  EXPECT_EQ(title->Font()->Color(), clBlue);
  EXPECT_EQ(title->Font()->Height(), -13) << "other font settings still come from the parent";
  EXPECT_EQ(title->Anchors(), (TAnchors{akLeft, akBottom}));
  EXPECT_EQ(title->Alignment(), taCenter);

  auto *memo = static_cast<TMemo *>(form.FindComponent("MMExplain"));
  EXPECT_EQ(memo->Color(), clInfoBk);
  EXPECT_TRUE(memo->ReadOnly());
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), "TK_MMExplain");

  // Events: the creation handler ran after loading and moved the scroll bar
  // twice; the change handler saw both moves and nothing during loading.
  EXPECT_TRUE(form.created);
  EXPECT_EQ(form.changes, (std::vector<int>{80, 898}));
  form.CBox->SetChecked(true);
  EXPECT_EQ(form.clicks, 1);

  auto *probe = static_cast<TProbe *>(form.FindComponent("Probe1"));
  EXPECT_EQ(probe->Level(), 3);
  EXPECT_TRUE(probe->loadingWhenSet);
  EXPECT_FALSE(probe->IsLoading());
  EXPECT_EQ(g_loadedOrder, (std::vector<std::string>{"Probe1", "Probe2"}));
}

struct BadCase {
  const char *text;
  int line;
  const char *message;
};

TEST(FormLoader, MalformedDescriptionsNameTheLineAndBuildNothing) {
  RegisterSmallForm();
  const BadCase cases[] = {
      {"object F: TForm\n  Caption = 'open\nend\n", 2, "Unterminated string"},
      {"object F: TForm\n  Width = \nend\n", 3, "Value expected but 'end' found"},
      {"object F: TForm\n  object P: TNoSuchClass\n  end\nend\n", 2,
       "Class TNoSuchClass not found"},
      {"object F: TForm\n  Colour = clRed\nend\n", 2, "Unknown property Colour of TForm"},
      {"object F: TForm\n  Align = alMiddle\nend\n", 2,
       "Invalid value alMiddle for property Align"},
      {"object F: TForm\n  Color = clMauve\nend\n", 2, "Unknown colour clMauve for property Color"},
      {"object F: TForm\n  Anchors = [akLeft, akNowhere]\nend\n", 2,
       "Invalid set element akNowhere for property Anchors"},
      {"object F: TForm\n  OnCreate = Missing\nend\n", 2, "Unknown event handler Missing"},
      {"object F: TForm\n  object P: TPanel\n    Caption = 12\n  end\nend\n", 3,
       "String expected for property Caption"},
      {"object F: TForm\n  object P: TPanel\n  end\n", 4, "'end' expected"},
      {"object F: TForm\n  Visible = Maybe\nend\n", 2,
       "True or False expected for property Visible"},
      {"object F: TForm\n  object A: TPanel\n  end\n  object a: TPanel\n  end\nend\n", 4,
       "A component named a already exists"},
      {"object F: TForm\n  OnCreate = CBoxClick2\nend\n", 2, "does not fit event OnCreate"},
  };
  for (const BadCase &c : cases) {
    TForm form(nullptr);
    form.Handlers().Add("CBoxClick2", std::function<void(TObject *, int)>());
    try {
      ReadComponentText(&form, c.text, &form.Handlers());
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EFormError &e) {
      EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.Message();
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
      EXPECT_EQ(e.Message().rfind("Line " + std::to_string(c.line) + ": ", 0), 0u);
    }
    EXPECT_EQ(form.ComponentCount(), 0) << c.text;
    EXPECT_EQ(form.ControlCount(), 0) << c.text;
    EXPECT_FALSE(form.IsLoading());
  }
}

TEST(FormLoader, AFailingFormConstructorLeavesNothingBehind) {
  RegisterSmallForm();
  TComponent owner(nullptr);
  std::string broken = kSmallForm;
  broken.replace(broken.find("Position = 1"), 12, "Position = 'x'");
  EXPECT_THROW(TfrmSmall(&owner, broken), EFormError);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(FormLoader, ReferencesBinaryDataAndCollections) {
  // A picture written as data: a 2x1 BMP would do, but any undecodable data
  // must be refused with the line.
  TForm form(nullptr);
  const char *text =
      "object F: TForm\n  object B: TBitBtn\n    Glyph.Data = {00 11 22}\n  end\nend\n";
  try {
    ReadComponentText(&form, text);
    ADD_FAILURE();
  } catch (const EFormError &e) {
    EXPECT_EQ(e.Line(), 3);
  }
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(FormLoader, AnchoredControlsKeepTheirWrittenBoundsWhileTheParentSettles) {
  // The panel fills the form's height while it is read; the memo read after
  // it takes 100 pixels of that. The button's written place is the designed
  // one, relative to the panel's final height, and must not move with it.
  TForm form(nullptr);
  ReadComponentText(&form, "object F: TForm\n"
                           "  ClientWidth = 400\n"
                           "  ClientHeight = 300\n"
                           "  object P: TPanel\n"
                           "    Align = alRight\n"
                           "    Width = 120\n"
                           "    object B: TBitBtn\n"
                           "      Left = 8\n"
                           "      Top = 160\n"
                           "      Width = 100\n"
                           "      Height = 29\n"
                           "      Anchors = [akLeft, akBottom]\n"
                           "    end\n"
                           "  end\n"
                           "  object M: TMemo\n"
                           "    Align = alBottom\n"
                           "    Height = 100\n"
                           "  end\n"
                           "end\n");
  auto *panel = dynamic_cast<TPanel *>(form.FindComponent("P"));
  auto *button = dynamic_cast<TBitBtn *>(form.FindComponent("B"));
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(panel->Height(), 200);
  EXPECT_EQ(button->Top(), 160);
  // After loading the anchor works from the final sizes.
  form.SetClientHeight(350);
  EXPECT_EQ(panel->Height(), 250);
  EXPECT_EQ(button->Top(), 210);
}

TEST(Forms, ShowModalReturnsWhenClosedFromWithinItsLoop) {
  TForm dialog(nullptr);
  dialog.SetPosition(poScreenCenter);
  int shows = 0;
  dialog.OnShow = [&](TObject *) { ++shows; };
  RunLater(0, [&] { dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(shows, 1);

  auto *ok = new TBitBtn(&dialog);
  ok->SetParent(&dialog);
  ok->SetModalResult(mrOk);
  RunLater(0, [&] { ok->PerformClick(); });
  EXPECT_EQ(dialog.ShowModal(), mrOk);

  dialog.OnCloseQuery = [&](TObject *, bool &can) { can = shows > 3; };
  RunLater(0, [&] { dialog.Close(); }); // refused
  RunLater(5, [&] { dialog.OnCloseQuery = nullptr, dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST(Forms, RunEndsWhenTheMainFormCloses) {
  Application->Initialize();
  TForm *main = nullptr;
  Application->CreateForm(main);
  EXPECT_EQ(Application->MainForm(), main);
  RunLater(0, [&] { main->Close(); });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(main->Visible());
  int destroyed = 0;
  main->OnDestroy = [&](TObject *) { ++destroyed; };
  main->Free();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(Application->MainForm(), nullptr);
}

const char *kDemoForm = R"(
object frmDemo: TForm
  Caption = 'Demonstration'
  ClientWidth = 420
  ClientHeight = 260
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  ShowHint = True
  object pnlCommand: TPanel
    Width = 120
    Align = alRight
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object BButExit: TBitBtn
      Left = 8
      Top = 10
      Width = 105
      Height = 29
      Caption = 'Exit'
    end
    object CBLogScale: TCheckBox
      Left = 12
      Top = 50
      Width = 105
      Height = 17
      Caption = 'Log. Scale'
      Checked = True
    end
    object LSnap: TLabel
      Left = 5
      Top = 80
      Width = 108
      Height = 20
      AutoSize = False
      Alignment = taCenter
      Caption = 'Snapshot'
      Font.Style = [fsBold]
      Font.Height = -11
    end
  end
  object PnlTrackbar: TPanel
    Width = 33
    Align = alLeft
    BevelOuter = bvNone
    object TBScaleY: TTrackBar
      Left = 8
      Top = 12
      Width = 17
      Height = 140
      Orientation = trVertical
      Min = -40
      Max = 80
      Position = 22
      Frequency = 5
      TickMarks = tmTopLeft
    end
  end
  object Panel1: TPanel
    Height = 55
    Align = alBottom
    BevelOuter = bvNone
    object Label1: TLabel
      Left = 8
      Top = 8
      Caption = 'Temperature'
      Font.Style = [fsBold]
    end
    object SBTemperature: TScrollBar
      Left = 8
      Top = 29
      Width = 250
      Height = 17
      Anchors = [akLeft, akTop, akRight]
      Min = 80
      Max = 10000
      Position = 898
    end
  end
  object MMExplain: TMemo
    Height = 50
    Align = alBottom
    Color = clInfoBk
    ReadOnly = True
    Lines.Strings = (
      'A memo on an info-coloured background.')
  end
end
)";

TEST(Forms, DemonstrationFormRendersOffscreen) {
  TForm form(nullptr);
  ReadComponentText(&form, kDemoForm);
  form.SetBounds(0, 0, 480, 300); // anchors and alignment follow the resize
  auto *bar = static_cast<TScrollBar *>(form.FindComponent("SBTemperature"));
  EXPECT_EQ(bar->Width(), 250 + 60);
#if !defined(_WIN32)
  form.Widget()->ensurePolished();
#endif
  TBitmap picture;
  GrabControl(form, picture);
  ASSERT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 480);
  std::filesystem::path out = std::filesystem::current_path() / "framework-demo.png";
  EXPECT_NO_THROW(picture.SaveToFile(out.string()));
  // The panel's lowered outer bevel starts with a shadow line on its left edge.
  auto *panel = static_cast<TPanel *>(form.FindComponent("pnlCommand"));
  const TColor edge = picture.Canvas().Pixels(panel->Left(), 20);
  EXPECT_NE(edge, picture.Canvas().Pixels(panel->Left() + 5, 200));
}

} // namespace

TEST(FormLoader, NestingIsBoundedAndExtremeNumbersAreSafe) {
  // Deep nesting is refused at the line that goes too deep, objects and
  // lists alike, long before the stack runs out.
  std::string objects = "object F: TForm\n";
  for (int i = 0; i < 20000; ++i)
    objects += "object P" + std::to_string(i) + ": TPanel\n";
  const std::string lists = "object F: TForm\nTag = " + std::string(20000, '(') + "\nend\n";
  for (const std::string &text : {objects, lists}) {
    TForm form(nullptr);
    try {
      ReadComponentText(&form, text);
      ADD_FAILURE() << "deep nesting accepted";
    } catch (const EFormError &e) {
      EXPECT_NE(e.Message().find("Nesting deeper than 256 levels"), std::string::npos);
      EXPECT_EQ(e.Line(), text == lists ? 2 : 257);
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
  // The smallest 64-bit integer, written in hexadecimal, is a value like any.
  TForm form(nullptr);
  try {
    ReadComponentText(&form, "object F: TForm\n  Tag = -$8000000000000000\nend\n");
    ADD_FAILURE();
  } catch (const EFormError &e) {
    EXPECT_NE(e.Message().find("Value out of range for property Tag"), std::string::npos);
  }
}
