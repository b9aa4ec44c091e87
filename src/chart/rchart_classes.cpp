// Registration of the chart, its text labels and cross-hairs with their
// published properties, in the order a form description lists them.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/property_registry.h"

namespace {

void RegisterTextLabel() {
  RegisterClass<TCustomTextLabel, TPersistent>("TCustomTextLabel");
  RegisterClass<TTextLabel, TCustomTextLabel>("TTextLabel")
      .Float("PosX", &TTextLabel::PosX, &TTextLabel::SetPosX)
      .Float("PosY", &TTextLabel::PosY, &TTextLabel::SetPosY)
      .Integer("Layer", &TTextLabel::Layer, &TTextLabel::SetLayer)
      .Integer("ShadowDx", &TTextLabel::ShadowDx, &TTextLabel::SetShadowDx)
      .Integer("ShadowDy", &TTextLabel::ShadowDy, &TTextLabel::SetShadowDy)
      .Color("ColorShadow", &TTextLabel::ColorShadow, &TTextLabel::SetColorShadow)
      .Enum("Alignment", &TTextLabel::Alignment, &TTextLabel::SetAlignment, AlignmentNames)
      .Enum("VerticalAlignment", &TTextLabel::VerticalAlignment, &TTextLabel::SetVerticalAlignment,
            VerticalAlignmentNames)
      .Enum("AttachToData", &TTextLabel::AttachToData, &TTextLabel::SetAttachToData,
            TxtLblAttachModeNames)
      .Color("ColorBkg", &TTextLabel::ColorBkg, &TTextLabel::SetColorBkg)
      .Color("ColorBorder", &TTextLabel::ColorBorder, &TTextLabel::SetColorBorder)
      .Boolean("Transparent", &TTextLabel::Transparent, &TTextLabel::SetTransparent)
      .Object("Font", [](TTextLabel *o) { return o->Font(); })
      .Text("Caption", &TTextLabel::Caption, &TTextLabel::SetCaption)
      .Enum("Mode", &TTextLabel::Mode, &TTextLabel::SetMode, TxtLblModeNames)
      .Event("OnChange", static_cast<TNotifyEvent TTextLabel::*>(&TTextLabel::OnChange))
      .Boolean("Visible", &TTextLabel::Visible, &TTextLabel::SetVisible);
}

void RegisterCrossHair() {
  RegisterClass<TCrossHair, TPersistent>("TCrossHair")
      .Float("PosX", &TCrossHair::PosX, &TCrossHair::SetPosX)
      .Float("PosY", &TCrossHair::PosY, &TCrossHair::SetPosY)
      .Color("Color", &TCrossHair::Color, &TCrossHair::SetColor)
      .Enum("Mode", &TCrossHair::Mode, &TCrossHair::SetMode, CrossHModeNames)
      .Enum("LineType", &TCrossHair::LineType, &TCrossHair::SetLineType, PenStyleNames)
      .Integer("LineWid", &TCrossHair::LineWid, &TCrossHair::SetLineWid)
      .Integer("Layer", &TCrossHair::Layer, &TCrossHair::SetLayer)
      .Event("OnChange", &TCrossHair::OnChange);
}

void RegisterBakGndImg() {
  RegisterClass<TBakGndImg, TPersistent>("TBakGndImg")
      .Text("Name", &TBakGndImg::Name, &TBakGndImg::SetName)
      .Boolean("IncludePath", &TBakGndImg::IncludePath, &TBakGndImg::SetIncludePath)
      .Enum("FillMode", &TBakGndImg::FillMode, &TBakGndImg::SetFillMode, BkgFillNames)
      .Enum("AreaMode", &TBakGndImg::AreaMode, &TBakGndImg::SetAreaMode, BGAreaModeNames)
      .Color("AreaColor", &TBakGndImg::AreaColor, &TBakGndImg::SetAreaColor)
      .Float("AreaLeft", &TBakGndImg::AreaLeft, &TBakGndImg::SetAreaLeft)
      .Float("AreaRight", &TBakGndImg::AreaRight, &TBakGndImg::SetAreaRight)
      .Float("AreaTop", &TBakGndImg::AreaTop, &TBakGndImg::SetAreaTop)
      .Float("AreaBottom", &TBakGndImg::AreaBottom, &TBakGndImg::SetAreaBottom);
}

void RegisterJointLayers() {
  auto p = RegisterClass<TJointLayers, TPersistent>("TJointLayers");
  for (int layer = 1; layer <= JointLayerCount; ++layer)
    for (TJointAxis axis : {jaX, jaY}) {
      const std::string name = JointPropertyName(layer, axis);
      p.Integer(
          name.c_str(), [layer, axis](TJointLayers *o) { return o->ControlledBy(axis, layer); },
          [layer, axis](TJointLayers *o, int v) { o->SetControlledBy(axis, layer, v); });
    }
}

void RegisterChart() {
  RegisterClass<TCustomRChart, TCustomControl>("TCustomRChart");
  auto p = RegisterClass<TRChart, TCustomRChart>("TRChart");
  TClassInfo &info = p.Info();
  auto missing = [&info](const char *name) { return info.FindProperty(name) == nullptr; };

  // What the control framework already publishes higher up is not repeated.
  if (missing("Align")) p.Enum("Align", &TRChart::Align, &TRChart::SetAlign, AlignNames);
  if (missing("Anchors"))
    p.Set("Anchors", &TRChart::Anchors, &TRChart::SetAnchors, AnchorKindNames);
  if (missing("Font")) p.Object("Font", [](TRChart *o) { return o->Font(); });
  if (missing("ShowHint")) p.Boolean("ShowHint", &TRChart::ShowHint, &TRChart::SetShowHint);
  if (missing("Visible"))
    p.Boolean(
        "Visible", [](TRChart *o) { return o->Visible(); },
        [](TRChart *o, bool v) { o->SetVisible(v); });

  // The display list's drawing attributes.
  p.Integer("AllocSize", &TRChart::AllocSize, &TRChart::SetAllocSize)
      .Integer("ClassDefault", &TRChart::ClassDefault, &TRChart::SetClassDefault)
      .Color("DataColor", &TRChart::DataColor, &TRChart::SetDataColor)
      .Enum("PenStyle", &TRChart::PenStyle, &TRChart::SetPenStyle, PenStyleNames)
      .Color("FillColor", &TRChart::FillColor, &TRChart::SetFillColor)
      .Integer("LineWidth", &TRChart::LineWidth, &TRChart::SetLineWidth)
      .Set(
          "TextFontStyle", [](TRChart *o) { return int(o->TextFontStyle().Bits()); },
          [](TRChart *o, int v) { o->SetTextFontStyle(TFontStyles::FromBits(std::uint8_t(v))); },
          FontStyleNames)
      .Enum("TextBkStyle", &TRChart::TextBkStyle, &TRChart::SetTextBkStyle, TextBkStyleNames)
      .Color("TextBkColor", &TRChart::TextBkColor, &TRChart::SetTextBkColor)
      .Enum("TextAlignment", &TRChart::TextAlignment, &TRChart::SetTextAlignment, AlignmentNames);

  // Appearance.
  p.Boolean("AutoRedraw", &TRChart::AutoRedraw, &TRChart::SetAutoRedraw)
      .Color("ChartFrameColor", &TRChart::ChartFrameColor, &TRChart::SetChartFrameColor)
      .Color("ChartColor", &TRChart::ChartColor, &TRChart::SetChartColor)
      .Object("BackGroundImg", &TRChart::BackGroundImg, &TRChart::SetBackGroundImg)
      .Enum("GridStyle", &TRChart::GridStyle, &TRChart::SetGridStyle, GridStyleNames)
      .Float("GridDx", &TRChart::GridDx, &TRChart::SetGridDx)
      .Float("GridDy", &TRChart::GridDy, &TRChart::SetGridDy)
      .Color("GridColor", &TRChart::GridColor, &TRChart::SetGridColor)
      .Event("OnScaleTickDrawn",
             static_cast<TScaleTickDrawnEvent TRChart::*>(&TRChart::OnScaleTickDrawn))
      .Event("OnBeforeRenderData",
             static_cast<TRenderEvent TRChart::*>(&TRChart::OnBeforeRenderData))
      .Event("OnDataRendered", static_cast<TRenderEvent TRChart::*>(&TRChart::OnDataRendered))
      .Event("OnScalesRendered", static_cast<TRenderEvent TRChart::*>(&TRChart::OnScalesRendered));

  // Cross-hairs: the chart keeps its own objects; a form edits their settings.
  p.Object("CrossHair1", &TRChart::CrossHair1, &TRChart::SetCrossHair1)
      .Object("CrossHair2", &TRChart::CrossHair2, &TRChart::SetCrossHair2)
      .Object("CrossHair3", &TRChart::CrossHair3, &TRChart::SetCrossHair3)
      .Object("CrossHair4", &TRChart::CrossHair4, &TRChart::SetCrossHair4);

  // Rim.
  p.Integer("MarginLeft", &TRChart::MarginLeft, &TRChart::SetMarginLeft)
      .Integer("MarginRight", &TRChart::MarginRight, &TRChart::SetMarginRight)
      .Integer("MarginTop", &TRChart::MarginTop, &TRChart::SetMarginTop)
      .Integer("MarginBottom", &TRChart::MarginBottom, &TRChart::SetMarginBottom)
      .Integer("LRim", &TRChart::LRim, &TRChart::SetLRim)
      .Integer("RRim", &TRChart::RRim, &TRChart::SetRRim)
      .Integer("TRim", &TRChart::TRim, &TRChart::SetTRim)
      .Integer("BRim", &TRChart::BRim, &TRChart::SetBRim)
      .Boolean("Isometric", &TRChart::Isometric, &TRChart::SetIsometric)
      .Color("WindColor", &TRChart::WindColor, &TRChart::SetWindColor);
  if (missing("Caption"))
    p.Text(
        "Caption", [](TRChart *o) { return o->Caption(); },
        [](TRChart *o, const std::string &v) { o->SetCaption(v); });
  p.Integer("CaptionPosX", &TRChart::CaptionPosX, &TRChart::SetCaptionPosX)
      .Integer("CaptionPosY", &TRChart::CaptionPosY, &TRChart::SetCaptionPosY)
      .Enum("CaptionAlignment", &TRChart::CaptionAlignment, &TRChart::SetCaptionAlignment,
            AlignmentNames)
      .Enum("CaptionAnchorHoriz", &TRChart::CaptionAnchorHoriz, &TRChart::SetCaptionAnchorHoriz,
            CaptionAnchorHorizNames)
      .Enum("CaptionAnchorVert", &TRChart::CaptionAnchorVert, &TRChart::SetCaptionAnchorVert,
            CaptionAnchorVertNames)
      .Enum("StandardLayout", &TRChart::StandardLayout, &TRChart::SetStandardLayout, LayoutNames)
      .Integer("ShadowWidth", &TRChart::ShadowWidth, &TRChart::SetShadowWidth)
      .Enum("ShadowStyle", &TRChart::ShadowStyle, &TRChart::SetShadowStyle, ShadowStyleNames)
      .Color("ShadowColor", &TRChart::ShadowColor, &TRChart::SetShadowColor)
      .Color("ShadowBakColor", &TRChart::ShadowBakColor, &TRChart::SetShadowBakColor);

  // Layer coupling, shared data and the mouse.
  p.Object("JointLayers", &TRChart::JointLayers)
      .Object("UseDataOf", &TRChart::UseDataOf, &TRChart::SetUseDataOf)
      .Enum("MouseAction", &TRChart::MouseAction, &TRChart::SetMouseAction, MouseActModeNames)
      .Boolean("MouseCursorFixed", &TRChart::MouseCursorFixed, &TRChart::SetMouseCursorFixed)
      .Event("OnMouseMoveInChart",
             static_cast<TMouseMoveInChartEvent TRChart::*>(&TRChart::OnMouseMoveInChart))
      .Event("OnRubberBand", static_cast<TRubberBandEvent TRChart::*>(&TRChart::OnRubberBand))
      .Event("OnZoomPan", static_cast<TNotifyEvent TRChart::*>(&TRChart::OnZoomPan))
      .Event("OnCrossHairMove",
             static_cast<TCrossHairMoveEvent TRChart::*>(&TRChart::OnCrossHairMove))
      .Event("OnTextLabelMove",
             static_cast<TTextLabelMoveEvent TRChart::*>(&TRChart::OnTextLabelMove));
  if (missing("OnMouseEnter"))
    p.Event("OnMouseEnter", static_cast<TNotifyEvent TRChart::*>(&TRChart::OnMouseEnter));
  if (missing("OnMouseLeave"))
    p.Event("OnMouseLeave", static_cast<TNotifyEvent TRChart::*>(&TRChart::OnMouseLeave));

  // Axis objects of layers 1-4 (the others are not published).
  p.Object("Scale1X", &TRChart::Scale1X)
      .Object("Scale1Y", &TRChart::Scale1Y)
      .Object("Scale2X", &TRChart::Scale2X)
      .Object("Scale2Y", &TRChart::Scale2Y)
      .Object("Scale3X", &TRChart::Scale3X)
      .Object("Scale3Y", &TRChart::Scale3Y)
      .Object("Scale4X", &TRChart::Scale4X)
      .Object("Scale4Y", &TRChart::Scale4Y);
}

} // namespace

void RegisterChartClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterAxesClasses();
  RegisterTextLabel();
  RegisterCrossHair();
  RegisterBakGndImg();
  RegisterJointLayers();
  RegisterChart();
}
