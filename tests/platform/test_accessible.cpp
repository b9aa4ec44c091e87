// Accessibility: the spoken form of numbers, the notification throttle, what
// the controls describe, and what the system's accessibility (the screen
// reader's view) gets from them.
#include "helper_window.h"
#include "platform/accessible.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#if !defined(_WIN32)
#include "platform/qt/accessible_qt.h"
#include <QAccessible>
#include <QWidget>
#endif
#include <cmath>
#include <gtest/gtest.h>

namespace {

#if !defined(_WIN32)
QAccessibleInterface *Iface(TControl &C) {
  return QAccessible::queryAccessibleInterface(C.Widget());
}
#endif

TAccessibleInfo Described(const TControl &C) {
  TAccessibleInfo info;
  C.DescribeAccessible(info);
  return info;
}

/// A main window with a plain and a titled panel, a label and an empty one.
struct TContainers {
  TContainers() {
    form.SetCaption("&Main window");
    layout = new TPanel(&form);
    layout->SetParent(&form);
    titled = new TPanel(&form);
    titled->SetParent(&form);
    titled->SetCaption("Commands");
    label = new TLabel(&form);
    label->SetParent(layout);
    label->SetCaption("Tom && &Jerry");
    empty = new TLabel(&form);
    empty->SetParent(layout);
  }
  TForm form{nullptr};
  TPanel *layout = nullptr, *titled = nullptr;
  TLabel *label = nullptr, *empty = nullptr;
};

TEST(AccessibleNumber, ReadsPlainDigitsInTheMiddleAndShortExponentsOutside) {
  EXPECT_EQ(FormatAccessibleNumber(std::pow(10.0, 2.2)), "158.489");
  EXPECT_EQ(FormatAccessibleNumber(898), "898");
  EXPECT_EQ(FormatAccessibleNumber(1e8), "100000000");
  EXPECT_EQ(FormatAccessibleNumber(1e-4), "0.0001");
  EXPECT_EQ(FormatAccessibleNumber(-2.5), "-2.5");
  EXPECT_EQ(FormatAccessibleNumber(0), "0");
  EXPECT_EQ(FormatAccessibleNumber(9e-11), "9E-11");
  EXPECT_EQ(FormatAccessibleNumber(1e10), "1E10");
  EXPECT_EQ(FormatAccessibleNumber(1.23456789e12), "1.23457E12");
  // Rounding up to the next power of ten keeps six digits.
  EXPECT_EQ(FormatAccessibleNumber(999999.7), "1000000");
  EXPECT_EQ(FormatAccessibleNumber(9.9999999), "10");
  EXPECT_EQ(FormatAccessibleNumber(std::nan("")), "NaN");
}

TEST(NotifyThrottle, SendsTheFirstChangeAtOnceAndTheLastOfABurstAfterTheInterval) {
  TNotifyThrottle t(1000);
  EXPECT_TRUE(t.Note(5000).SendNow);
  // Changes within the interval: one deferred send, due when it ends.
  TNotifyThrottle::TDecision d = t.Note(5200);
  EXPECT_FALSE(d.SendNow);
  EXPECT_EQ(d.DeferMs, 800);
  EXPECT_TRUE(t.Pending());
  for (int ms = 5300; ms < 6000; ms += 100) {
    d = t.Note(ms);
    EXPECT_FALSE(d.SendNow);
    EXPECT_EQ(d.DeferMs, 0) << "a second timer at " << ms;
  }
  t.Fired(6000);
  EXPECT_FALSE(t.Pending());
  // The deferred send counts as a send: the next change waits again.
  EXPECT_EQ(t.Note(6500).DeferMs, 500);
  t.Fired(7000);
  // A quiet spell longer than the interval: sent at once.
  EXPECT_TRUE(t.Note(8500).SendNow);
  // A clock that went back never makes a delay longer than the interval.
  EXPECT_EQ(t.Note(100).DeferMs, 1000);
}

TEST(AccessibleDescriptions, ContainersAndTextsHaveTheirRolesAndNames) {
  TContainers c;
  TForm &form = c.form;
  TPanel *layout = c.layout, *titled = c.titled;
  TLabel *label = c.label, *empty = c.empty;

  EXPECT_EQ(Described(form).Role, arWindow);
  EXPECT_EQ(Described(form).Name, "Main window");
  EXPECT_EQ(Described(*layout).Role, arLayout);
  EXPECT_EQ(Described(*titled).Role, arGrouping);
  EXPECT_EQ(Described(*label).Role, arStaticText);
  EXPECT_EQ(Described(*label).Name, "Tom & Jerry");
  EXPECT_TRUE(Described(*empty).Silent);
  EXPECT_FALSE(Described(*label).Silent);
  label->SetCaption("Spike");
  EXPECT_EQ(Described(*label).Name, "Spike");
#if defined(_WIN32)
  // The system's proxies read a window's name from its text.
  EXPECT_EQ(WindowTitle(*label), "Spike");
#endif
  form.SetBorderStyle(bsDialog);
  EXPECT_EQ(Described(form).Role, arDialog);

  auto *button = new TBitBtn(&form);
  button->SetParent(&form);
  button->SetCaption("E&xit");
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetCaption("&Log. scale");
  box->SetHint("Show a logarithmic axis");
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetAccessibleName("Explanation");
  EXPECT_EQ(Described(*button).Role, arPushButton);
  EXPECT_EQ(Described(*button).Name, "Exit");
  EXPECT_EQ(Described(*box).Role, arCheckBox);
  EXPECT_EQ(Described(*box).Name, "Log. scale");
  EXPECT_EQ(Described(*box).Description, "Show a logarithmic axis");
  EXPECT_EQ(Described(*memo).Role, arEditableText);
  EXPECT_EQ(Described(*memo).Name, "Explanation");
}

TEST(AccessibleDescriptions, SlidersTellAndTakeValuesInTheUnitsTheFormGives) {
  TForm form(nullptr);
  auto *bar = new TScrollBar(&form);
  bar->SetParent(&form);
  bar->SetParams(898, 80, 10000);
  bar->SetAccessibleName("Temperature");
  bar->SetAccessibleValueMap({nullptr, "K"});
  const TAccessibleInfo b = Described(*bar);
  EXPECT_EQ(b.Role, arSlider);
  EXPECT_EQ(b.Name, "Temperature");
  EXPECT_EQ(b.Value, "898 K");
  ASSERT_TRUE(b.Range);
  EXPECT_EQ(b.Range->Current, 898);
  EXPECT_EQ(b.Range->Minimum, 80);
  EXPECT_EQ(b.Range->Maximum, 10000);
  EXPECT_TRUE(bar->AccessibleSetValue(5800.4));
  EXPECT_EQ(bar->Position(), 5800);
#if defined(_WIN32)
  EXPECT_EQ(WindowTitle(*bar), "Temperature");
#endif

  auto *track = new TTrackBar(&form);
  track->SetParent(&form);
  track->SetParams(22, -40, 80);
  track->SetHint("Top of the axis");
  track->SetAccessibleValueMap({[](int p) { return std::pow(10.0, p / 10.0); }, ""});
  int changes = 0;
  track->OnChange = [&](TObject *) { ++changes; };
  const TAccessibleInfo t = Described(*track);
  EXPECT_EQ(t.Name, "Top of the axis");
  EXPECT_EQ(t.Description, "");
  EXPECT_EQ(t.Value, "158.489");
  ASSERT_TRUE(t.Range);
  EXPECT_DOUBLE_EQ(t.Range->Minimum, 1e-4);
  EXPECT_DOUBLE_EQ(t.Range->Maximum, 1e8);
  EXPECT_TRUE(track->AccessibleSetValue(1.2));
  EXPECT_EQ(track->Position(), 1);
  EXPECT_EQ(changes, 1);
}

#if !defined(_WIN32)
TEST(AccessibleControls, FormsLabelsAndPanelsHaveTheirRolesAndNames) {
  TContainers c;
  TForm &form = c.form;
  TPanel *layout = c.layout, *titled = c.titled;
  TLabel *label = c.label, *empty = c.empty;

  ASSERT_TRUE(Iface(form));
  EXPECT_EQ(Iface(form)->role(), QAccessible::Window);
  EXPECT_EQ(Iface(form)->text(QAccessible::Name), "Main window");
  EXPECT_EQ(Iface(*layout)->role(), QAccessible::Client);
  EXPECT_EQ(Iface(*titled)->role(), QAccessible::Grouping);
  EXPECT_EQ(Iface(*label)->role(), QAccessible::StaticText);
  EXPECT_EQ(Iface(*label)->text(QAccessible::Name), "Tom & Jerry");
  // A label that shows nothing is passed over.
  form.Show();
  EXPECT_TRUE(Iface(*empty)->state().invisible);
  EXPECT_FALSE(Iface(*label)->state().invisible);
  // Names follow the caption; a dialog border makes a dialog.
  label->SetCaption("Spike");
  EXPECT_EQ(Iface(*label)->text(QAccessible::Name), "Spike");
  form.SetBorderStyle(bsDialog);
  EXPECT_EQ(Iface(form)->role(), QAccessible::Dialog);
}

TEST(AccessibleControls, ButtonsCheckBoxesAndTheMemoKeepQtsInterfacesWithOurNames) {
  TForm form(nullptr);
  auto *button = new TBitBtn(&form);
  button->SetParent(&form);
  button->SetCaption("E&xit");
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetCaption("&Log. scale");
  box->SetHint("Show a logarithmic axis");
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetAccessibleName("Explanation");
  memo->Lines()->Add("Some text");

  EXPECT_EQ(Iface(*button)->role(), QAccessible::PushButton);
  EXPECT_EQ(Iface(*button)->text(QAccessible::Name), "Exit");
  EXPECT_EQ(Iface(*box)->role(), QAccessible::CheckBox);
  EXPECT_EQ(Iface(*box)->text(QAccessible::Name), "Log. scale");
  EXPECT_EQ(Iface(*box)->text(QAccessible::Description), "Show a logarithmic axis");
  box->SetChecked(true);
  EXPECT_TRUE(Iface(*box)->state().checked);
  EXPECT_EQ(Iface(*memo)->role(), QAccessible::EditableText);
  EXPECT_EQ(Iface(*memo)->text(QAccessible::Name), "Explanation");
  ASSERT_TRUE(Iface(*memo)->textInterface());
  EXPECT_EQ(Iface(*memo)->textInterface()->text(0, 9), "Some text");
  // A later caption reaches the name.
  button->SetCaption("&Quit");
  EXPECT_EQ(Iface(*button)->text(QAccessible::Name), "Quit");
}

TEST(AccessibleControls, SlidersReadTheirValueInTheUnitsTheFormGives) {
  TForm form(nullptr);
  auto *bar = new TScrollBar(&form);
  bar->SetParent(&form);
  bar->SetParams(898, 80, 10000);
  bar->SetAccessibleName("Temperature");
  bar->SetAccessibleValueMap({nullptr, "K"});
  auto *track = new TTrackBar(&form);
  track->SetParent(&form);
  track->SetParams(22, -40, 80);
  track->SetHint("Top of the axis");
  // A map that falls: the range is still told from its smaller end.
  track->SetAccessibleValueMap({[](int p) { return std::pow(10.0, p / 10.0); }, ""});
  int changes = 0;
  track->OnChange = [&](TObject *) { ++changes; };

  QAccessibleInterface *b = Iface(*bar);
  EXPECT_EQ(b->role(), QAccessible::Slider);
  EXPECT_EQ(b->text(QAccessible::Name), "Temperature");
  EXPECT_EQ(b->text(QAccessible::Value), "898 K");
  ASSERT_TRUE(b->valueInterface());
  EXPECT_EQ(b->valueInterface()->currentValue().toDouble(), 898);
  EXPECT_EQ(b->valueInterface()->minimumValue().toDouble(), 80);
  EXPECT_EQ(b->valueInterface()->maximumValue().toDouble(), 10000);
  b->valueInterface()->setCurrentValue(5800.4);
  EXPECT_EQ(bar->Position(), 5800);
  b->valueInterface()->setCurrentValue(1e9);
  EXPECT_EQ(bar->Position(), 10000);

  QAccessibleInterface *t = Iface(*track);
  EXPECT_EQ(t->role(), QAccessible::Slider);
  // Named by its hint when it has neither caption nor name of its own.
  EXPECT_EQ(t->text(QAccessible::Name), "Top of the axis");
  EXPECT_EQ(t->text(QAccessible::Description), "");
  EXPECT_EQ(t->text(QAccessible::Value), "158.489");
  EXPECT_NEAR(t->valueInterface()->currentValue().toDouble(), 158.489, 1e-3);
  EXPECT_DOUBLE_EQ(t->valueInterface()->minimumValue().toDouble(), 1e-4);
  EXPECT_DOUBLE_EQ(t->valueInterface()->maximumValue().toDouble(), 1e8);
  // Set by value: the nearest position, with the control's change event.
  t->valueInterface()->setCurrentValue(1.2);
  EXPECT_EQ(track->Position(), 1);
  EXPECT_EQ(changes, 1);
  t->valueInterface()->setCurrentValue(QString("not a number"));
  EXPECT_EQ(track->Position(), 1);
  // Disabled controls are not moved from outside.
  track->SetEnabled(false);
  t->valueInterface()->setCurrentValue(1e8);
  EXPECT_EQ(track->Position(), 1);
}

#endif

TEST(AccessibleControls, ALongMappedRangeIsSearchedByBisection) {
  TForm form(nullptr);
  auto *bar = new TScrollBar(&form);
  bar->SetParent(&form);
  bar->SetParams(0, -2000000000, 2000000000);
  bar->SetAccessibleValueMap({[](int p) { return p / 1000.0; }, "m"});
  EXPECT_TRUE(bar->AccessibleSetValue(1234.5678));
  EXPECT_EQ(bar->Position(), 1234568);
  EXPECT_TRUE(bar->AccessibleSetValue(-1e12));
  EXPECT_EQ(bar->Position(), -2000000000);
  EXPECT_FALSE(bar->AccessibleSetValue(std::nan("")));
}

TEST(AccessibleControls, ADescriptionTakesPrecedenceOverTheHint) {
  TForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetCaption("Chart");
  panel->SetHint("a hint");
  TAccessibleInfo info;
  panel->DescribeAccessible(info);
  EXPECT_EQ(info.Description, "a hint");
  panel->SetAccessibleDescription("Curve at 898 K.");
  EXPECT_EQ(Described(*panel).Description, "Curve at 898 K.");
#if !defined(_WIN32)
  EXPECT_EQ(Iface(*panel)->text(QAccessible::Description), "Curve at 898 K.");
  EXPECT_EQ(AccessibleNotifyInterval(acDescription), 1000);
  EXPECT_LE(AccessibleNotifyInterval(acName), AccessibleNotifyInterval(acDescription));
#endif
}

} // namespace
