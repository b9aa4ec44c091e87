#pragma once
// Controls: components with a place on screen. TControl carries bounds,
// alignment, anchors, visibility, font, colour, hint and the mouse events;
// TWinControl holds child controls and lays them out; TGraphicControl and
// TCustomControl paint themselves on a canvas over their own back buffer.
//
// Every control is backed by a window of the system (a Qt widget on Linux,
// a window handle on Windows) that the control owns. Events coming from the
// window are dispatched to the virtual handlers below (which raise the
// std::function events); an exception escaping a handler is shown to the
// user in a message box and the program goes on.
#include "platform/accessible.h"
#include "platform/color.h"
#include "platform/component.h"
#include "platform/enum_set.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/native.h"
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TCanvas;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
/// Published names of TAlign's values, by ordinal (likewise for the other
/// ...Names arrays beside their enumerations).
inline constexpr std::array<const char *, 6> AlignNames{"alNone", "alTop",   "alBottom",
                                                        "alLeft", "alRight", "alClient"};
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
inline constexpr std::array<const char *, 4> AnchorKindNames{"akLeft", "akTop", "akRight",
                                                             "akBottom"};
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
/// Shared by text-drawing controls and components.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
inline constexpr std::array<const char *, 3> AlignmentNames{"taLeftJustify", "taRightJustify",
                                                            "taCenter"};

/// Cursor identifiers: built-in shapes are negative, components register their
/// own at positive indices (TApplication::SetCursorImage).
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject *Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject *Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool &Handled)>;
using TKeyEvent = std::function<void(TObject *Sender, std::uint16_t &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject *Sender, char &Key)>;

/// Runs Action and shows any exception it throws in an error message box
/// (through TApplication::HandleException). Every event dispatch uses it.
void DispatchSafely(const std::function<void()> &Action);

/// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int Value);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int Value);
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int Value);
  void Assign(TPersistent *Source) override;
  /// Width and height limited by these constraints.
  int ClampWidth(int Value) const;
  int ClampHeight(int Value) const;
  TNotifyEvent OnChange;

private:
  void Changed();
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

/// The largest width or height of a control: what a screen coordinate can
/// hold. Larger sizes (from a description, code or the window system) are
/// cut to it, so no control asks for a back buffer no screen can show.
inline constexpr int MaxControlSize = 32767;
/// Positions stay within this distance of the parent's origin, so anchor
/// arithmetic on them cannot overflow.
inline constexpr int MaxControlPosition = 1 << 20;

/// A component with bounds on its parent, backed by a system window.
class TControl : public TComponent {
public:
  explicit TControl(TComponent *AOwner);
  ~TControl() override;

  TWinControl *Parent() const { return parent_; }
  /// Moves the control into AParent's list of controls (null removes it).
  virtual void SetParent(TWinControl *AParent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
  void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
  void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
  void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
  /// Places the control; negative sizes count as 0, sizes keep within the
  /// Constraints and MaxControlSize. Every bounds change goes through here -
  /// from code, from the parent's Align/Anchors layout, from the window
  /// system and while loading - so overrides see them all. Set from code or
  /// a description, it also records where the anchors hold the control
  /// relative to the parent's current client size; layout and window-system
  /// changes leave that record alone (see BoundsFromLayout).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  /// Minimum and maximum size; changing them applies them at once.
  TSizeConstraints *Constraints() { return &constraints_; }
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  /// Client area size; equals the bounds for plain controls.
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// True when this control and all its parents are visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);

  /// Text shown by the control (caption of labels, buttons, forms, panels).
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &Value);
  const std::string &Hint() const { return hint_; }
  void SetHint(const std::string &Value);
  /// Whether the hint shows as a tooltip; setting it clears ParentShowHint.
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);

  TFont *Font() { return &font_; }
  const TFont *Font() const { return &font_; }
  /// Replaces the font's settings (the control keeps its own TFont).
  void SetFont(const TFont *Value);
  /// While true the control follows its parent's font; changing the font clears it.
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  TColor Color() const { return color_; }
  virtual void SetColor(TColor Value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  /// Marks the picture stale; it is painted again before it is next shown.
  virtual void Invalidate();
  /// Paints at once (synchronously) and puts the result on screen.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  /// Shows the back buffer as it is now, without painting again: for code
  /// that drew directly on the canvas outside Paint.
  void UpdateScreen();
  /// The canvas on what the control's window shows, for transient marks such
  /// as an XOR drag rectangle: drawing on it never touches the back buffer.
  /// Its picture starts as a copy of the back buffer and lasts until the back
  /// buffer is painted or shown again (Paint, Repaint, UpdateScreen, a resize).
  TCanvas &ScreenCanvas();
  /// Puts what was drawn on the screen canvas on screen now.
  void ScreenCanvasChanged();
  /// True while marks drawn on the screen canvas are still what the window
  /// shows, false once a paint or a back-buffer update has replaced them.
  bool ScreenCanvasActive() const;

  /// Whether the control's window exists yet: its window has been shown once
  /// (or HandleNeeded was called). Components stay paint-suspended until then.
  bool HandleAllocated() const;
  /// Creates the window now (used before drawing off screen).
  void HandleNeeded();

  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  /// Moves the control to the end (top) or start (bottom) of its parent's list.
  void BringToFront();
  void SendToBack();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnResize;

  /// What screen readers call the control and tell about it, where its
  /// caption and hint do not say it (a scroll bar without a caption, a chart).
  /// Published, so descriptions set them and the form translation translates them.
  const std::string &AccessibleName() const { return accessibleName_; }
  void SetAccessibleName(const std::string &Value);
  const std::string &AccessibleDescription() const { return accessibleDescription_; }
  void SetAccessibleDescription(const std::string &Value);
  /// Fills Info with what assistive technology is told about this control:
  /// by default a layout item named by AccessibleName, else the caption, else
  /// the hint, and described by AccessibleDescription or the hint. Each kind
  /// of control overrides it with its role and value.
  virtual void DescribeAccessible(TAccessibleInfo &Info) const;
  /// Sets the value from assistive technology (a screen reader moving a
  /// slider) in the units DescribeAccessible reports; false where the control
  /// has no value that can be set.
  virtual bool AccessibleSetValue(double Value);
  /// Tells assistive technology that part of the description changed; the
  /// notifications are throttled to what a listener can follow.
  void AccessibleChanged(TAccessibleChange What);

  /// Device pixels per logical pixel of the screen the control is shown on
  /// (2 on a screen scaled to 200 %). Its back buffer has this ratio; bitmaps
  /// a control draws through take it as well (TBitmap::SetPixelRatio).
  double DevicePixelRatio() const;

  /// Platform-internal: the widget that shows this control.
  TNativeWidget *Widget() const;

  // Handlers called by the widget; overrides usually call the inherited one,
  // which raises the matching event.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  /// Returns whether the wheel movement was handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  /// Draws the control on its canvas (graphic and custom controls).
  virtual void Paint() {}
  /// Called from Paint when it could not draw yet (for example while painting
  /// is suspended): the back buffer stays stale, so the next paint event of
  /// the window draws it instead of showing an empty buffer.
  void DeferPaint();
  /// Called after the size changed; raises OnResize.
  virtual void Resize();

  /// Platform-internal: paints into the back buffer if it is stale (or
  /// always when Force) and returns whether the control has one.
  bool PaintBuffer(bool Force);
  /// Platform-internal: the window was resized from outside (forms).
  void WidgetResized(int AWidth, int AHeight);
  /// Platform-internal: the window moved from outside (forms).
  void WidgetMoved(int ALeft, int ATop);
  /// Platform-internal: the window was shown for the first time.
  void WidgetShown();
  /// Platform-internal: the window's scale changed (a screen of another
  /// density); the system's own control takes a font made at the new scale.
  void WidgetScaleChanged() {
    if (widget_) NativeFontChanged();
  }
  /// Platform-internal: the back buffer (null for controls without one).
  const TNativeImage *BackBuffer() const;
  /// Platform-internal: what the window shows (the screen canvas's picture
  /// while it is active, else the back buffer).
  const TNativeImage *ShownImage() const;

protected:
  /// Takes ownership of the widget that shows this control. Descendants call
  /// it from their constructor; the default is a plain widget.
  void SetWidget(TNativeWidget *AWidget);
  /// Tells the event dispatch that the widget reports clicks itself (buttons,
  /// check boxes), so mouse releases raise no Click of their own.
  void WidgetReportsClicks();
  /// Gives the control a back buffer with a canvas (graphic and custom controls).
  void EnableBackBuffer(bool ClearWithParentColor);
  /// The canvas on the back buffer (EnableBackBuffer must have been called).
  TCanvas &BufferCanvas();
  /// Makes Picture the back buffer's content without copying its pixels (the
  /// two share them until either is drawn on); a picture of another size than
  /// the control is copied in instead.
  void ShowBitmap(const TBitmap &Picture);

  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  /// Called after SetBounds changed the bounds, before the parent realigns.
  virtual void BoundsChanged() {}
  /// True while SetBounds runs for the parent's layout or the window system
  /// rather than for code or a description.
  bool BoundsFromLayout() const { return boundsFromLayout_; }
  /// Applied when the constraints change; forms also pass them to the window.
  virtual void ConstraintsChanged();
  /// The size SetBounds gives the control when asked for AWidth x AHeight:
  /// limited by the Constraints (forms with a fixed border take any size).
  virtual TSize ConstrainedSize(int AWidth, int AHeight) const;

  /// Passes the effective font and hint settings to the widget and children.
  void ParentFontChanged();
  void ParentShowHintChanged();
  void Loaded() override;

private:
  friend class TWinControl;
  void UpdateAnchorOrigin();
  void ApplyAnchors(int parentWidth, int parentHeight);
  /// The size change part of SetBounds, without the anchor record.
  void ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight);
  /// Calls the virtual SetBounds on behalf of the layout or the window system.
  void LayoutBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void UpdateToolTip();
  void ApplyCursor();
  // What the control's system window does, implemented by each back end and
  // called by the system-neutral part while the window exists.
  void NativeSetBounds();
  void NativeSetVisible(bool Value);
  void NativeSetEnabled(bool Value);
  void NativeFontChanged();
  /// Raises the window above its siblings (Top) or lowers it below them.
  void NativeRaise(bool Top);

  /// The back buffer and what the window shows; the back end's.
  struct Surface;
  struct SurfaceDeleter {
    void operator()(Surface *S) const; // the back end's, where Surface is complete
  };
  TNativeWidget *widget_ = nullptr;
  std::unique_ptr<Surface, SurfaceDeleter> surface_;
  TWinControl *parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  // Where the anchors hold the control: distances to the parent's edges at
  // the time the bounds were last set from outside.
  int anchorLeft_ = 0, anchorTop_ = 0, anchorRight_ = 0, anchorBottom_ = 0;
  int anchorParentWidth_ = 0, anchorParentHeight_ = 0;
  bool anchorValid_ = false;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
  std::string accessibleName_;
  std::string accessibleDescription_;
  bool handleNeeded_ = false;
  bool boundsFromLayout_ = false;
  TSizeConstraints constraints_;
};

/// A control that can hold other controls, lays them out by Align and
/// Anchors, and takes keyboard input.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent *AOwner);
  /// Destroys the components it owns, then any child controls still left.
  ~TWinControl() override;

  int ControlCount() const { return int(controls_.size()); }
  /// Child control Index in z-order (first is bottom-most).
  TControl *Controls(int Index) const;
  /// Lays the children out again: anchored controls follow the client size,
  /// then aligned ones take their edges (top, bottom, left, right, client).
  void Realign();
  /// Suspends layout until the matching EnableAlign, which realigns once.
  void DisableAlign();
  void EnableAlign();

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  /// The tab stops inside this control in the order Tab visits them: reading
  /// order, children by their top edge, then their left edge, each container's
  /// own stops together. Forms pass it to the window when they are shown.
  std::vector<TWinControl *> TabOrderList() const;
  bool Focused() const;
  bool CanFocus() const;
  void SetFocus();

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  /// Keys a control can ask to handle itself instead of the window's focus
  /// navigation.
  enum TWantedKey { wkArrows, wkTab };
  using TWantedKeys = TSet<TWantedKey>;
  /// The keys this control handles itself; the window's own use of them
  /// (moving the focus) is skipped after the control's key events.
  virtual TWantedKeys WantedKeys() const { return {}; }

  virtual void KeyDown(std::uint16_t &Key, TShiftState Shift);
  virtual void KeyUp(std::uint16_t &Key, TShiftState Shift);
  virtual void KeyPress(char &Key);
  virtual void DoEnter();
  virtual void DoExit();

protected:
  /// The part of the client area aligned children share (panels leave room
  /// for their bevels).
  virtual TRect AdjustedClientRect() const { return ClientRect(); }
  void Resize() override;
  void FontChanged() override;
  void BoundsChanged() override;

private:
  friend class TControl;
  void InsertControl(TControl *AControl);
  void RemoveControl(TControl *AControl);
  void AlignControls();
  // The back end's part of inserting and removing children and of TabStop.
  void NativeAttach(TControl *AControl);
  void NativeDetach(TControl *AControl);
  void NativeSetTabStop();
  std::vector<TControl *> controls_;
  int alignDisabled_ = 0;
  bool alignPending_ = false;
  bool aligning_ = false;
  bool tabStop_ = false;
};

/// A windowless-style control that paints itself (no focus).
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent *AOwner);
  /// The canvas on the control's back buffer; filled with the parent's colour
  /// before each Paint so the control draws over its parent's background.
  TCanvas &Canvas() { return BufferCanvas(); }
};

/// A control with a window that paints itself on its canvas.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent *AOwner);
  /// The canvas on the control's back buffer, which keeps its pixels between
  /// paints.
  TCanvas &Canvas() { return BufferCanvas(); }
};

/// Takes what the control's window shows, children included, into Into
/// (resized to the control). Golden pictures of whole windows are taken so.
void GrabControl(TControl &Control, TBitmap &Into);
