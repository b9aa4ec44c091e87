// Layer coupling (joining rules, messages, range copies, followers) and data
// shared between charts (users, refusals, leaving, a destroyed owner).
#include "chart/rchart.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/message_box.h"
#include "support/zelt_errors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string JoinError(TRChart &C, TJointAxis Axis, int Layer, int Value) {
  try {
    C.JointLayers()->SetControlledBy(Axis, Layer, Value);
  } catch (const EZeltRChartError &e) {
    return e.Message();
  }
  return "accepted";
}

TEST(ChartJoints, RefusalsNameTheRuleAndChangeNothing) {
  TRChart c(nullptr);
  TJointLayers &j = *c.JointLayers();
  EXPECT_EQ(JoinError(c, jaX, 2, 17), "Destination layer 17 is out of range");
  EXPECT_EQ(JoinError(c, jaX, 2, 0), "Destination layer 0 is out of range");
  j.SetControlledBy(jaX, 5, 3);
  j.SetControlledBy(jaX, 7, 3);
  c.ScaleX(1)->SetRangeHigh(50);
  const double before = c.ScaleX(3)->RangeHigh();
  EXPECT_EQ(JoinError(c, jaX, 3, 1), "Layer 3 is joined by other layers (5, 7)");
  EXPECT_EQ(j.ControlledBy(jaX, 3), 3);
  EXPECT_EQ(c.ScaleX(3)->RangeHigh(), before); // no range copied
  EXPECT_EQ(JoinError(c, jaX, 2, 5), "Destination layer 5 is already joined");
  // The y table is checked on its own.
  EXPECT_EQ(JoinError(c, jaY, 3, 1), "accepted");
  EXPECT_EQ(JointPropertyName(3, jaY), "L03yControlledBy");
  EXPECT_EQ(JointPropertyName(16, jaX), "L16xControlledBy");
}

TEST(ChartJoints, JoinCopiesTheRangeAndRepaintsOnlyWithAutoRedraw) {
  TRChart c(nullptr);
  c.HandleNeeded();
  c.SetAutoRedraw(false);
  c.ScaleY(1)->SetRangeLow(-5);
  c.ScaleY(1)->SetRangeHigh(5);
  c.ScaleX(2)->SetRangeHigh(7);
  int paints = c.PaintCount();
  c.JointLayers()->SetControlledBy(jaY, 2, 1);
  EXPECT_EQ(c.ScaleY(2)->RangeLow(), -5);
  EXPECT_EQ(c.ScaleY(2)->RangeHigh(), 5);
  EXPECT_EQ(c.ScaleX(2)->RangeHigh(), 7); // the other axis stays
  EXPECT_EQ(c.PaintCount(), paints);
  // Released again: the range stays as it is.
  c.JointLayers()->SetControlledBy(jaY, 2, 2);
  EXPECT_EQ(c.ScaleY(2)->RangeHigh(), 5);
  c.SetAutoRedraw(true);
  paints = c.PaintCount();
  c.JointLayers()->SetControlledBy(jaX, 2, 1);
  EXPECT_EQ(c.ScaleX(2)->RangeHigh(), c.ScaleX(1)->RangeHigh());
  EXPECT_EQ(c.PaintCount(), paints + 1);
}

TEST(ChartJoints, FollowersTakeTheControllersRangeAndCannotMoveAlone) {
  TRChart c(nullptr);
  c.JointLayers()->SetControlledBy(jaX, 2, 1);
  c.ScaleX(1)->SetRangeLow(10);
  c.ScaleX(1)->SetRangeHigh(20);
  EXPECT_EQ(c.ScaleX(2)->RangeLow(), 10); // an axis change carries the follower along
  EXPECT_EQ(c.ScaleX(2)->RangeHigh(), 20);
  c.CoupledRangeUpdate(2, 0, 1, 3, 4);
  EXPECT_EQ(c.ScaleX(2)->RangeLow(), 10); // the slaved x axis ignores the request
  EXPECT_EQ(c.ScaleY(2)->RangeLow(), 3);  // its own y axis does not
  c.CoupledRangeUpdate(1, 30, 40, 0, 1);
  EXPECT_EQ(c.ScaleX(2)->RangeHigh(), 40);
  // A span below MinRange leaves the axis as it is.
  c.CoupledRangeUpdate(1, 5, 5 + 1e-12, 0, 1);
  EXPECT_EQ(c.ScaleX(1)->RangeLow(), 30);
}

TEST(ChartJoints, FormDescriptionJoinsAndFollowsAfterLoading) {
  RegisterChartClasses();
  TForm form(nullptr);
  ReadComponentText(&form, R"(
object Form1: TForm
  object C1: TRChart
    JointLayers.L02xControlledBy = 1
    Scale1X.RangeLow = 3
    Scale1X.RangeHigh = 9
    MouseAction = maZoomWindPos
    MouseCursorFixed = False
  end
  object C2: TRChart
    UseDataOf = C1
  end
end
)");
  auto *c1 = dynamic_cast<TRChart *>(form.FindComponent("C1"));
  auto *c2 = dynamic_cast<TRChart *>(form.FindComponent("C2"));
  ASSERT_TRUE(c1 && c2);
  EXPECT_EQ(c1->JointLayers()->ControlledBy(jaX, 2), 1);
  EXPECT_EQ(c1->ScaleX(2)->RangeLow(), 3);
  EXPECT_EQ(c1->ScaleX(2)->RangeHigh(), 9);
  EXPECT_EQ(c1->MouseAction(), maZoomWindPos);
  EXPECT_FALSE(c1->MouseCursorFixed());
  EXPECT_EQ(c2->UseDataOf(), c1);
}

// --- shared data -------------------------------------------------------------------

struct Group {
  Group() {
    for (auto &c : charts)
      c = std::make_unique<TRChart>(nullptr);
  }
  TRChart &operator[](int i) { return *charts[std::size_t(i)]; }
  std::unique_ptr<TRChart> charts[6];
};

TEST(ChartSharing, UsersShowTheOwnersStorageAndRefusalsAreReported) {
  TMessageBoxRecorder boxes;
  Group g;
  TRChart &a = g[0], &b = g[1], &c = g[2];
  a.MoveTo(1, 1);
  b.DrawTo(5, 5);
  b.SetUseDataOf(&a);
  EXPECT_EQ(b.UseDataOf(), &a);
  EXPECT_EQ(b.ItemCount(), 1); // b's own item is gone, a's shows
  b.DrawTo(2, 2);
  EXPECT_EQ(a.ItemCount(), 2); // one storage: an append on the user reaches the owner
  // Naming a user means naming its owner; naming a fellow user changes nothing.
  c.SetUseDataOf(&b);
  EXPECT_EQ(c.UseDataOf(), &a);
  c.SetUseDataOf(&b);
  EXPECT_EQ(a.DataUserCount(), 2);
  EXPECT_EQ(a.DataUser(0), &b);
  EXPECT_EQ(a.DataUser(1), &c);
  EXPECT_TRUE(boxes.Messages.empty());

  a.SetUseDataOf(&a);
  a.SetUseDataOf(&g[3]);
  g[3].SetUseDataOf(&a);
  g[4].SetUseDataOf(&a);
  g[5].DrawTo(9, 9);
  g[5].SetUseDataOf(&b); // a has 4 users now
  ASSERT_EQ(boxes.Messages.size(), 3u);
  EXPECT_EQ(boxes.Messages[0].Text, "RChart: Cannot share data with myself");
  EXPECT_EQ(boxes.Messages[1].Text,
            "RChart: Cannot use foreign data. Other RCharts are using my own data.");
  EXPECT_EQ(boxes.Messages[2].Text, "RChart: Max. number of data shares exceeded");
  EXPECT_EQ(boxes.Messages[2].Type, mtInformation);
  EXPECT_EQ(g[5].UseDataOf(), nullptr);
  EXPECT_EQ(g[5].ItemCount(), 1); // kept its own list
  EXPECT_EQ(a.UseDataOf(), nullptr);
}

TEST(ChartSharing, LeavingKeepsAPrivateCopyAndClearGraphActsOnTheGroup) {
  Group g;
  TRChart &a = g[0], &b = g[1], &c = g[2];
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&a);
  a.DrawTo(1, 1);
  a.DrawTo(2, 2);
  b.ClearGraph();
  EXPECT_EQ(a.ItemCount(), 0);
  EXPECT_EQ(c.ItemCount(), 0);
  a.DrawTo(3, 3);
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(a.DataUserCount(), 1);
  EXPECT_EQ(a.DataUser(0), &c);
  EXPECT_EQ(b.ItemCount(), 1);
  EXPECT_EQ(b.Items(0).X1, 3);
  b.DrawTo(4, 4);
  a.ClearGraph();
  EXPECT_EQ(b.ItemCount(), 2); // neither side reaches the other any more
  EXPECT_GE(b.Capacity(), b.ItemCount());
  // ShowGraph on a user asks the owner and the other users to repaint.
  a.HandleNeeded();
  c.HandleNeeded();
  const int ownerPaints = a.PaintCount(), userPaints = c.PaintCount();
  c.ShowGraph();
  EXPECT_EQ(a.PaintCount(), ownerPaints + 1);
  EXPECT_GT(c.PaintCount(), userPaints);
}

TEST(ChartSharing, UsersOfADestroyedOwnerEachKeepTheirOwnCopy) {
  Group g;
  TRChart &b = g[1], &c = g[2];
  b.SetUseDataOf(&g[0]);
  c.SetUseDataOf(&g[0]);
  g[0].DrawTo(1, 1);
  g.charts[0].reset();
  EXPECT_EQ(b.UseDataOf(), nullptr);
  EXPECT_EQ(c.UseDataOf(), nullptr);
  EXPECT_EQ(b.ItemCount(), 1);
  b.ClearGraph();
  EXPECT_EQ(c.ItemCount(), 1); // one user's ClearGraph leaves the other's picture
  c.DrawTo(2, 2);
  EXPECT_EQ(b.ItemCount(), 0);
  // A destroyed user leaves its owner's list of users.
  b.SetUseDataOf(&c);
  g.charts[1].reset();
  EXPECT_EQ(c.DataUserCount(), 0);
}

} // namespace
