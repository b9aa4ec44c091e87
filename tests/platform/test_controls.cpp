// Controls: layout by Align and Anchors, the change-event rules of the value
// controls, exceptions reaching the event dispatch, painting controls.
#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/message_box.h"
#include "helper_window.h"
#include "platform/bitmap.h"
#if !defined(_WIN32)
#include "platform/qt/control_qt.h"
#endif
#include <gtest/gtest.h>

namespace {

TEST(Layout, AlignedPanelsShareTheClientAreaAndFollowAResize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto *bottom = new TPanel(&form);
  bottom->SetParent(&form);
  bottom->SetHeight(55);
  bottom->SetAlign(alBottom);
  auto *left = new TPanel(&form);
  left->SetParent(&form);
  left->SetWidth(33);
  left->SetAlign(alLeft);
  auto *client = new TPanel(&form);
  client->SetParent(&form);
  client->SetAlign(alClient);

  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 245, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 33, 245));
  EXPECT_EQ(client->BoundsRect(), Rect(33, 0, 400, 245));

  form.SetBounds(0, 0, 640, 480);
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 425, 640, 480));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 33, 425));
  EXPECT_EQ(client->BoundsRect(), Rect(33, 0, 640, 425));
  EXPECT_EQ(WindowBounds(*client), Rect(33, 0, 640, 425));

  // A hidden panel gives its room to the client-aligned one.
  left->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 640, 425));
  left->Show();
  EXPECT_EQ(client->Left(), 33);
}

TEST(Layout, BottomAlignedControlsSpanBelowRightAlignedOnes) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  auto *right = new TPanel(&form);
  right->SetParent(&form);
  right->SetWidth(120);
  right->SetAlign(alRight);
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetHeight(92);
  memo->SetAlign(alBottom);
  EXPECT_EQ(memo->BoundsRect(), Rect(0, 508, 800, 600));
  EXPECT_EQ(right->BoundsRect(), Rect(680, 0, 800, 508));
}

TEST(Layout, AnchorsKeepDistancesToTheEdgesTheyName) {
  TPanel parent(nullptr);
  parent.SetBounds(0, 0, 300, 200);
  auto *stretch = new TScrollBar(&parent);
  stretch->SetParent(&parent);
  stretch->SetBounds(8, 29, 200, 17);
  stretch->SetAnchors({akLeft, akTop, akRight});
  auto *bottom = new TPanel(&parent);
  bottom->SetParent(&parent);
  bottom->SetBounds(10, 150, 50, 30);
  bottom->SetAnchors({akLeft, akBottom});
  auto *fixed = new TPanel(&parent);
  fixed->SetParent(&parent);
  fixed->SetBounds(20, 20, 10, 10);
  auto *floating = new TPanel(&parent);
  floating->SetParent(&parent);
  floating->SetBounds(100, 100, 20, 20);
  floating->SetAnchors({});

  parent.SetBounds(0, 0, 400, 260);
  EXPECT_EQ(stretch->BoundsRect(), Rect(8, 29, 308, 46));
  EXPECT_EQ(bottom->BoundsRect(), Rect(10, 210, 60, 240));
  EXPECT_EQ(fixed->BoundsRect(), Rect(20, 20, 30, 30));
  EXPECT_EQ(floating->BoundsRect(), Rect(150, 130, 170, 150));

  // Shrinking and growing back restores the original places.
  parent.SetBounds(0, 0, 250, 180);
  parent.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(stretch->BoundsRect(), Rect(8, 29, 208, 46));
  EXPECT_EQ(bottom->BoundsRect(), Rect(10, 150, 60, 180));
}

TEST(ValueControls, ScrollBarRaisesOneChangePerActualMove) {
  TScrollBar bar(nullptr);
  bar.SetParams(1, 1, 10000);
  std::vector<int> seen;
  bar.OnChange = [&](TObject *s) { seen.push_back(static_cast<TScrollBar *>(s)->Position()); };
  bar.SetMin(80);
  bar.SetMax(10000);
  bar.SetPosition(898);
  bar.SetPosition(898);
  EXPECT_EQ(seen, (std::vector<int>{80, 898}));
  bar.SetMax(500);
  EXPECT_EQ(seen.back(), 500);
  bar.SetMin(600); // a minimum above the maximum takes the maximum along
  EXPECT_EQ(bar.Max(), 600);
  EXPECT_EQ(bar.Position(), 600);
  EXPECT_EQ(seen.size(), 4u);
  bar.SetMin(0);
  bar.SetLargeChange(100);
  UserPages(bar, false); // a page is the large change
  EXPECT_EQ(bar.Position(), 500);
}

TEST(ValueControls, UserMovesRaiseTheSameChangeAsProgramMoves) {
  TScrollBar bar(nullptr);
  bar.SetParams(5, 0, 100);
  int changes = 0;
  bar.OnChange = [&](TObject *) { ++changes; };
  UserSetsValue(bar, 42); // as if dragged
  EXPECT_EQ(bar.Position(), 42);
  EXPECT_EQ(changes, 1);
}

TEST(ValueControls, TrackBarKeepsPositionWhenRangeStillHoldsIt) {
  TTrackBar track(nullptr);
  track.SetOrientation(trVertical);
  track.SetParams(40, -40, 120);
  int changes = 0;
  track.OnChange = [&](TObject *) { ++changes; };
  track.SetMin(-40);
  track.SetMax(80);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(track.Position(), 40);
  track.SetPosition(22);
  EXPECT_EQ(changes, 1);
  track.SetMax(10);
  EXPECT_EQ(track.Position(), 10);
  EXPECT_EQ(changes, 2);
  // Vertical track bars show their minimum at the top.
  EXPECT_TRUE(ShowsMinimumFirst(track));
}

TEST(ValueControls, CheckBoxClickFollowsEveryChangeOfChecked) {
  TCheckBox box(nullptr);
  int clicks = 0;
  box.OnClick = [&](TObject *) { ++clicks; };
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetChecked(false);
  EXPECT_EQ(clicks, 2);
  UserSetsValue(box, 1); // the user ticks it
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 3);
}

TEST(ValueControls, MemoShowsItsLines) {
  TMemo memo(nullptr);
  memo.Lines()->Add("first");
  memo.Lines()->Add("second\nthird");
  EXPECT_EQ(ShownText(memo), "first\nsecond\nthird");
}

TEST(Dispatch, ExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
  TMessageBoxRecorder boxes;
  TBitBtn button(nullptr);
  int after = 0;
  button.OnClick = [&](TObject *) {
    ++after;
    throw Exception("Component \"X\": broken");
  };
  button.PerformClick();
  button.PerformClick();
  EXPECT_EQ(after, 2);
  ASSERT_EQ(boxes.Messages.size(), 2u);
  EXPECT_EQ(boxes.Messages[0].Text, "Component \"X\": broken");
  EXPECT_EQ(boxes.Messages[0].Type, mtError);
}

TEST(Dispatch, ExceptionInAChangeHandlerLeavesTheNewValue) {
  TMessageBoxRecorder boxes;
  TScrollBar bar(nullptr);
  bar.OnChange = [](TObject *) { throw std::runtime_error("bad"); };
  UserSetsValue(bar, 30);
  EXPECT_EQ(bar.Position(), 30);
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].Text, "bad");
}

class TCountingControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  void Paint() override {
    ++paints;
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(ClientRect());
  }
};

TEST(Painting, RepaintDrawsIntoTheBackBufferAtOnce) {
  TCountingControl c(nullptr);
  c.SetBounds(0, 0, 20, 10);
  EXPECT_FALSE(c.HandleAllocated());
  c.Repaint();
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.Canvas().Pixels(19, 9), clRed);
  c.HandleNeeded();
  EXPECT_TRUE(c.HandleAllocated());
  // A stale picture is painted once when shown.
  c.Invalidate();
  TBitmap shown;
  GrabControl(c, shown);
  EXPECT_EQ(c.paints, 2);
  GrabControl(c, shown);
  EXPECT_EQ(c.paints, 2);
}

TEST(Painting, GraphicControlDrawsOverItsParentsColour) {
  TPanel parent(nullptr);
  parent.SetColor(clYellow);
  parent.SetBounds(0, 0, 50, 50);
  auto *label = new TLabel(&parent);
  label->SetParent(&parent);
  label->SetTransparent(true);
  label->SetCaption("");
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 10, 10);
  label->Repaint();
  EXPECT_EQ(label->Canvas().Pixels(5, 5), clYellow);
}

TEST(Fonts, ChildrenFollowTheParentFontUntilGivenTheirOwn) {
  TForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  auto *label = new TLabel(&form);
  label->SetParent(panel);
  form.Font()->SetHeight(-13);
  EXPECT_EQ(label->Font()->Height(), -13);
  label->Font()->SetStyle({fsBold});
  EXPECT_FALSE(label->ParentFont());
  form.Font()->SetHeight(-20);
  EXPECT_EQ(panel->Font()->Height(), -20);
  EXPECT_EQ(label->Font()->Height(), -13);
}

TEST(Hints, TooltipsShowOnlyWhereHintsAreOn) {
  TForm form(nullptr);
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetHint("TK_display logarithmic scale");
  EXPECT_TRUE(ShownHint(*box).empty());
  form.SetShowHint(true);
#if defined(_WIN32)
  EXPECT_EQ(ShownHint(*box), "TK_display logarithmic scale");
#else
  EXPECT_EQ(ShownHint(*box), PlainToolTip("TK_display logarithmic scale").toStdString());
#endif
}

} // namespace
