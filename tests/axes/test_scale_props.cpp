// Axis property objects: defaults, setter rules, change events and their
// published properties.
#include "axes/scale.h"
#include "axes/scale_props.h"
#include "platform/property_registry.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
  TScalePropsHoriz axis;
  int changes = 0;
  Counted() {
    axis.OnChange = [this](TObject *Sender) {
      EXPECT_EQ(Sender, &axis);
      ++changes;
    };
  }
};

} // namespace

TEST(ScaleProps, Defaults) {
  TScalePropsHoriz h;
  EXPECT_EQ(h.Caption(), "");
  EXPECT_EQ(h.CaptionPosX(), 0);
  EXPECT_EQ(h.CaptionPosY(), 0);
  EXPECT_EQ(h.CaptionAlignment(), taCenter);
  EXPECT_EQ(h.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(h.ColorScale(), clBlack);
  EXPECT_EQ(h.DecPlaces(), -2);
  EXPECT_FALSE(h.Logarithmic());
  EXPECT_EQ(h.LabelType(), ftNum);
  EXPECT_EQ(h.MinTicks(), 3);
  EXPECT_DOUBLE_EQ(h.MinRange(), 1e-10);
  EXPECT_EQ(h.RangeLow(), 0);
  EXPECT_EQ(h.RangeHigh(), 1);
  EXPECT_TRUE(h.ShortTicks());
  EXPECT_EQ(h.ScaleInscript(), "");
  EXPECT_EQ(h.ScalePos(), 0);
  EXPECT_EQ(h.UserTickText(), "");
  EXPECT_FALSE(h.Visible());
  EXPECT_TRUE(h.Loading());
  EXPECT_EQ(h.ScaleLocation(), slBottom);
  EXPECT_EQ(h.ScaleType(), sctXT);
  EXPECT_EQ(h.DateFormat()->DateOrder(), doDDMMYY);
  TScalePropsVert v;
  EXPECT_EQ(v.ScaleLocation(), slLeft);
  EXPECT_EQ(v.ScaleType(), sctYR);
}

TEST(ScaleProps, LocationSetsTheInternalType) {
  TScalePropsHoriz h;
  h.SetScaleLocation(slTop);
  EXPECT_EQ(h.ScaleType(), sctXB);
  h.SetScaleLocation(slBottom);
  EXPECT_EQ(h.ScaleType(), sctXT);
  TScalePropsVert v;
  v.SetScaleLocation(slRight);
  EXPECT_EQ(v.ScaleType(), sctYL);
  v.SetScaleLocation(slLeft);
  EXPECT_EQ(v.ScaleType(), sctYR);
}

TEST(ScaleProps, RangeEndsWidenWhenCloserThanMinRange) {
  Counted c;
  c.axis.SetRangeLow(0.5);
  c.axis.SetRangeHigh(0.5);
  EXPECT_DOUBLE_EQ(c.axis.RangeHigh(), 0.5);
  EXPECT_DOUBLE_EQ(c.axis.RangeLow(), 0.5 - 1e-10);
  c.axis.SetRangeLow(0.5);
  EXPECT_DOUBLE_EQ(c.axis.RangeLow(), 0.5);
  EXPECT_DOUBLE_EQ(c.axis.RangeHigh(), 0.5 + 1e-10);
  EXPECT_EQ(c.changes, 3);
  // The ends are not ordered: a reversed axis is kept.
  c.axis.SetRangeLow(10);
  c.axis.SetRangeHigh(0);
  EXPECT_EQ(c.axis.RangeLow(), 10);
  EXPECT_EQ(c.axis.RangeHigh(), 0);
}

TEST(ScaleProps, MinRangeWidensAboutTheCentre) {
  Counted c;
  c.axis.SetMinRange(1e-101); // ignored, no event
  EXPECT_DOUBLE_EQ(c.axis.MinRange(), 1e-10);
  c.axis.SetMinRange(0.5); // stored, range already wide enough: no event
  EXPECT_DOUBLE_EQ(c.axis.MinRange(), 0.5);
  EXPECT_EQ(c.changes, 0);
  c.axis.SetMinRange(4);
  EXPECT_DOUBLE_EQ(c.axis.RangeLow(), -1.5);
  EXPECT_DOUBLE_EQ(c.axis.RangeHigh(), 2.5);
  EXPECT_EQ(c.changes, 1);
}

TEST(ScaleProps, LogarithmicNeedsPositiveEndsOnceLoaded) {
  Counted c;
  c.axis.SetLoading(false);
  c.axis.SetLogarithmic(true); // range 0 .. 1: refused
  EXPECT_FALSE(c.axis.Logarithmic());
  EXPECT_EQ(c.changes, 1); // fires even when refused
  c.axis.SetRangeLow(1);
  c.axis.SetRangeHigh(1000);
  c.axis.SetLogarithmic(true);
  EXPECT_TRUE(c.axis.Logarithmic());

  // Non-positive ends are refused on a logarithmic axis, with the event.
  const int before = c.changes;
  c.axis.SetRangeLow(0);
  c.axis.SetRangeLow(-5);
  c.axis.SetRangeHigh(0);
  EXPECT_EQ(c.axis.RangeLow(), 1);
  EXPECT_EQ(c.axis.RangeHigh(), 1000);
  EXPECT_EQ(c.changes, before + 3);

  // Widening that would push the other end below zero is refused as well.
  c.axis.SetMinRange(5);
  c.axis.SetRangeHigh(2);
  EXPECT_EQ(c.axis.RangeLow(), 1);
  EXPECT_EQ(c.axis.RangeHigh(), 1000);
  c.axis.SetLogarithmic(false);
  c.axis.SetRangeHigh(2);
  EXPECT_EQ(c.axis.RangeLow(), -3);

  // Date labels refuse the logarithmic mode and switch it off.
  c.axis.SetRangeLow(1);
  c.axis.SetRangeHigh(100);
  c.axis.SetLogarithmic(true);
  c.axis.SetLabelType(ftDateTime);
  EXPECT_FALSE(c.axis.Logarithmic());
  c.axis.SetLogarithmic(true);
  EXPECT_FALSE(c.axis.Logarithmic());
}

TEST(ScaleProps, LogarithmicAcceptedUncheckedWhileLoading) {
  TScalePropsVert v; // range 0 .. 1
  v.SetLogarithmic(true);
  EXPECT_TRUE(v.Logarithmic());
}

TEST(ScaleProps, LabelTypeAndDecPlaces) {
  Counted c;
  c.axis.SetLabelType(ftTime);
  EXPECT_EQ(c.axis.DecPlaces(), 4);
  c.axis.SetDecPlaces(20);
  EXPECT_EQ(c.axis.DecPlaces(), 12);
  c.axis.SetDecPlaces(-7);
  EXPECT_EQ(c.axis.DecPlaces(), -3);
  EXPECT_EQ(c.changes, 3);
}

TEST(ScaleProps, OwnedObjectsCopyAndReportChanges) {
  Counted c;
  TDTLabel *own = c.axis.DateFormat();
  TDTLabel other;
  other.SetDateOrder(doYYMMDD);
  other.SetMonthName(false);
  c.axis.SetDateFormat(&other);
  EXPECT_EQ(c.axis.DateFormat(), own);
  EXPECT_EQ(own->DateOrder(), doYYMMDD);
  EXPECT_FALSE(own->MonthName());
  EXPECT_EQ(c.changes, 1);
  own->SetYearLength(ylYY);
  EXPECT_EQ(c.changes, 2);

  TFont f;
  f.SetHeight(-20);
  c.axis.SetFont(&f);
  EXPECT_EQ(c.axis.Font()->Height(), -20);
  EXPECT_EQ(c.changes, 3);
  c.axis.Font()->SetColor(clRed);
  EXPECT_EQ(c.changes, 4);
}

TEST(ScaleProps, PublishedPropertiesInDeclarationOrder) {
  RegisterAxesClasses();
  const TClassInfo *info = FindClass("TScalePropsHoriz");
  ASSERT_NE(info, nullptr);
  std::vector<std::string> names;
  for (const TPropInfo *p : info->Properties())
    names.push_back(p->Name());
  std::vector<std::string> expected{
      "Caption",       "CaptionPosX",  "CaptionPosY",  "CaptionAlignment",
      "CaptionAnchor", "ColorScale",   "DateFormat",   "DecPlaces",
      "Font",          "Logarithmic",  "LabelType",    "MinTicks",
      "MinRange",      "RangeLow",     "RangeHigh",    "ShortTicks",
      "ScaleInscript", "ScalePos",     "UserTickText", "Visible",
      "OnChange",      "ScaleLocation"};
  EXPECT_EQ(names, expected);

  // Setting through the registry applies the setter's rules.
  TScalePropsVert v;
  const TClassInfo *vinfo = FindClass("TScalePropsVert");
  vinfo->FindProperty("DecPlaces")->SetOrdinal(&v, 99);
  EXPECT_EQ(v.DecPlaces(), 12);
  vinfo->FindProperty("ScaleLocation")
      ->SetOrdinal(&v, vinfo->FindProperty("ScaleLocation")->ValueIndex("slRight"));
  EXPECT_EQ(v.ScaleType(), sctYL);
  vinfo->FindProperty("RangeHigh")->SetFloat(&v, 7.5);
  EXPECT_EQ(v.RangeHigh(), 7.5);
  TObject *dt = vinfo->FindProperty("DateFormat")->GetObject(&v);
  FindClass("TDTLabel")->FindProperty("DateSeparator")->SetText(dt, "/");
  EXPECT_EQ(v.DateFormat()->DateSeparator(), '/');

  // The axis font is reached in place, and changing it is an axis change.
  int changes = 0;
  v.OnChange = [&](TObject *) { ++changes; };
  TObject *font = vinfo->FindProperty("Font")->GetObject(&v);
  FindClass("TFont")->FindProperty("Height")->SetOrdinal(font, -17);
  EXPECT_EQ(v.Font()->Height(), -17);
  EXPECT_GE(changes, 1);
}

TEST(DTLabel, ChangeRules) {
  TDTLabel d;
  int changes = 0;
  d.OnChange = [&](TObject *) { ++changes; };
  EXPECT_EQ(d.TimeFormat(), tfHHMMSS);
  EXPECT_EQ(d.DateSeparator(), '-');
  EXPECT_EQ(d.TimeSeparator(), ':');
  EXPECT_EQ(d.YearLength(), ylYYYY);
  EXPECT_TRUE(d.MonthName());
  EXPECT_EQ(d.DateForTime(), dtOnePerDay);

  // Time format and date order notify on every assignment ...
  d.SetTimeFormat(tfHHMMSS);
  d.SetDateOrder(doDDMMYY);
  EXPECT_EQ(changes, 2);
  // ... the other five only when the value changes.
  d.SetDateSeparator('-');
  d.SetTimeSeparator(':');
  d.SetYearLength(ylYYYY);
  d.SetMonthName(true);
  d.SetDateForTime(dtOnePerDay);
  EXPECT_EQ(changes, 2);
  d.SetDateSeparator('.');
  d.SetTimeSeparator('h');
  d.SetYearLength(ylNone);
  d.SetMonthName(false);
  d.SetDateForTime(dtAllTicks);
  EXPECT_EQ(changes, 7);

  TDTLabel e;
  e.Assign(&d);
  EXPECT_TRUE(e.SameSettings(d));
  EXPECT_EQ(e.DateSeparator(), '.');
  EXPECT_EQ(e.DateForTime(), dtAllTicks);
}
