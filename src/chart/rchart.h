#pragma once
// TRChart: the display-list chart control. Drawing commands append items in
// world coordinates to the display list; nothing reaches the screen until
// ShowGraph or a repaint renders the list through the axes of each item's
// layer. The chart has 16 layers, each with a horizontal and a vertical axis
// object (published for layers 1-4) and an internal scale control that draws
// the axis; 30 text labels and 4 cross-hairs annotate the picture.
#include "axes/axis_map.h"
#include "axes/axis_painter.h"
#include "axes/scale_props.h"
#include "chart/bak_gnd_img.h"
#include "chart/chart_types.h"
#include "chart/display_list.h"
#include "chart/joint_layers.h"
#include "chart/mouse_gestures.h"
#include "chart/paint_geometry.h"
#include "chart/text_label.h"
#include "platform/control.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TBitmap;
class TScale;
class TSuspendScope;
struct TLayerPixelMap;
class TRunPixelCache;

/// Whether the text of ikText items is drawn on an opaque background.
enum TTextBkStyle { tbClear, tbSolid };
inline constexpr std::array<const char *, 2> TextBkStyleNames{"tbClear", "tbSolid"};

/// Raised around the stages of painting with the surface being drawn on;
/// Top and Left give where that surface's origin lies in control pixels.
using TRenderEvent = std::function<void(TObject *Sender, TCanvas *&Canvas, int Top, int Left)>;

/// Every mouse move over the chart: whether it is over the data area, and
/// where in world coordinates of the current layer.
using TMouseMoveInChartEvent = std::function<void(TObject *Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
/// The end of a rubber-band drag, once per mouse-following layer.
using TRubberBandEvent =
    std::function<void(TObject *Sender, int Layer, double LoX, double LoY, double HiX, double HiY)>;
/// A dragged cross-hair moved.
using TCrossHairMoveEvent = std::function<void(TObject *Sender, TCrossHair *WhichCrossHair)>;
/// A dragged text label moved.
using TTextLabelMoveEvent = std::function<void(TObject *Sender, TTextLabel *WhichTextLabel)>;

/// Number of layers of every chart.
inline constexpr int ChartLayerCount = 16;
/// Number of text labels of every chart.
inline constexpr int ChartLabelCount = 30;
/// Number of cross-hairs of every chart.
inline constexpr int ChartCrossHairCount = 4;
/// Default axis colour of layers 1 ... 16 (index 0 is layer 1).
extern const std::array<TColor, ChartLayerCount> LayerScaleColors;

/// All behaviour of the chart control; TRChart only publishes it.
class TCustomRChart : public TCustomControl {
public:
  explicit TCustomRChart(TComponent *AOwner);
  ~TCustomRChart() override;

  // --- display list -------------------------------------------------------
  std::int32_t ItemCount() const { return list_.ItemCount(); }
  std::int32_t Capacity() const { return list_.Capacity(); }
  /// Item Index (0 is the oldest); Index must be below ItemCount.
  const GraphItem &Items(std::int32_t Index) const { return list_.Item(Index); }
  const TDisplayList &DisplayList() const { return list_; }
  std::int32_t AllocSize() const { return list_.AllocSize(); }
  /// Growth step of the list; values outside 1 ... 1000000 are ignored.
  void SetAllocSize(std::int32_t Value) { list_.SetAllocSize(Value); }
  std::uint8_t ClassDefault() const { return list_.ClassDefault(); }
  /// Item class of new items; 255 is reserved and ignored.
  void SetClassDefault(std::uint8_t Value) { list_.SetClassDefault(Value); }
  TColor DataColor() const { return list_.DataColor(); }
  void SetDataColor(TColor Value) { list_.SetDataColor(Value); }
  TColor FillColor() const { return list_.FillColor(); }
  void SetFillColor(TColor Value) { list_.SetFillColor(Value); }
  TPenStyle PenStyle() const { return list_.PenStyle(); }
  void SetPenStyle(TPenStyle Value) { list_.SetPenStyle(Value); }
  std::uint8_t LineWidth() const { return list_.LineWidth(); }
  void SetLineWidth(std::uint8_t Value) { list_.SetLineWidth(Value); }
  TAlignment TextAlignment() const { return static_cast<TAlignment>(list_.TextAlignment()); }
  void SetTextAlignment(TAlignment Value);
  TFontStyles TextFontStyle() const { return textFontStyle_; }
  void SetTextFontStyle(TFontStyles Value);
  TTextBkStyle TextBkStyle() const { return textBkStyle_; }
  void SetTextBkStyle(TTextBkStyle Value);
  TColor TextBkColor() const { return textBkColor_; }
  void SetTextBkColor(TColor Value);

  void MoveTo(double X, double Y) { list_.MoveTo(X, Y); }
  void DrawTo(double X, double Y) { list_.DrawTo(X, Y); }
  /// Two opposite corners, in any order.
  void Rectangle(double X1, double Y1, double X2, double Y2) { list_.Rectangle(X1, Y1, X2, Y2); }
  /// Size in points; only the first 15 characters of Value are kept.
  void Text(double X, double Y, std::int32_t Size, std::string_view Value) {
    list_.Text(X, Y, Size, Value);
  }
  /// Empties the list (labels, cross-hairs and attributes stay).
  void ClearGraph();
  /// Shows the list: repaints this chart and asks the charts sharing its data to repaint.
  void ShowGraph();

  // --- text labels and cross-hairs ----------------------------------------
  /// Label Index (1 ... 30); other indexes raise EZeltRChartError.
  TTextLabel *TextLabels(int Index) const;
  /// Takes the first free label (Mode tlOff), places and shows it; returns its
  /// index or 0 when all 30 are in use. Template 1 ... 30 names a label whose
  /// look is copied; any other value means none.
  int AddTextLabel(double X, double Y, TColor Colour, const std::string &Caption, int Template = 0);
  /// Cross-hair N (1 ... 4), owned by the chart.
  TCrossHair *CrossHair(int N) const;
  TCrossHair *CrossHair1() const { return CrossHair(1); }
  TCrossHair *CrossHair2() const { return CrossHair(2); }
  TCrossHair *CrossHair3() const { return CrossHair(3); }
  TCrossHair *CrossHair4() const { return CrossHair(4); }
  /// The chart keeps its own cross-hair and copies the settings of Value.
  void SetCrossHair(int N, TCrossHair *Value);
  void SetCrossHair1(TCrossHair *Value) { SetCrossHair(1, Value); }
  void SetCrossHair2(TCrossHair *Value) { SetCrossHair(2, Value); }
  void SetCrossHair3(TCrossHair *Value) { SetCrossHair(3, Value); }
  void SetCrossHair4(TCrossHair *Value) { SetCrossHair(4, Value); }

  // --- appearance ------------------------------------------------------------
  bool AutoRedraw() const { return autoRedraw_; }
  void SetAutoRedraw(bool Value) { autoRedraw_ = Value; }
  TColor ChartColor() const { return chartColor_; }
  void SetChartColor(TColor Value);
  TColor ChartFrameColor() const { return chartFrameColor_; }
  void SetChartFrameColor(TColor Value);
  /// Face of the control outside the data area.
  TColor WindColor() const { return windColor_; }
  void SetWindColor(TColor Value);
  GridStyleType GridStyle() const { return gridStyle_; }
  void SetGridStyle(GridStyleType Value);
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor Value);
  /// Grid spacing on x: 0 follows the axis ticks, a positive value is a step
  /// in world units; on logarithmic axes -1 gives decades, -2 the 1-2-5
  /// sequence and -3 the lines 1 ... 9 of each decade. Values below -3 are ignored.
  double GridDx() const { return gridDx_; }
  void SetGridDx(double Value);
  /// Grid spacing on y, the same rules as GridDx.
  double GridDy() const { return gridDy_; }
  void SetGridDy(double Value);
  /// The data background's picture and band; the chart keeps its own object.
  TBakGndImg *BackGroundImg() const { return bakGndImg_.get(); }
  /// Copies the settings of Value into the chart's own object.
  void SetBackGroundImg(TBakGndImg *Value);
  TShadowStyle ShadowStyle() const { return shadowStyle_; }
  void SetShadowStyle(TShadowStyle Value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor Value);
  /// Colour of the two squares beside the ends of the shadow.
  TColor ShadowBakColor() const { return shadowBakColor_; }
  void SetShadowBakColor(TColor Value);

  // --- chart caption (the text is the control's Caption) -------------------
  int CaptionPosX() const { return captionPosX_; }
  void SetCaptionPosX(int Value);
  int CaptionPosY() const { return captionPosY_; }
  void SetCaptionPosY(int Value);
  /// Which end of the caption sits at the anchor.
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment Value);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return captionAnchorHoriz_; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz Value);
  TCaptionAnchorVert CaptionAnchorVert() const { return captionAnchorVert_; }
  void SetCaptionAnchorVert(TCaptionAnchorVert Value);

  // --- rim around the data area --------------------------------------------
  int MarginLeft() const { return marginLeft_; }
  void SetMarginLeft(int Value);
  int MarginRight() const { return marginRight_; }
  void SetMarginRight(int Value);
  int MarginTop() const { return marginTop_; }
  void SetMarginTop(int Value);
  int MarginBottom() const { return marginBottom_; }
  void SetMarginBottom(int Value);
  int LRim() const { return marginLeft_; }
  void SetLRim(int Value) { SetMarginLeft(Value); }
  int RRim() const { return marginRight_; }
  void SetRRim(int Value) { SetMarginRight(Value); }
  int TRim() const { return marginTop_; }
  void SetTRim(int Value) { SetMarginTop(Value); }
  int BRim() const { return marginBottom_; }
  void SetBRim(int Value) { SetMarginBottom(Value); }
  int ShadowWidth() const { return shadowWidth_; }
  /// Clamped to 0 ... 32.
  void SetShadowWidth(int Value);
  /// Keeps one world unit equally long on both axes by re-deriving every
  /// layer's vertical range about its centre (switching it off keeps the ranges).
  bool Isometric() const { return isometric_; }
  void SetIsometric(bool Value);
  /// The preset last applied (never stored in form files).
  TrcLayout StandardLayout() const { return layout_; }
  /// Applies a preset of margins, chart caption and axes of layers 1-4.
  void SetStandardLayout(TrcLayout Value);
  /// Geometry of the control and its rim.
  TRimGeometry Rim() const;

  // --- layers, axes and mapping --------------------------------------------
  /// Axis objects of layer 1 ... 16 (clamped).
  TScalePropsHoriz *ScaleX(int Layer) const;
  TScalePropsVert *ScaleY(int Layer) const;
  TScalePropsHoriz *Scale1X() const { return ScaleX(1); }
  TScalePropsVert *Scale1Y() const { return ScaleY(1); }
  TScalePropsHoriz *Scale2X() const { return ScaleX(2); }
  TScalePropsVert *Scale2Y() const { return ScaleY(2); }
  TScalePropsHoriz *Scale3X() const { return ScaleX(3); }
  TScalePropsVert *Scale3Y() const { return ScaleY(3); }
  TScalePropsHoriz *Scale4X() const { return ScaleX(4); }
  TScalePropsVert *Scale4Y() const { return ScaleY(4); }
  /// The internal scale controls that draw the axes of layer 1 ... 16 (clamped).
  TScale *InternalScaleX(int Layer) const;
  TScale *InternalScaleY(int Layer) const;

  /// Recomputes the maps of all 16 layers and hands each internal scale its
  /// layer's map, which its ticks then follow (nothing while loading).
  void CalcLayerFactors();
  /// Control pixel of a world point on a layer (clamped to 1 ... 16).
  void WorldToPixel(int Layer, double X, double Y, int &PixX, int &PixY) const;
  /// World point of a control pixel on layer 1 ... 16.
  void PixelToWorld(int Layer, int PixX, int PixY, double &X, double &Y) const;
  /// Copies one axis object onto its internal scale.
  void ApplyScaleProps(TScale *Scale, TScaleProps *Props);

  // --- painting -------------------------------------------------------------
  /// While set nothing is painted. Set until the control's window exists and
  /// around internal batch updates.
  bool PaintSuspended() const;
  /// Clearing the flag paints the chart once.
  void SetPaintSuspended(bool Value);
  /// Repaints when AutoRedraw is on or the chart is being designed.
  void RepaintRequest();
  /// Number of completed full repaints (for diagnostics and tests).
  int PaintCount() const { return paintCount_; }
  /// Number of long draw-to runs that paints have mapped to pixels anew;
  /// a run whose points and mapping did not change since the last paint
  /// reuses its pixels (for diagnostics and tests).
  std::uint64_t MappedRunCount() const;
  /// The off-screen pictures: the whole control, and the data area whose
  /// pixel (0, 0) is the control pixel (MarginLeft, MarginTop).
  TBitmap &FullBitmap() { return *fullBitmap_; }
  /// Outside a paint, asking for the data bitmap also brings it up to date
  /// (a cleared list shows the bare background).
  TBitmap &DataBitmap();

  /// Raised when the axes are drawn, on the full bitmap (Top = Left = 0).
  TRenderEvent OnScalesRendered;
  /// Raised before the grid and the items, on the data bitmap (Top =
  /// MarginTop, Left = MarginLeft); pen and brush colours are restored afterwards.
  TRenderEvent OnBeforeRenderData;
  /// Raised after the items and text labels, on the data bitmap.
  TRenderEvent OnDataRendered;

  /// Raised for every tick one of the 32 axes draws, with the chart as Sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;

  // --- layer coupling and shared data (rchart_joints.cpp, rchart_sharing.cpp) -----
  /// Which layer controls each layer's x and y range.
  TJointLayers *JointLayers() const { return joints_.get(); }
  /// Range update with coupling of layer Layer: a slaved axis keeps its
  /// range, the layers Layer controls follow it, and the chart paints once.
  void CoupledRangeUpdate(int Layer, double XLo, double XHi, double YLo, double YHi);
  /// The chart whose display list this one shows, or null.
  TCustomRChart *UseDataOf() const { return useDataOf_; }
  /// Shows Value's display list (or, with null, a private one again).
  /// Refusals are shown in an information box and change nothing.
  void SetUseDataOf(TCustomRChart *Value);
  /// Number of charts showing this chart's list, and user I (0-based).
  int DataUserCount() const { return userCount_; }
  TCustomRChart *DataUser(int I) const;

  // --- mouse (rchart_mouse.cpp) --------------------------------------------
  TMouseActMode MouseAction() const { return mouseAction_; }
  /// Changing it during a gesture leaves the gesture's state as it is.
  void SetMouseAction(TMouseActMode Value) { mouseAction_ = Value; }
  /// When true every mouse move sets the default cursor.
  bool MouseCursorFixed() const { return mouseCursorFixed_; }
  void SetMouseCursorFixed(bool Value) { mouseCursorFixed_ = Value; }
  /// World position of the mouse on the current layer at its last move over
  /// the data area.
  double LastMouseX() const { return lastMouseX_; }
  double LastMouseY() const { return lastMouseY_; }

  TMouseMoveInChartEvent OnMouseMoveInChart;
  TRubberBandEvent OnRubberBand;
  /// After each pan or zoom-drag step and each rubber-band or zoom-window release.
  TNotifyEvent OnZoomPan;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void MouseLeave() override;
  /// The chart takes arrow keys and Tab itself.
  TWantedKeys WantedKeys() const override { return {wkArrows, wkTab}; }

  void Paint() override;
  void Loaded() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// One chart object for screen readers, told by AccessibleDescription.
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  /// Applies every axis object to its scale, re-ranges every layer and
  /// repaints once; the reaction to any axis property change.
  void AxisPropsChanged();
  /// The chart caption changed.
  void TextChanged() override;

private:
  struct Layer;
  const Layer &LayerAt(int N) const;
  Layer &LayerAt(int N);
  void ApplyAllScaleProps();
  /// Stores a layer's new ranges (kept while narrower than MinRange), applies
  /// its axes and recomputes the mapping.
  void LayerRangeUpdate(int N, double XLo, double XHi, double YLo, double YHi);
  void SizeScales();
  void MarginsChanged();
  /// Re-derives the vertical range of layer N for square world units.
  void IsometricRange(int N);
  /// Appearance setters end here: repaint when AutoRedraw is on or designing.
  void AppearanceChanged();
  /// Brings the data area on screen after ShowGraph with AutoRedraw on.
  void RenderDataArea();
  /// Control pixel anchor of text label I (1 ... 30), alignment not applied.
  TPoint LabelAnchor(int I) const;

  // Coupling and sharing (rchart_joints.cpp, rchart_sharing.cpp).
  class TPaintBatch;
  /// Copies the controller's range into a freshly joined layer.
  void JoinRange(TJointAxis Axis, int Layer, int Controller);
  /// The coupled update of every layer with its own ranges (no paint).
  void SyncJoinedRanges();
  void LeaveOwner();
  /// Ends every share-group tie before the chart goes.
  void LeaveShareGroup();

  // Mouse gestures (rchart_mouse.cpp).
  void RegisterCursors();
  void StartGesture(int X, int Y);
  void PanStep(int X, int Y);
  void ZoomDragStep(int X, int Y);
  void DragCrossHairStep(int X, int Y);
  void DragLabelStep(int X, int Y);
  void RubberMove(int X, int Y);
  void EndRubberDrag(TMouseButton Button);
  void XorRubber(TPoint A, TPoint B);
  TDataArea DataArea() const { return DataAreaOf(Rim()); }

  // --- when to paint -------------------------------------------------------
  /// What asks for a repaint; RepaintFor decides in one place whether one
  /// happens now.
  enum class TRepaintCause {
    Request,    // a label, cross-hair or background changed, RepaintRequest
    Appearance, // a chart setter (nothing while the chart is being built)
    AxisChange, // axis objects: shown at once whatever AutoRedraw says
    Layout,     // a standard layout (nothing while the chart is being built)
    Resumed,    // painting was suspended and no longer is
    Loaded,     // the form finished loading
    ListShown   // ShowGraph: the data area alone with AutoRedraw on
  };
  void RepaintFor(TRepaintCause Cause);
  /// The window's arrival ends the initial suspension, once.
  void SettleWindowWait();
  /// Suspends painting until the returned scope ends (then restores it).
  [[nodiscard]] TSuspendScope SuspendPainting();

  // Painting phases (rchart_render.cpp, rchart_frame.cpp, rchart_grid.cpp,
  // rchart_labels_draw.cpp), in the order Paint runs them.
  class TItemWalk;
  /// Sizes the full picture, makes sure the control does not share it (a
  /// copy of it when KeepPicture) and opens the data bitmap onto its data area.
  void PreparePictures(bool KeepPicture);
  void PaintRim(TCanvas &C);
  void PaintAxes(TCanvas &C);
  void PaintDataArea();
  /// A control pixel limited to ItemPixelLimit and moved into the data
  /// bitmap, whose origin is the top-left margin corner.
  TPoint DataPixel(int X, int Y) const;
  void DrawDataBackground();
  void RenderData();
  void DrawItems(TCanvas &C);
  void DrawDataFrame(TCanvas &C);
  /// The fast pixel mapping of layer N for one pass over the items.
  TLayerPixelMap PixelMapOf(int N) const;
  void DrawGrid(TCanvas &C);
  void DrawGridLines(TCanvas &C, bool Vertical, bool Dotted);
  void DrawTextLabels(TCanvas &C);
  void DrawCrossHairs(TCanvas &C, int OriginX, int OriginY);
  /// Grid values of layer 1 in one direction into Out.
  void LayerGridValues(bool Horizontal, std::vector<double> &Out) const;

  TDisplayList list_;
  std::unique_ptr<TBitmap> fullBitmap_;   // the whole control
  std::unique_ptr<TBitmap> sparePicture_; // drawn into while the control shows the other
  std::unique_ptr<TBitmap> dataBitmap_;   // the data area: a window onto fullBitmap_
  bool dataIsView_ = false;               // false: the data area has pixels of its own
  bool dataBackgroundStale_ = false;      // ClearGraph left the background for later
  std::unique_ptr<TRunPixelCache> runPixels_; // pixels of long runs, kept for the next paint
  std::unique_ptr<TBitmap> picture_;    // the background picture of the current pass
  std::unique_ptr<TBakGndImg> bakGndImg_;
  std::vector<double> gridX_, gridY_; // grid values, reused between paints
  std::array<std::unique_ptr<TTextLabel>, ChartLabelCount> labels_;
  std::array<std::unique_ptr<TCrossHair>, ChartCrossHairCount> crossHairs_;
  std::array<std::unique_ptr<Layer>, ChartLayerCount> layers_;
  TFontStyles textFontStyle_;
  TTextBkStyle textBkStyle_ = tbClear;
  TColor textBkColor_ = clWhite;
  bool autoRedraw_ = true;
  TColor chartColor_ = clWhite;
  TColor chartFrameColor_ = clBlack;
  TColor windColor_ = clBtnFace;
  GridStyleType gridStyle_ = gsNone;
  TColor gridColor_ = clBlack;
  double gridDx_ = 0;
  double gridDy_ = 0;
  TShadowStyle shadowStyle_ = ssFlying;
  TColor shadowColor_ = clGrayText;
  TColor shadowBakColor_ = clBtnFace;
  bool isometric_ = false;
  TrcLayout layout_ = rcl_X1Bottom_Y1Left;
  int captionPosX_ = 0;
  int captionPosY_ = -15;
  TAlignment captionAlignment_ = taRightJustify;
  TCaptionAnchorHoriz captionAnchorHoriz_ = cahChartRight;
  TCaptionAnchorVert captionAnchorVert_ = cavChartTop;
  int aspectX_ = 1; // pixel aspect of the screen, read at construction
  int aspectY_ = 1;
  bool painting_ = false;
  int marginLeft_ = 50;
  int marginRight_ = 10;
  int marginTop_ = 16;
  int marginBottom_ = 32;
  int shadowWidth_ = 0;
  // PaintSuspended: the flag itself, and whether it still waits for the window.
  bool paintSuspended_ = true;
  bool awaitingWindow_ = true;
  bool applyingAxes_ = false;
  bool constructing_ = true;
  int paintCount_ = 0;
  // Share group: the chart whose list this one shows, and the charts showing
  // this one's. These are references, not ownership: the list storage is held
  // in common by the display lists, and each chart unlinks itself when it goes.
  TCustomRChart *useDataOf_ = nullptr;
  std::array<TCustomRChart *, 4> users_{};
  int userCount_ = 0;
  std::unique_ptr<TJointLayers> joints_;

  // Mouse state.
  TMouseActMode mouseAction_ = maNone;
  bool mouseCursorFixed_ = true;
  bool cursorSet_ = false;       // an application cursor of this chart is in force
  bool afterDblClick_ = false;   // the next press or release is ignored
  bool dblPressIgnored_ = false; // the double-click press came before DblClick
  bool dragging_ = false;        // rubber band in progress
  bool rubberShown_ = false;     // its XOR rectangle is on the screen canvas
  TPoint dragStart_, dragCorner_;
  bool gestureStarted_ = false;
  struct TLayerStart {
    TPoint Mouse;
    TAxisRange X, Y;
  };
  std::array<TLayerStart, ChartLayerCount> gestureStart_{};
  int dragIndex_ = 1; // cross-hair or label being dragged
  double lastMouseX_ = 0, lastMouseY_ = 0;
};

/// The chart control as placed on forms.
class TRChart : public TCustomRChart {
public:
  explicit TRChart(TComponent *AOwner) : TCustomRChart(AOwner) {}
};

/// Registers the chart, its labels and cross-hairs with their published
/// properties (idempotent; the axis classes come first).
void RegisterChartClasses();
