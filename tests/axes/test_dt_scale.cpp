// Date/time scales as drawn: tick and label pixels on a horizontal and a
// vertical scale, the messages, the tick event, the end-of-loading rule for
// logarithmic date axes, and a golden picture of stand-alone date/time
// scales read from a form description.
//
// To regenerate the picture after an intended change of the drawing:
//   SPECTRION_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen
//       build/tests/axes/axes_test_dt_scale
// (one command line) and look at tests/axes/golden/dt_scales.png.
#include "axes/scale.h"
#include "axes/scale_props.h"
#include "platform/bitmap.h"
#include "platform/form.h"
#include "platform/form_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A transparent scale drawing onto a recorded bitmap at (0, 0).
struct Fixture {
  TScale scale{nullptr};
  TBitmap bmp{400, 400};
  TCanvasRecorder rec;
  Fixture(TScaleType type, double low, double high) {
    bmp.Canvas().SetRecorder(&rec);
    scale.SetTargetCanvas(&bmp.Canvas(), 0, 0);
    scale.SetTransparent(true);
    scale.SetScaleType(type);
    scale.SetLabelType(ftDateTime);
    scale.SetRangeLow(low);
    scale.SetRangeHigh(high);
    scale.SetPaintSuspended(false);
  }
  void Paint() {
    rec.Clear();
    scale.ForcePaint();
  }
  TPoint TextAt(const std::string &text) const {
    for (const TCanvasRecord &r : rec.Records)
      if (r.Kind == coTextOut && r.Text == text) return r.Points.at(0);
    ADD_FAILURE() << "no text " << text;
    return {};
  }
  bool HasLine(TPoint from, TPoint to) const {
    TPoint pos;
    for (const TCanvasRecord &r : rec.Records) {
      if (r.Kind == coMoveTo) pos = r.Points.at(0);
      if (r.Kind == coLineTo && pos == from && r.Points.at(0) == to) return true;
    }
    return false;
  }
  TSize Extent(const std::string &text) { return bmp.Canvas().TextExtent(text); }
};

} // namespace

TEST(DateTimeScale, HorizontalClockTicksLabelsAndDateLines) {
  // 400 wide, margins 20: a day over x = 20 .. 379, axis line at y = 20.
  Fixture f(sctXT, 45000, 45001);
  std::vector<std::pair<double, TPoint>> events;
  f.scale.OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType, double v, int x, int y) {
    events.push_back({v, {x, y}});
  };
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 13); // every two hours
  ASSERT_EQ(events.size(), 13u);
  EXPECT_EQ(events[4].second, (TPoint{140, 20})); // 08:00 at 20 + 359 / 3
  EXPECT_TRUE(f.HasLine({140, 20}, {140, 27}));   // major: 7 pixels down
  EXPECT_TRUE(f.HasLine({50, 20}, {50, 24}));     // 02:00, short: 4 pixels
  const TSize eight = f.Extent("08:00");
  EXPECT_EQ(f.TextAt("08:00"), (TPoint{140 - eight.cx / 2, 27}));
  // The date line one text height below the first label, kept right of x = 2.
  const TSize date = f.Extent("15-Mar-2023");
  EXPECT_EQ(f.TextAt("15-Mar-2023"), (TPoint{2, 27 + date.cy}));
  EXPECT_EQ(f.TextAt("16-Mar-2023"), (TPoint{400 - 2 * (date.cx / 2) - 2, 27 + date.cy}));

  // Below a second per interval: the message, centred, 7 pixels below the line.
  f.scale.SetRangeHigh(45000 + 2.0 / 86400);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 0);
  const TSize msg = f.Extent("DateTime range is below 1 second");
  EXPECT_EQ(f.TextAt("DateTime range is below 1 second"), (TPoint{200 - msg.cx / 2, 27}));
}

TEST(DateTimeScale, VerticalHundredthsLabelsAndMessages) {
  // Axis line at x = 379, values from y = 379 (low) up to y = 20 (high).
  Fixture f(sctYR, 45000, 45000 + 2.0 / 86400);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 21);
  EXPECT_TRUE(f.HasLine({379, 110}, {373, 110})); // 1.5 s: 20 + 359 / 4, 6 pixels left
  const TSize label = f.Extent("00:00:01.500");
  EXPECT_EQ(f.TextAt("00:00:01.500"), (TPoint{379 - label.cx - 8, 110 - label.cy / 2}));
  const TSize date = f.Extent("15-Mar-2023");
  EXPECT_EQ(f.TextAt("15-Mar-2023"), (TPoint{379 - date.cx - 8, 379 - 3 * (date.cy / 2)}));

  // An invalid range: the words one per line about the middle (y = 200).
  f.scale.SetRangeLow(-700000);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 0);
  const int th = f.bmp.Canvas().TextHeight("T");
  EXPECT_EQ(f.TextAt("invalid"), (TPoint{379 - f.Extent("invalid").cx - 2, 200 - th}));
  EXPECT_EQ(f.TextAt("DateTime").Y, 200);
  EXPECT_EQ(f.TextAt("scale").Y, 200 + th);
}

TEST(DateTimeScale, LoadedDateAxesAreNeverLogarithmic) {
  RegisterAxesClasses();
  TForm form(nullptr);
  ReadComponentText(&form, R"(object F: TForm
  object S: TScale
    LabelType = ftDateTime
    Logarithmic = True
    RangeLow = 45000.0
    RangeHigh = 45010.0
  end
end
)");
  auto *s = dynamic_cast<TScale *>(form.FindComponent("S"));
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->Logarithmic());
  EXPECT_EQ(s->ValueToPixel(45005), 200); // linear: the middle

  TScalePropsHoriz axis;
  axis.SetLabelType(ftDateTime);
  axis.SetRangeLow(45000);
  axis.SetRangeHigh(45010);
  axis.SetLogarithmic(true); // taken unchecked while loading
  EXPECT_TRUE(axis.Logarithmic());
  axis.SetLoading(false);
  EXPECT_FALSE(axis.Logarithmic());
}

TEST(DateTimeScale, GoldenPictureOfStandAloneScales) {
  RegisterAxesClasses();
  TForm form(nullptr);
  ReadComponentText(&form, R"(object F: TForm
  Width = 640
  Height = 360
  Color = clBtnFace
  object Hours: TScale
    Left = 10
    Top = 10
    Width = 620
    Height = 70
    Caption = 'one day'
    CaptionAnchor = uaSclCenter
    CaptionPosY = 42
    LabelType = ftDateTime
    RangeLow = 45000.0
    RangeHigh = 45001.0
    MarginTop = 8
    ScaleType = sctXT
  end
  object Months: TScale
    Left = 10
    Top = 90
    Width = 620
    Height = 60
    LabelType = ftDateTime
    DateFormat.DateOrder = doYYMMDD
    DateFormat.DateSeparator = '/'
    RangeLow = 45000.0
    RangeHigh = 46000.0
    MarginBottom = 8
    ScaleType = sctXB
  end
  object Elapsed: TScale
    Left = 10
    Top = 160
    Width = 620
    Height = 50
    LabelType = ftTime
    RangeLow = -100.0
    RangeHigh = 7200.0
    MarginTop = 8
    ScaleType = sctXT
  end
  object Message: TScale
    Left = 10
    Top = 220
    Width = 620
    Height = 40
    LabelType = ftDateTime
    RangeLow = 45000.0
    RangeHigh = 45000.00001
    MarginTop = 8
    ScaleType = sctXT
  end
  object Days: TScale
    Left = 10
    Top = 270
    Width = 300
    Height = 80
    ColorScale = clNavy
    LabelType = ftDateTime
    DateFormat.TimeFormat = tfAMPM
    DateFormat.MonthName = False
    DateFormat.DateOrder = doMMDDYY
    RangeLow = 45000.25
    RangeHigh = 45000.5
    MarginTop = 5
    MarginBottom = 5
    MarginRight = 10
    ScaleType = sctYR
    Transparent = True
  end
end
)");
  TBitmap page(form.ClientWidth(), form.ClientHeight());
  page.Canvas().Brush().SetColor(form.Color());
  page.Canvas().FillRect(Rect(0, 0, page.Width(), page.Height()));
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto *s = dynamic_cast<TScale *>(form.Components(i));
    ASSERT_NE(s, nullptr);
    s->Font()->SetName("Arial");
    s->Font()->SetHeight(-11);
    s->SetTargetCanvas(&page.Canvas(), s->Left(), s->Top());
    s->ForcePaint();
    s->SetTargetCanvas(nullptr, 0, 0);
  }

  const fs::path golden = fs::path(SPECTRION_SOURCE_DIR) / "tests/axes/golden/dt_scales.png";
  const fs::path actual = fs::current_path() / "actual-dt_scales.png";
  page.SaveToFile(actual.string());
  if (std::getenv("SPECTRION_UPDATE_GOLDEN")) {
    fs::create_directories(golden.parent_path());
    page.SaveToFile(golden.string());
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << "no golden picture " << golden;
  TBitmap expected;
  expected.LoadFromFile(golden.string());
  EXPECT_LE(DifferingPixelShare(page, expected, 40), 0.01)
      << "differs from the golden picture; this run's picture is " << actual;
}
