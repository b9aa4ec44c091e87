// The scale control: property rules, painting onto a target, the repaint
// rule, frame colours, tick recording and copying.
#include "axes/scale.h"
#include "platform/property_registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include "../common/published_value.h"

namespace {

// A scale drawing onto its own bitmap so that tests see every call.
struct Fixture {
  TScale scale{nullptr};
  TBitmap bmp{400, 400};
  TCanvasRecorder rec;
  int renders = 0;
  explicit Fixture(bool attach = true) {
    scale.OnAfterScaleRendered = [this](TObject *, TCanvas *) { ++renders; };
    if (attach) {
      bmp.Canvas().SetRecorder(&rec);
      scale.SetTargetCanvas(&bmp.Canvas(), 0, 0);
      scale.SetPaintSuspended(false);
      rec.Clear();
      renders = 0;
    }
  }
  void Paint() {
    rec.Clear();
    scale.ForcePaint();
  }
};

// The MoveTo/LineTo pairs of a recording as (from, to).
std::vector<std::pair<TPoint, TPoint>> Lines(const TCanvasRecorder &rec) {
  std::vector<std::pair<TPoint, TPoint>> out;
  TPoint pos;
  for (const TCanvasRecord &r : rec.Records) {
    if (r.Kind == coMoveTo)
      pos = r.Points.at(0);
    else if (r.Kind == coLineTo) {
      out.emplace_back(pos, r.Points.at(0));
      pos = r.Points.at(0);
    }
  }
  return out;
}

const TCanvasRecord *FindText(const TCanvasRecorder &rec, const std::string &text) {
  for (const TCanvasRecord &r : rec.Records)
    if (r.Kind == coTextOut && r.Text == text) return &r;
  return nullptr;
}

} // namespace

TEST(Scale, Defaults) {
  TScale s(nullptr);
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.Caption(), "");
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionPosY(), 4);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.ColorScheme(), csBWG);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.FrameStyle(), fsLowered);
  EXPECT_EQ(s.LabelType(), ftNum);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.MarginTop(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginRight(), 20);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_FALSE(s.Transparent());
  EXPECT_TRUE(s.PaintSuspended());
  EXPECT_FALSE(s.ChartOwned());
  EXPECT_EQ(s.DateFormat()->TimeFormat(), tfHHMMSS);
  EXPECT_EQ(s.DateFormat()->DateForTime(), dtOnePerDay);
  // Factors are ready at construction: 0 .. 100 over x = 20 .. 379.
  EXPECT_EQ(s.ValueToPixel(0), 20);
  EXPECT_EQ(s.ValueToPixel(100), 379);
}

TEST(Scale, SetterRules) {
  TScale s(nullptr);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  s.SetMarginBottom(-1);
  EXPECT_EQ(s.MarginBottom(), 0);
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(15);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
  s.SetDecPlaces(13);
  EXPECT_EQ(s.DecPlaces(), 12);

  s.SetRangeLow(100); // equal to the high end: high moves above
  EXPECT_EQ(s.RangeLow(), 100);
  EXPECT_EQ(s.RangeHigh(), 101);
  s.SetRangeHigh(100); // equal to the low end: low moves above it
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.RangeLow(), 101);

  // Mapping follows margins and range at once.
  s.SetRangeLow(0);
  EXPECT_EQ(s.ValueToPixel(0), 0);
  EXPECT_EQ(s.ValueToPixel(100), 379);

  s.SetLogarithmic(true); // range 0 .. 100: refused
  EXPECT_FALSE(s.Logarithmic());
  s.SetRangeLow(1);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_EQ(s.ValueToPixel(1), 0);
  EXPECT_EQ(s.ValueToPixel(100), 379);
  s.SetLabelType(ftDateTime);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.ValueToPixel(1), 0);
  s.SetLabelType(ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);

  TDTLabel d;
  d.SetTimeFormat(tfAMPM);
  d.SetDateSeparator('/');
  s.SetDateFormat(&d);
  EXPECT_EQ(s.DateFormat()->TimeFormat(), tfAMPM);
  EXPECT_EQ(s.DateFormat()->DateSeparator(), '/');

  s.SetColorScheme(csSystem);
  EXPECT_EQ(s.FrameDarkColor(), clBtnShadow);
  EXPECT_EQ(s.FrameLightColor(), clBtnHighlight);
  s.SetColorScheme(csBWG);
  EXPECT_EQ(s.FrameDarkColor(), 0x808080u);
  EXPECT_EQ(s.FrameLightColor(), 0xFFFFFFu);
}

TEST(Scale, RecordsTickPositionsUpTo250) {
  Fixture f;
  f.scale.SetRangeHigh(10000);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 21);
  EXPECT_EQ(f.scale.TickPosition(1), 0);
  EXPECT_EQ(f.scale.TickPosition(2), 500);
  EXPECT_EQ(f.scale.TickPosition(21), 10000);
  EXPECT_EQ(f.scale.TickPosition(0), 0);
  EXPECT_EQ(f.scale.TickPosition(22), 0);

  f.scale.SetRangeHigh(1000);
  f.scale.SetMinTicks(0); // a tick on every unit: 1001 short and 1001 major ticks
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 250);
  EXPECT_EQ(f.scale.TickPosition(250), 249);
  EXPECT_GE(Lines(f.rec).size(), 2002u);
}

TEST(Scale, TickLengthsAndSidesPerScaleType) {
  struct Case {
    TScaleType type;
    int major;
    TPoint dir;
  };
  for (const Case &c : {Case{sctXB, 7, {0, -1}}, Case{sctXT, 7, {0, 1}}, Case{sctYL, 6, {1, 0}},
                        Case{sctYR, 6, {-1, 0}}}) {
    SCOPED_TRACE(c.type);
    Fixture f;
    f.scale.SetTransparent(true);
    f.scale.SetTargetCanvas(&f.bmp.Canvas(), 10, 5);
    f.scale.SetScaleType(c.type);
    f.scale.SetShowBaseLine(false);
    f.scale.SetRangeHigh(10000);
    f.Paint();
    const auto lines = Lines(f.rec);
    ASSERT_EQ(lines.size(), 21u + 6u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const int len = i < 21 ? 4 : c.major;
      EXPECT_EQ(lines[i].second.X - lines[i].first.X, c.dir.X * len);
      EXPECT_EQ(lines[i].second.Y - lines[i].first.Y, c.dir.Y * len);
    }
    // Feet sit on the axis line, shifted by the target offset.
    const TPoint foot = lines.front().first;
    switch (c.type) {
    case sctXB:
      EXPECT_EQ(foot, (TPoint{10 + 20, 5 + 379}));
      break;
    case sctXT:
      EXPECT_EQ(foot, (TPoint{10 + 20, 5 + 20}));
      break;
    case sctYL:
      EXPECT_EQ(foot, (TPoint{10 + 20, 5 + 379}));
      break;
    case sctYR:
      EXPECT_EQ(foot, (TPoint{10 + 379, 5 + 379}));
      break;
    }
  }
}

TEST(Scale, TickEventOrderAndPositions) {
  for (TScaleType type : {sctXT, sctYL}) {
    Fixture f;
    f.scale.SetTransparent(true);
    f.scale.SetTargetCanvas(&f.bmp.Canvas(), 3, 4);
    f.scale.SetScaleType(type);
    f.scale.SetShortTicks(false);
    std::vector<TCanvasOp> before;
    std::vector<TPoint> feet;
    f.scale.OnScaleTickDrawn = [&](TObject *Sender, TCanvas *&, TScaleType t, double, int x,
                                   int y) {
      EXPECT_EQ(Sender, &f.scale);
      EXPECT_EQ(t, type);
      before.push_back(f.rec.Records.back().Kind);
      feet.push_back({x, y});
    };
    f.Paint();
    ASSERT_EQ(before.size(), 6u); // 0, 20, ..., 100
    // Horizontal axes label first; vertical axes report first.
    for (TCanvasOp op : before)
      EXPECT_EQ(op, type == sctXT ? coTextOut : coLineTo);
    EXPECT_EQ(feet.front(), type == sctXT ? (TPoint{23, 24}) : (TPoint{23, 383}));
  }
}

TEST(Scale, HorizontalLabelsStayInsideAndCaptionFollowsItsAnchor) {
  Fixture f;
  f.scale.SetTransparent(true);
  f.scale.SetScaleType(sctXT);
  f.scale.SetMarginLeft(0);
  f.scale.SetMarginRight(0);
  f.scale.SetRangeHigh(10000);
  f.scale.SetCaption("nm");
  f.scale.SetCaptionAnchor(uaSclBotRgt);
  f.scale.SetCaptionAlignment(taRightJustify);
  f.Paint();
  const TCanvasRecord *first = FindText(f.rec, "0");
  const TCanvasRecord *last = FindText(f.rec, "10000");
  ASSERT_TRUE(first && last);
  EXPECT_EQ(first->Points[0], (TPoint{2, 20 + 7}));
  const int w = f.bmp.Canvas().TextWidth("10000");
  EXPECT_EQ(last->Points[0].X, 400 - 2 * (w / 2) - 2);
  const TCanvasRecord *cap = FindText(f.rec, "nm");
  ASSERT_NE(cap, nullptr);
  EXPECT_EQ(cap->Points[0], (TPoint{400 + 4 - f.bmp.Canvas().TextWidth("nm"), 20 + 4}));

  f.scale.SetScaleType(sctYR);
  f.scale.SetCaptionAnchor(uaSclCenter);
  f.scale.SetCaptionAlignment(taCenter);
  f.Paint();
  cap = FindText(f.rec, "nm");
  ASSERT_NE(cap, nullptr);
  EXPECT_EQ(cap->Points[0], (TPoint{399 + 4 - f.bmp.Canvas().TextWidth("nm") / 2, 4 + 20 + 180}));
  // Vertical labels: right-aligned 8 pixels left of the line, centred on "0".
  const TCanvasRecord *top = FindText(f.rec, "10000");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->Points[0].X, 399 - f.bmp.Canvas().TextWidth("10000") - 8);
  EXPECT_EQ(top->Points[0].Y, 20 - f.bmp.Canvas().TextHeight("0") / 2);
}

TEST(Scale, OpaqueFrameUsesTheColourScheme) {
  Fixture f;
  f.scale.SetColorBackGnd(clYellow);
  f.Paint();
  const TBitmap &b = f.bmp;
  EXPECT_EQ(b.Pixel(0, 0), clBlack);       // outer top-left: frame colour
  EXPECT_EQ(b.Pixel(399, 399), clWhite);   // outer bottom-right: light
  EXPECT_EQ(b.Pixel(1, 1), clSilver);      // inner top-left
  EXPECT_EQ(b.Pixel(398, 398), 0x808080u); // inner bottom-right: dark
  EXPECT_EQ(b.Pixel(200, 100), clYellow);  // background
  EXPECT_EQ(b.Pixel(200, 379), clBlack);   // base line
  f.scale.SetColorScheme(csSystem);
  EXPECT_EQ(b.Pixel(399, 399), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(b.Pixel(398, 398), ColorToRGB(clBtnShadow));
  f.scale.SetColorScheme(csBWG);
  EXPECT_EQ(b.Pixel(399, 399), clWhite);
  EXPECT_EQ(b.Pixel(398, 398), 0x808080u);
}

TEST(Scale, TransparentDrawsOnlyTheAxis) {
  Fixture f;
  f.bmp.Canvas().Brush().SetColor(clRed);
  f.bmp.Canvas().FillRect(Rect(0, 0, 400, 400));
  f.scale.SetTransparent(true);
  f.Paint();
  EXPECT_EQ(f.bmp.Pixel(0, 0), clRed);
  EXPECT_EQ(f.bmp.Pixel(200, 100), clRed);
  EXPECT_EQ(f.bmp.Pixel(200, 379), clBlack);
  EXPECT_EQ(f.rec.Count(coFillRect), 0);
  f.scale.SetShowBaseLine(false);
  f.bmp.Canvas().Brush().SetStyle(bsSolid);
  f.bmp.Canvas().FillRect(Rect(0, 0, 400, 400));
  f.Paint();
  EXPECT_EQ(f.bmp.Pixel(201, 379), clRed); // between ticks: no line
}

TEST(Scale, RepaintRule) {
  Fixture f;
  f.scale.SetCaptionPosX(9); // opaque: paints at once
  EXPECT_EQ(f.renders, 1);
  f.scale.SetTransparent(true); // now invalidates instead
  const int after = f.renders;
  f.scale.SetCaptionPosX(10);
  EXPECT_EQ(f.renders, after);
  f.scale.SetChartOwned(true); // chart axes always paint at once
  f.scale.SetCaptionPosX(11);
  EXPECT_GT(f.renders, after);

  // Values that did not change do nothing for these properties.
  const int n = f.renders;
  f.scale.SetColorScale(f.scale.ColorScale());
  f.scale.SetShortTicks(true);
  f.scale.SetFrameStyle(fsLowered);
  f.scale.SetColorScheme(csBWG);
  f.scale.SetColorBackGnd(clBtnFace);
  f.scale.SetScaleType(sctXB);
  EXPECT_EQ(f.renders, n);
}

TEST(Scale, SuspensionVisibilityAndForcePaint) {
  Fixture f;
  f.scale.SetPaintSuspended(true);
  f.scale.SetCaptionPosX(1);
  EXPECT_EQ(f.renders, 0);
  f.scale.ForcePaint();
  EXPECT_EQ(f.renders, 1);
  EXPECT_TRUE(f.scale.PaintSuspended());
  f.scale.SetPaintSuspended(false); // clearing repaints
  EXPECT_EQ(f.renders, 2);

  f.scale.SetVisible(false);
  f.renders = 0;
  f.scale.ForcePaint();
  EXPECT_EQ(f.renders, 0);
  f.scale.SetDesigning(true); // shown at design time ...
  f.scale.ForcePaint();
  EXPECT_EQ(f.renders, 1);
  f.scale.SetChartOwned(true); // ... unless it is a chart's axis
  f.renders = 0;
  f.scale.ForcePaint();
  EXPECT_EQ(f.renders, 0);
}

TEST(Scale, RendererEventsSeeTheCanvasDrawnOn) {
  Fixture f;
  TCanvas *before = nullptr;
  TCanvas *after = nullptr;
  f.scale.OnBeforeScaleRendered = [&](TObject *, TCanvas *c) { before = c; };
  f.scale.OnAfterScaleRendered = [&](TObject *, TCanvas *c) { after = c; };
  f.Paint();
  EXPECT_EQ(before, &f.bmp.Canvas());
  EXPECT_NE(after, &f.bmp.Canvas()); // opaque: the temporary bitmap
  f.scale.SetTransparent(true);
  f.Paint();
  EXPECT_EQ(after, &f.bmp.Canvas());
}

TEST(Scale, OddRangesNeverFail) {
  Fixture f;
  f.scale.SetTransparent(true);
  f.scale.SetRangeLow(1);
  f.scale.SetRangeHigh(1000);
  f.scale.SetLogarithmic(true);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 4);
  // The range setters do not check the logarithmic mode: a range reaching
  // 0 draws the base line and caption but no ticks.
  f.scale.SetRangeLow(0);
  f.scale.SetCaption("E");
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 0);
  EXPECT_NE(FindText(f.rec, "E"), nullptr);
  EXPECT_EQ(f.bmp.Pixel(200, 379), clBlack);
  f.scale.SetRangeLow(-10);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 0);

  f.scale.SetLogarithmic(false);
  f.scale.SetRangeLow(0);
  f.scale.SetRangeHigh(100);
  f.scale.SetLabelType(ftDateTime);
  f.Paint();
  EXPECT_EQ(f.scale.NumTicks(), 4); // the first days of January .. April 1900
  EXPECT_NE(FindText(f.rec, "Apr-1900"), nullptr);
  f.scale.SetLabelType(ftTime);
  f.Paint();
  EXPECT_NE(FindText(f.rec, " 00:01:30"), nullptr);
}

TEST(Scale, AssignCopiesSettingsButNotFontBoundsOrVisibility) {
  TScale a(nullptr);
  TScale b(nullptr);
  a.SetRangeLow(5);
  a.SetRangeHigh(50);
  a.SetScaleType(sctYL);
  a.SetColorScheme(csSystem);
  a.SetFrameStyle(fsRaised);
  a.SetMarginTop(7);
  a.SetCaption("x");
  a.SetUserTickText("a|b");
  a.DateFormat()->SetYearLength(ylYY);
  a.SetVisible(false);
  a.SetBounds(0, 0, 100, 300);
  a.Font()->SetHeight(-30);
  int ticks = 0;
  a.OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType, double, int, int) { ++ticks; };

  b.Assign(&a);
  EXPECT_EQ(b.RangeLow(), 5);
  EXPECT_EQ(b.RangeHigh(), 50);
  EXPECT_EQ(b.ScaleType(), sctYL);
  EXPECT_EQ(b.ColorScheme(), csSystem);
  EXPECT_EQ(b.FrameDarkColor(), clBtnShadow);
  EXPECT_EQ(b.FrameStyle(), fsRaised);
  EXPECT_EQ(b.MarginTop(), 7);
  EXPECT_EQ(b.Caption(), "x");
  EXPECT_EQ(b.UserTickText(), "a|b");
  EXPECT_EQ(b.DateFormat()->YearLength(), ylYY);
  EXPECT_EQ(b.Factor(), a.Factor());
  EXPECT_TRUE(b.Visible());
  EXPECT_EQ(b.Width(), 400);
  EXPECT_NE(b.Font()->Height(), -30);
  ASSERT_TRUE(b.OnScaleTickDrawn);

  TScale c(nullptr);
  a.AssignTo(&c);
  EXPECT_EQ(c.RangeHigh(), 50);
}

// Moves a published value off its current one.
void ChangePublished(const TPropInfo &P, TObject *O) {
  switch (P.Kind()) {
  case pkText:
    P.SetText(O, P.GetText(O) + "a|b");
    break;
  case pkFloat:
    P.SetFloat(O, P.GetFloat(O) + 3);
    break;
  case pkBoolean:
    P.SetOrdinal(O, 1 - P.GetOrdinal(O));
    break;
  case pkEnumeration:
    P.SetOrdinal(O, (P.GetOrdinal(O) + 1) % std::int64_t(P.ValueNames().size()));
    break;
  case pkColor:
    P.SetOrdinal(O, 0x123456);
    break;
  default:
    P.SetOrdinal(O, P.GetOrdinal(O) + 7);
  }
}

// Every setting the scale publishes itself comes over, whatever Assign lists:
// a new setting is copied without another line there. Bounds, font,
// visibility and layout stay the control's own.
TEST(Scale, AssignCopiesEverySetting) {
  RegisterAxesClasses();
  if (FindClass("TCustomControl") == nullptr) GTEST_SKIP() << "control classes not registered yet";
  const TClassInfo *info = FindClass("TScale");
  ASSERT_NE(info, nullptr);
  const std::set<std::string> controlOwn{"Align",          "Anchors",  "ParentFont",
                                         "ParentShowHint", "ShowHint", "Visible"};
  TScale a(nullptr);
  TScale fresh(nullptr);
  a.SetRangeLow(2); // positive, so that Logarithmic is taken
  a.SetRangeHigh(5000);
  std::vector<const TPropInfo *> settings;
  for (const auto &p : info->OwnProperties())
    if (p->Writable() && p->Kind() != pkObject && p->Kind() != pkEvent && p->Kind() != pkSet &&
        !controlOwn.count(p->Name()))
      settings.push_back(p.get());
  ASSERT_GE(settings.size(), 20u);
  for (const TPropInfo *p : settings)
    ChangePublished(*p, &a);
  a.DateFormat()->SetDateOrder(doYYMMDD);

  TScale b(nullptr);
  b.Assign(&a);
  for (const TPropInfo *p : settings) {
    EXPECT_NE(Published(*p, &a), Published(*p, &fresh)) << p->Name() << " was not changed";
    EXPECT_EQ(Published(*p, &b), Published(*p, &a)) << p->Name();
  }
  EXPECT_TRUE(b.DateFormat()->SameSettings(*a.DateFormat()));
  EXPECT_EQ(b.Factor(), a.Factor());
  EXPECT_EQ(b.Offset(), a.Offset());
}

TEST(Scale, PublishedProperties) {
  RegisterAxesClasses();
  if (FindClass("TCustomControl") == nullptr) GTEST_SKIP() << "control classes not registered yet";
  const TClassInfo *info = FindClass("TScale");
  ASSERT_NE(info, nullptr);
  for (const char *name : {"Caption",
                           "CaptionPosX",
                           "CaptionPosY",
                           "CaptionAlignment",
                           "CaptionAnchor",
                           "ColorBackGnd",
                           "ColorScale",
                           "ColorScheme",
                           "DateFormat",
                           "DecPlaces",
                           "FrameStyle",
                           "LabelType",
                           "Logarithmic",
                           "MarginTop",
                           "MarginBottom",
                           "MarginLeft",
                           "MarginRight",
                           "MinTicks",
                           "NumTicks",
                           "RangeLow",
                           "RangeHigh",
                           "ScaleInscript",
                           "UserTickText",
                           "ScaleType",
                           "ShortTicks",
                           "ShowBaseLine",
                           "Transparent",
                           "OnScaleTickDrawn",
                           "OnBeforeScaleRendered",
                           "OnAfterScaleRendered",
                           "Align",
                           "Anchors",
                           "ParentFont",
                           "ParentShowHint",
                           "ShowHint",
                           "Visible",
                           "OnClick",
                           "OnDblClick",
                           "OnMouseMove",
                           "OnMouseDown",
                           "OnMouseUp"})
    EXPECT_NE(info->FindProperty(name), nullptr) << name;
  EXPECT_FALSE(info->FindProperty("NumTicks")->Writable());
  std::unique_ptr<TObject> obj(info->Create(nullptr));
  auto *s = dynamic_cast<TScale *>(obj.get());
  ASSERT_NE(s, nullptr);
  info->FindProperty("MinTicks")->SetOrdinal(s, 1);
  EXPECT_EQ(s->MinTicks(), 2);
}
