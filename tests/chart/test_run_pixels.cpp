// Pixels of long draw-to runs kept from one paint to the next: a run is
// mapped again whenever its points or anything of its mapping changed, and
// the picture is always the one a chart that has kept nothing draws.
#include "chart/rchart.h"
#include "platform/bitmap.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// What a chart shows: curves of 300 points (a phase each), a short one that
// is never kept, and the axes they are mapped through.
struct TScene {
  std::vector<double> Phases{0.0, 1.0, 2.0};
  double Start = 0; // y of each curve's MoveTo
  double XHigh = 1000, YLow = -1.5, YHigh = 1.5;
  bool LogY = false;
  int MarginLeft = 50;
};

void Prepare(TRChart &C, const TScene &S) {
  C.HandleNeeded();
  C.SetAutoRedraw(false);
  C.SetBounds(0, 0, 400, 300);
  C.SetMarginLeft(S.MarginLeft);
  C.Scale1X()->SetRangeHigh(S.XHigh);
  C.Scale1Y()->SetRangeLow(S.YLow);
  C.Scale1Y()->SetRangeHigh(S.YHigh);
  C.Scale1Y()->SetLogarithmic(S.LogY);
}

void Compose(TRChart &C, const TScene &S) {
  C.ClearGraph();
  TColor colour = 0x202020;
  for (double phase : S.Phases) {
    C.SetDataColor(colour += 0x300000);
    C.MoveTo(0, S.Start);
    for (int i = 1; i <= 300; ++i)
      C.DrawTo(i * 3.0, 1.2 * std::sin(i * 0.04 + phase) + (S.LogY ? 1.3 : 0));
  }
  C.SetDataColor(0x0000FF);
  C.MoveTo(100, 0.1);
  for (int i = 1; i <= 4; ++i)
    C.DrawTo(100 + 50 * i, 0.1 * i);
  C.ShowGraph(); // AutoRedraw off: a full paint
}

// The picture of a new chart that paints S once.
QImage Fresh(const TScene &S) {
  TRChart c(nullptr);
  Prepare(c, S);
  Compose(c, S);
  return c.FullBitmap().Image().copy();
}

class RunPixels : public ::testing::Test {
protected:
  RunPixels() : chart(nullptr) {
    Prepare(chart, scene);
    Compose(chart, scene);
    before = chart.MappedRunCount();
  }
  // Runs mapped since the last call.
  std::uint64_t Mapped() {
    const std::uint64_t n = chart.MappedRunCount() - before;
    before = chart.MappedRunCount();
    return n;
  }
  QImage Picture() { return chart.FullBitmap().Image().copy(); }

  TScene scene;
  TRChart chart;
  std::uint64_t before = 0;
};

TEST_F(RunPixels, RepaintsOfTheSameListMapNothingAgain) {
  EXPECT_EQ(before, 3u); // the three long curves; the short one is never kept
  chart.Repaint();
  chart.Repaint();
  EXPECT_EQ(Mapped(), 0u);
  EXPECT_TRUE(Picture() == Fresh(scene));
}

TEST_F(RunPixels, ARebuiltListMapsOnlyTheCurvesWhosePointsChanged) {
  Compose(chart, scene); // the same curves appended anew
  EXPECT_EQ(Mapped(), 0u);
  scene.Phases[1] = 1.5;
  Compose(chart, scene);
  EXPECT_EQ(Mapped(), 1u);
  EXPECT_TRUE(Picture() == Fresh(scene));
  // A curve more or less shifts the runs: those behind are mapped anew.
  scene.Phases.insert(scene.Phases.begin(), 0.5);
  Compose(chart, scene);
  EXPECT_EQ(Mapped(), 4u);
  EXPECT_TRUE(Picture() == Fresh(scene));
  scene.Phases.erase(scene.Phases.begin());
  Compose(chart, scene);
  EXPECT_TRUE(Picture() == Fresh(scene));
}

TEST_F(RunPixels, EveryChangeOfTheMappingMapsTheCurvesAgain) {
  struct TChange {
    const char *What;
    void (*Apply)(TScene &);
  };
  const TChange changes[] = {
      {"energy axis top", [](TScene &S) { S.YHigh = 2.5; }},
      {"energy axis bottom", [](TScene &S) { S.YLow = -0.5; }},
      {"logarithmic energy axis",
       [](TScene &S) {
         S.LogY = true;
         S.YLow = 0.01;
       }},
      {"wavelength axis", [](TScene &S) { S.XHigh = 800; }},
      {"margin", [](TScene &S) { S.MarginLeft = 70; }},
      {"where the lines start", [](TScene &S) { S.Start = 0.7; }},
  };
  for (const TChange &c : changes) {
    SCOPED_TRACE(c.What);
    c.Apply(scene);
    Prepare(chart, scene); // an axis change repaints at once, the old list too
    Compose(chart, scene);
    EXPECT_GE(Mapped(), 3u);
    EXPECT_TRUE(Picture() == Fresh(scene));
  }
  // An axis change on its own repaints at once, with fresh pixels.
  chart.Scale1Y()->SetRangeHigh(4);
  EXPECT_GE(Mapped(), 3u);
  scene.YHigh = 4;
  EXPECT_TRUE(Picture() == Fresh(scene));
}

TEST_F(RunPixels, ADashedPenKeepsEveryPoint) {
  // Same-pixel points are left out for solid one-pixel pens only; a curve
  // kept under one rule is not reused under the other.
  chart.SetPenStyle(psDot);
  Compose(chart, scene);
  EXPECT_EQ(Mapped(), 3u);
  TRChart fresh(nullptr);
  Prepare(fresh, scene);
  fresh.SetPenStyle(psDot);
  Compose(fresh, scene);
  EXPECT_TRUE(Picture() == fresh.FullBitmap().Image());
}

} // namespace
