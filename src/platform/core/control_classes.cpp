// Registration of pictures, icons and controls with their published
// properties. Each back end's RegisterPlatformClasses calls it after the
// core's other classes.
#include "platform/bitmap.h"
#include "platform/collection.h"
#include "platform/component.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/graphics.h"
#include "platform/icon.h"
#include "platform/property_registry.h"
#include "platform/resources.h"
#include "platform/streams.h"
#include "platform/strings.h"

namespace {
using FBitmap = TForeignObject<TBitmap>;

void RegisterPictures() {
  TClassInfo &bitmap = RegisterForeignClass<TBitmap>("TBitmap").Info();
  // Pictures are named by a resource or a file, or written as data in the form.
  bitmap.LoadFromData = [](TObject *o, const std::string &data) {
    TMemoryStream stream;
    stream.Write(data.data(), std::int64_t(data.size()));
    stream.SetPosition(0);
    static_cast<FBitmap *>(o)->Target->LoadFromStream(stream);
  };
  bitmap.LoadFromName = [&bitmap](TObject *o, const std::string &name) {
    if (auto data = FindResource(name))
      bitmap.LoadFromData(o, *data);
    else
      static_cast<FBitmap *>(o)->Target->LoadFromFile(name);
  };
  TClassInfo &icon = RegisterClass<TIcon, TPersistent>("TIcon").Info();
  icon.LoadFromData = [](TObject *o, const std::string &data) {
    static_cast<TIcon *>(o)->LoadFromData(data);
  };
  icon.LoadFromName = [](TObject *o, const std::string &name) {
    if (auto data = FindResource(name))
      static_cast<TIcon *>(o)->LoadFromData(*data);
    else
      static_cast<TIcon *>(o)->LoadFromFile(name);
  };
}

const std::vector<std::string> kBevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};

void RegisterControls() {
  RegisterClass<TControl, TComponent>("TControl")
      .Integer("Left", &TControl::Left, &TControl::SetLeft)
      .Integer("Top", &TControl::Top, &TControl::SetTop)
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .Enum("Align", &TControl::Align, &TControl::SetAlign, AlignNames)
      .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, AnchorKindNames)
      .Color("Color", &TControl::Color, &TControl::SetColor)
      .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor)
      .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
      .Object("Constraints", &TControl::Constraints)
      .Object("Font", [](TControl *c) { return c->Font(); })
      .Text("Hint", &TControl::Hint, &TControl::SetHint)
      .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
      .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
      .Text("AccessibleName", &TControl::AccessibleName, &TControl::SetAccessibleName)
      .Text("AccessibleDescription", &TControl::AccessibleDescription,
            &TControl::SetAccessibleDescription)
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseMove", &TControl::OnMouseMove)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseEnter", &TControl::OnMouseEnter)
      .Event("OnMouseLeave", &TControl::OnMouseLeave)
      .Event("OnMouseWheel", &TControl::OnMouseWheel)
      .Event("OnResize", &TControl::OnResize);
  RegisterClass<TWinControl, TControl>("TWinControl")
      .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
      .Event("OnKeyDown", &TWinControl::OnKeyDown)
      .Event("OnKeyUp", &TWinControl::OnKeyUp)
      .Event("OnKeyPress", &TWinControl::OnKeyPress)
      .Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit);
  RegisterClass<TGraphicControl, TControl>("TGraphicControl");
  RegisterClass<TCustomControl, TWinControl>("TCustomControl");

  RegisterClass<TSizeConstraints, TPersistent>("TSizeConstraints")
      .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
      .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
      .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
      .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
  RegisterClass<TForm, TWinControl>("TForm")
      .Text("Caption", &TForm::Caption, &TForm::SetCaption)
      .Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
      .Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
      .Enum("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle,
            {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
      .Object("Icon", &TForm::Icon)
      .Enum("Position", &TForm::Position, &TForm::SetPosition,
            {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
             "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})
      .Boolean("Scaled", &TForm::Scaled, &TForm::SetScaled)
      .Event("OnActivate", &TForm::OnActivate)
      .Event("OnClose", &TForm::OnClose)
      .Event("OnCloseQuery", &TForm::OnCloseQuery)
      .Event("OnCreate", &TForm::OnCreate)
      .Event("OnDestroy", &TForm::OnDestroy)
      .Event("OnHide", &TForm::OnHide)
      .Event("OnShow", &TForm::OnShow);

  RegisterClass<TPanel, TCustomControl>("TPanel")
      .Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, AlignmentNames)
      .Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner, kBevels)
      .Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, kBevels)
      .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
      .Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
      .Text("Caption", &TPanel::Caption, &TPanel::SetCaption);
  RegisterClass<TLabel, TGraphicControl>("TLabel")
      .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, AlignmentNames)
      .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
      .Text("Caption", &TLabel::Caption, &TLabel::SetCaption)
      .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
      .Enum("Layout", &TLabel::Layout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"})
      .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
      .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
  RegisterClass<TBitBtn, TWinControl>("TBitBtn")
      .Text("Caption", &TBitBtn::Caption, &TBitBtn::SetCaption)
      .Object("Glyph", &TBitBtn::Glyph)
      .Integer("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult)
      .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
  RegisterClass<TCheckBox, TWinControl>("TCheckBox")
      .Enum("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment, AlignmentNames)
      .Text("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
      .Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  RegisterClass<TScrollBar, TWinControl>("TScrollBar")
      .Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, {"sbHorizontal", "sbVertical"})
      .Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
      .Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax)
      .Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin)
      .Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
      .Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
      .Event("OnChange", &TScrollBar::OnChange);
  RegisterClass<TTrackBar, TWinControl>("TTrackBar")
      .Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
      .Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
      .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax)
      .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin)
      .Enum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation,
            {"trHorizontal", "trVertical"})
      .Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
      .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
      .Enum("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks,
            {"tmBottomRight", "tmTopLeft", "tmBoth"})
      .Enum("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle,
            {"tsNone", "tsAuto", "tsManual"})
      .Event("OnChange", &TTrackBar::OnChange);
  RegisterClass<TMemo, TWinControl>("TMemo")
      .Enum("Alignment", &TMemo::Alignment, &TMemo::SetAlignment, AlignmentNames)
      .Object("Lines", &TMemo::Lines, &TMemo::SetLines)
      .Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
      .Enum("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars,
            {"ssNone", "ssHorizontal", "ssVertical", "ssBoth", "ssAutoHorizontal",
             "ssAutoVertical", "ssAutoBoth"})
      .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
      .Event("OnChange", &TMemo::OnChange);
}
} // namespace

void RegisterControlClasses() {
  RegisterPictures();
  RegisterControls();
}
