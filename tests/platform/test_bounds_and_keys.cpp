// Bounds: every change reaches the control's SetBounds, sizes keep to the
// Constraints and the size limit; loading applies dependent values at the
// end; buttons answer Enter; Tab follows reading order; window titles.
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"

#include "helper_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

/// A control that keeps a minimum width of its own in SetBounds, the way
/// the chart keeps room for its axes, and records each size it is given.
class TSizeProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override {
    Seen.push_back({AWidth, AHeight});
    TCustomControl::SetBounds(ALeft, ATop, std::max(AWidth, 150), AHeight);
  }
  std::vector<TSize> Seen;
};

TEST(Bounds, LayoutAndWindowSystemGoThroughTheVirtualSetBounds) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  form.Show();
  auto *probe = new TSizeProbe(&form);
  probe->SetParent(&form);
  probe->SetAlign(alClient);
  EXPECT_EQ(probe->Seen.back(), (TSize{400, 300}));

  form.SetBounds(0, 0, 500, 320); // code
  EXPECT_EQ(probe->Seen.back(), (TSize{500, 320}));
  ResizeWindow(form, 100, 250); // the window system
  EXPECT_EQ(form.Width(), 100);
  EXPECT_EQ(probe->Seen.back(), (TSize{100, 250}));
  // The control's own rule holds for layout sizes too.
  EXPECT_EQ(probe->Width(), 150);
}

TEST(Bounds, ConstraintsAndTheSizeLimitHoldOnEveryPath) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  form.Constraints()->SetMinWidth(560);
  form.Constraints()->SetMinHeight(450);
  form.Show();
  auto *right = new TPanel(&form);
  right->SetParent(&form);
  right->SetWidth(120);
  right->SetAlign(alRight);

  form.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(form.Width(), 560);
  EXPECT_EQ(form.Height(), 450);
  EXPECT_EQ(WindowWidth(form), 560);
  EXPECT_EQ(right->Left(), 560 - 120);

  form.Constraints()->SetMaxWidth(700);
  ResizeWindow(form, 900, 500);
  EXPECT_EQ(form.Width(), 700);
  EXPECT_EQ(WindowWidth(form), 700);

  // Sizes no screen can show are cut to the limit, from code and layout.
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 2000000000, -5);
  EXPECT_EQ(panel.Width(), MaxControlSize);
  EXPECT_EQ(panel.Height(), 0);
  panel.SetBounds(-2000000000, 2000000000, 10, 10);
  EXPECT_EQ(panel.Left(), -MaxControlPosition);
  EXPECT_EQ(panel.Top(), MaxControlPosition);
  auto *child = new TPanel(&panel);
  child->SetParent(&panel);
  child->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  panel.SetBounds(0, 0, 2000000000, 2000000000);
  // Anchored to all sides it would grow past the limit with its parent.
  EXPECT_EQ(child->Width(), MaxControlSize);
  EXPECT_EQ(child->Height(), MaxControlSize);
}

class TfrmRanges : public TForm {
public:
  explicit TfrmRanges(const std::string &Text) : TForm(nullptr) {
    Handler("Changed", &TfrmRanges::Changed);
    RegisterFormText("TfrmRanges", Text);
    InitializeForm("TfrmRanges");
  }
  void Changed(TObject *) { ++changes; }
  int changes = 0;
};

TEST(Loading, DependentRangeValuesAreAppliedOnceAtTheEnd) {
  static bool registered = false;
  if (!registered) RegisterClass<TfrmRanges, TForm>("TfrmRanges");
  registered = true;
  auto *form = new TfrmRanges(R"(
object frmRanges: TfrmRanges
  Height = 2000000000
  object Track: TTrackBar
    Position = 40
    Max = 120
    Min = -40
    OnChange = Changed
  end
  object Bar: TScrollBar
    Position = 898
    Max = 10000
    Min = 80
    OnChange = Changed
  end
  object Clamped: TScrollBar
    Position = 5000
    Max = 300
    Min = 400
  end
end
)");
  auto *track = dynamic_cast<TTrackBar *>(form->FindComponent("Track"));
  auto *bar = dynamic_cast<TScrollBar *>(form->FindComponent("Bar"));
  auto *clamped = dynamic_cast<TScrollBar *>(form->FindComponent("Clamped"));
  ASSERT_TRUE(track && bar && clamped);
  EXPECT_EQ(track->Position(), 40);
  EXPECT_EQ(track->Min(), -40);
  EXPECT_EQ(track->Max(), 120);
  EXPECT_EQ(bar->Position(), 898);
  // Contradictions still end in order: the maximum gives way to the minimum.
  EXPECT_EQ(clamped->Max(), 400);
  EXPECT_EQ(clamped->Position(), 400);
  EXPECT_EQ(form->changes, 0);
  EXPECT_EQ(form->Height(), MaxControlSize);
  bar->SetPosition(20000);
  EXPECT_EQ(bar->Position(), 10000);
  EXPECT_EQ(form->changes, 1);
  form->Free();
}

TEST(Keys, EnterPressesAButtonAndTabFollowsReadingOrder) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto *bottom = new TBitBtn(&form);
  bottom->SetParent(&form);
  bottom->SetBounds(10, 150, 80, 25);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 300, 100);
  auto *right = new TCheckBox(panel);
  right->SetParent(panel);
  right->SetBounds(150, 10, 80, 17);
  auto *left = new TScrollBar(panel);
  left->SetParent(panel);
  left->SetBounds(10, 10, 120, 17);
  auto *label = new TLabel(&form);
  label->SetParent(&form);

  const std::vector<TWinControl *> order = form.TabOrderList();
  EXPECT_EQ(order, (std::vector<TWinControl *>{left, right, bottom}));

  int clicks = 0;
  bottom->OnClick = [&](TObject *) { ++clicks; };
  SendKeyPress(*bottom, 0x0D, "\r");
  EXPECT_EQ(clicks, 1);
  bottom->SetEnabled(false);
  SendKeyPress(*bottom, 0x0D, "\r");
  EXPECT_EQ(clicks, 1);
}

TEST(Titles, AreTheCaptionWithoutAcceleratorMarks) {
  Application->SetTitle("Program");
  // As the application's display name the title would be appended to every
  // window title on some window systems.
  EXPECT_NE(SystemApplicationName(), "Program");
  TForm form(nullptr);
  form.SetCaption("&About && more");
  EXPECT_EQ(WindowTitle(form), "About & more");
  EXPECT_EQ(StripAccelChars("Lös&chen"), "Löschen");
  EXPECT_EQ(StripAccelChars("end&"), "end&");
}

} // namespace
