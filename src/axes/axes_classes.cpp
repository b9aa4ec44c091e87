// Registration of the axis classes and their published properties, in the
// order a form description lists them.
#include "axes/dt_label.h"
#include "axes/scale.h"
#include "axes/scale_props.h"
#include "platform/property_registry.h"

#include <type_traits>
#include <typeindex>

namespace {

void RegisterDTLabel() {
  RegisterClass<TDTLabel, TPersistent>("TDTLabel")
      .Enum("TimeFormat", &TDTLabel::TimeFormat, &TDTLabel::SetTimeFormat,
            {"tfHHMMSS", "tfHHhMM", "tfAMPM"})
      .Text(
          "DateSeparator", [](TDTLabel *o) { return std::string(1, o->DateSeparator()); },
          [](TDTLabel *o, const std::string &v) {
            if (!v.empty()) o->SetDateSeparator(v[0]);
          })
      .Text(
          "TimeSeparator", [](TDTLabel *o) { return std::string(1, o->TimeSeparator()); },
          [](TDTLabel *o, const std::string &v) {
            if (!v.empty()) o->SetTimeSeparator(v[0]);
          })
      .Enum("YearLength", &TDTLabel::YearLength, &TDTLabel::SetYearLength,
            {"ylNone", "ylYY", "ylYYYY"})
      .Boolean("MonthName", &TDTLabel::MonthName, &TDTLabel::SetMonthName)
      .Enum("DateOrder", &TDTLabel::DateOrder, &TDTLabel::SetDateOrder,
            {"doMMDDYY", "doDDMMYY", "doYYMMDD"})
      .Enum("DateForTime", &TDTLabel::DateForTime, &TDTLabel::SetDateForTime,
            {"dtNone", "dtOnePerChart", "dtOnePerDay", "dtAllTicks"})
      .Event("OnChange", &TDTLabel::OnChange);
}

// The axis font is owned by the axis; forms set its fields (Font.Height ...)
// through the registry's stand-in for fonts.
template <class T> void AddFont(TPublished<T> &p) {
  p.Object("Font", [](T *o) { return o->Font(); });
}

void RegisterScaleProps() {
  auto p = RegisterClass<TScaleProps, TPersistent>("TScaleProps");
  p.Text("Caption", &TScaleProps::Caption, &TScaleProps::SetCaption)
      .Integer("CaptionPosX", &TScaleProps::CaptionPosX, &TScaleProps::SetCaptionPosX)
      .Integer("CaptionPosY", &TScaleProps::CaptionPosY, &TScaleProps::SetCaptionPosY)
      .Enum("CaptionAlignment", &TScaleProps::CaptionAlignment, &TScaleProps::SetCaptionAlignment,
            AlignmentNames)
      .Enum("CaptionAnchor", &TScaleProps::CaptionAnchor, &TScaleProps::SetCaptionAnchor,
            ScaleUnitAnchorNames)
      .Color("ColorScale", &TScaleProps::ColorScale, &TScaleProps::SetColorScale)
      .Object(
          "DateFormat", [](TScaleProps *o) { return o->DateFormat(); },
          [](TScaleProps *o, TDTLabel *d) { o->SetDateFormat(d); })
      .Integer("DecPlaces", &TScaleProps::DecPlaces, &TScaleProps::SetDecPlaces);
  AddFont(p);
  p.Boolean("Logarithmic", &TScaleProps::Logarithmic, &TScaleProps::SetLogarithmic)
      .Enum("LabelType", &TScaleProps::LabelType, &TScaleProps::SetLabelType, FigTypeNames)
      .Integer("MinTicks", &TScaleProps::MinTicks, &TScaleProps::SetMinTicks)
      .Float("MinRange", &TScaleProps::MinRange, &TScaleProps::SetMinRange)
      .Float("RangeLow", &TScaleProps::RangeLow, &TScaleProps::SetRangeLow)
      .Float("RangeHigh", &TScaleProps::RangeHigh, &TScaleProps::SetRangeHigh)
      .Boolean("ShortTicks", &TScaleProps::ShortTicks, &TScaleProps::SetShortTicks)
      .Text("ScaleInscript", &TScaleProps::ScaleInscript, &TScaleProps::SetScaleInscript)
      .Integer("ScalePos", &TScaleProps::ScalePos, &TScaleProps::SetScalePos)
      .Text("UserTickText", &TScaleProps::UserTickText, &TScaleProps::SetUserTickText)
      .Boolean("Visible", &TScaleProps::Visible, &TScaleProps::SetVisible)
      .Event("OnChange", &TScaleProps::OnChange);

  RegisterClass<TScalePropsHoriz, TScaleProps>("TScalePropsHoriz")
      .Enum("ScaleLocation", &TScalePropsHoriz::ScaleLocation, &TScalePropsHoriz::SetScaleLocation,
            ScaleLocationHorizNames);
  RegisterClass<TScalePropsVert, TScaleProps>("TScalePropsVert")
      .Enum("ScaleLocation", &TScalePropsVert::ScaleLocation, &TScalePropsVert::SetScaleLocation,
            ScaleLocationVertNames);
}

void RegisterScale() {
  auto p = RegisterClass<TScale, TCustomControl>("TScale");
  TClassInfo &info = p.Info();
  auto missing = [&info](const char *name) { return info.FindProperty(name) == nullptr; };

  // What the control framework already publishes higher up is not repeated.
  if (missing("Caption"))
    p.Text(
        "Caption", [](TScale *o) { return o->Caption(); },
        [](TScale *o, const std::string &v) { o->SetCaption(v); });
  p.Integer("CaptionPosX", &TScale::CaptionPosX, &TScale::SetCaptionPosX)
      .Integer("CaptionPosY", &TScale::CaptionPosY, &TScale::SetCaptionPosY)
      .Enum("CaptionAlignment", &TScale::CaptionAlignment, &TScale::SetCaptionAlignment,
            AlignmentNames)
      .Enum("CaptionAnchor", &TScale::CaptionAnchor, &TScale::SetCaptionAnchor,
            ScaleUnitAnchorNames)
      .Color("ColorBackGnd", &TScale::ColorBackGnd, &TScale::SetColorBackGnd)
      .Color("ColorScale", &TScale::ColorScale, &TScale::SetColorScale)
      .Enum("ColorScheme", &TScale::ColorScheme, &TScale::SetColorScheme, ColorSchemeNames)
      .Object(
          "DateFormat", [](TScale *o) { return o->DateFormat(); },
          [](TScale *o, TDTLabel *d) { o->SetDateFormat(d); })
      .Integer("DecPlaces", &TScale::DecPlaces, &TScale::SetDecPlaces)
      .Enum("FrameStyle", &TScale::FrameStyle, &TScale::SetFrameStyle, FrameStyleNames)
      .Enum("LabelType", &TScale::LabelType, &TScale::SetLabelType, FigTypeNames)
      .Boolean("Logarithmic", &TScale::Logarithmic, &TScale::SetLogarithmic)
      .Integer("MarginTop", &TScale::MarginTop, &TScale::SetMarginTop)
      .Integer("MarginBottom", &TScale::MarginBottom, &TScale::SetMarginBottom)
      .Integer("MarginLeft", &TScale::MarginLeft, &TScale::SetMarginLeft)
      .Integer("MarginRight", &TScale::MarginRight, &TScale::SetMarginRight)
      .Integer("MinTicks", &TScale::MinTicks, &TScale::SetMinTicks)
      .Integer("NumTicks", &TScale::NumTicks, nullptr)
      .Float("RangeLow", &TScale::RangeLow, &TScale::SetRangeLow)
      .Float("RangeHigh", &TScale::RangeHigh, &TScale::SetRangeHigh)
      .Text("ScaleInscript", &TScale::ScaleInscript, &TScale::SetScaleInscript)
      .Text("UserTickText", &TScale::UserTickText, &TScale::SetUserTickText)
      .Enum("ScaleType", &TScale::ScaleType, &TScale::SetScaleType, ScaleTypeNames)
      .Boolean("ShortTicks", &TScale::ShortTicks, &TScale::SetShortTicks)
      .Boolean("ShowBaseLine", &TScale::ShowBaseLine, &TScale::SetShowBaseLine)
      .Boolean("Transparent", &TScale::Transparent, &TScale::SetTransparent)
      .Event("OnScaleTickDrawn", &TScale::OnScaleTickDrawn)
      .Event("OnBeforeScaleRendered", &TScale::OnBeforeScaleRendered)
      .Event("OnAfterScaleRendered", &TScale::OnAfterScaleRendered);

  if (missing("Align")) p.Enum("Align", &TScale::Align, &TScale::SetAlign, AlignNames);
  if (missing("Anchors")) p.Set("Anchors", &TScale::Anchors, &TScale::SetAnchors, AnchorKindNames);
  if (missing("Font")) AddFont(p);
  if (missing("ParentFont")) p.Boolean("ParentFont", &TScale::ParentFont, &TScale::SetParentFont);
  if (missing("ParentShowHint"))
    p.Boolean("ParentShowHint", &TScale::ParentShowHint, &TScale::SetParentShowHint);
  if (missing("ShowHint")) p.Boolean("ShowHint", &TScale::ShowHint, &TScale::SetShowHint);
  if (missing("Visible"))
    p.Boolean(
        "Visible", [](TScale *o) { return o->Visible(); },
        [](TScale *o, bool v) { o->SetVisible(v); });
  if (missing("OnClick")) p.Event("OnClick", static_cast<TNotifyEvent TScale::*>(&TScale::OnClick));
  if (missing("OnDblClick"))
    p.Event("OnDblClick", static_cast<TNotifyEvent TScale::*>(&TScale::OnDblClick));
  if (missing("OnMouseMove"))
    p.Event("OnMouseMove", static_cast<TMouseMoveEvent TScale::*>(&TScale::OnMouseMove));
  if (missing("OnMouseDown"))
    p.Event("OnMouseDown", static_cast<TMouseEvent TScale::*>(&TScale::OnMouseDown));
  if (missing("OnMouseUp"))
    p.Event("OnMouseUp", static_cast<TMouseEvent TScale::*>(&TScale::OnMouseUp));
}

} // namespace

void RegisterAxesClasses() {
  static bool propsDone = false;
  static bool scaleDone = false;
  if (!propsDone) {
    propsDone = true;
    RegisterPlatformClasses();
    RegisterDTLabel();
    RegisterScaleProps();
  }
  // The scale joins the registry once its ancestor control class is there.
  if (!scaleDone && FindClass(std::type_index(typeid(TCustomControl))) != nullptr) {
    scaleDone = true;
    RegisterScale();
  }
}
