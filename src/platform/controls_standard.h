#pragma once
// The standard controls forms are built from: panel, label, bitmap button,
// check box, scroll bar, track bar and memo.
//
// Value controls (check box, scroll bar, track bar) raise their change event
// exactly when their value changes, whether the user or the program changed
// it, including when a new minimum or maximum pulls the position into range;
// setting a value to what it already is raises nothing. While a form is
// being read (csLoading) no change events are raised.
#include "platform/bitmap.h"
#include "platform/control.h"
#include "platform/message_box.h"
#include "platform/strings.h"
#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };
/// Scroll bars of a memo: the ssAuto... ones show when, and only when, the
/// text does not fit.
enum TScrollStyle {
  ssNone,
  ssHorizontal,
  ssVertical,
  ssBoth,
  ssAutoHorizontal,
  ssAutoVertical,
  ssAutoBoth
};

/// A container with optional 3-D bevels and a centred caption.
class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent *AOwner);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  void Paint() override;
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  TRect AdjustedClientRect() const override;

private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
};

/// A text on the parent's surface; AutoSize fits the bounds to the text.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent *AOwner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  /// On (the default), "&" marks an accelerator and is not drawn ("&&" draws
  /// one "&"); off, the caption is drawn exactly as written.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  void Paint() override;
  /// The caption broken into the lines it is drawn in.
  std::vector<std::string> TextLines() const;
  void Loaded() override;
  /// Whether the label has the keyboard (only keyboard-focusable ones can).
  bool KeyboardFocused() const;
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  void TextChanged() override;
  void FontChanged() override;
  /// Lets Tab reach the label, as links need: it then takes the keyboard in
  /// the window's Tab order (after the controls before it), shows a focus
  /// frame while it has it, and Enter or Space raise Click.
  void SetKeyboardFocusable(bool Value);

private:
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool autoSize_ = true;
  bool transparent_ = false;
  TTextLayout layout_ = tlTop;
};

/// A push button with a caption and an optional glyph picture.
class TBitBtn : public TWinControl {
public:
  explicit TBitBtn(TComponent *AOwner);
  ~TBitBtn() override;
  /// The glyph; its bottom-left pixel's colour is drawn transparent. With
  /// NumGlyphs > 1 the bitmap holds that many images side by side and the
  /// first one is shown.
  TBitmap *Glyph() { return glyph_.get(); }
  void SetGlyph(const TBitmap *Value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value);
  /// A result other than mrNone closes a modal parent form with it when clicked.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  void Click() override;
  void KeyDown(std::uint16_t &Key, TShiftState Shift) override;
  /// Simulates a press by the user.
  void PerformClick();
  /// Applies a changed glyph to the button (called after loading it).
  void GlyphChanged();
  void Loaded() override;
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  void TextChanged() override;

private:
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TModalResult modalResult_ = mrNone;
};

/// A check box; OnClick is raised whenever Checked changes.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent *AOwner);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value) { alignment_ = Value; }
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  void TextChanged() override;

private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

/// The position-in-a-range state shared by scroll bars and track bars. A change
/// event fires exactly when the position moves, including when a new minimum or
/// maximum pushes it into range, and never while a form is being read.
class TRangeControl : public TWinControl {
public:
  int Min() const { return min_; }
  /// A minimum above the maximum raises the maximum with it.
  void SetMin(int Value);
  int Max() const { return max_; }
  /// A maximum below the minimum lowers the minimum with it.
  void SetMax(int Value);
  int Position() const { return position_; }
  /// Clamped to Min .. Max.
  void SetPosition(int Value);
  /// Sets all three at once, raising at most one change. While a form is
  /// read the three are stored as written and ordered once by Loaded.
  void SetParams(int APosition, int AMin, int AMax);
  void Loaded() override;
  /// How screen readers read the position: a form gives the conversion to
  /// the user's units and the unit's name (an axis top for a track-bar
  /// index). Unset, the position itself is read.
  void SetAccessibleValueMap(TAccessibleValueMap Map);
  const TAccessibleValueMap &AccessibleValueMap() const { return accessibleValue_; }
  /// The position in the user's units (through the value map).
  double AccessibleValue(int APosition) const;
  void DescribeAccessible(TAccessibleInfo &Info) const override;
  /// Moves to the position whose value in the user's units is nearest Value.
  bool AccessibleSetValue(double Value) override;

protected:
  TRangeControl(TComponent *AOwner, int AMin, int AMax)
      : TWinControl(AOwner), min_(AMin), max_(AMax) {}
  /// Pushes the state to the widget.
  virtual void Sync() = 0;
  /// Raises the control's change event.
  virtual void PositionChanged() = 0;
  /// Set while Sync runs, so the widget's own signals are not taken as user moves.
  bool syncing_ = false;

private:
  void ApplyRange(int APosition, int AMin, int AMax, bool Notify);
  /// The position whose value in the user's units is nearest Value.
  int NearestPosition(double Value) const;
  int min_, max_, position_ = 0;
  TAccessibleValueMap accessibleValue_;
};

/// A scroll bar; LargeChange is its page step.
class TScrollBar : public TRangeControl {
public:
  explicit TScrollBar(TComponent *AOwner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int Value);
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int Value);
  TNotifyEvent OnChange;
  virtual void Change();

protected:
  void Sync() override;
  void PositionChanged() override { Change(); }

private:
  TScrollBarKind kind_ = sbHorizontal;
  int smallChange_ = 1, largeChange_ = 1;
};

/// A track bar; a vertical one shows its minimum at the top, with ticks every
/// Frequency positions on the side TickMarks names.
class TTrackBar : public TRangeControl {
public:
  explicit TTrackBar(TComponent *AOwner);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation Value);
  int Frequency() const { return frequency_; }
  void SetFrequency(int Value);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark Value);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle Value);
  int LineSize() const { return lineSize_; }
  void SetLineSize(int Value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int Value);
  TNotifyEvent OnChange;
  virtual void Changed();

protected:
  void Sync() override;
  void PositionChanged() override { Changed(); }

private:
  TTrackBarOrientation orientation_ = trHorizontal;
  int frequency_ = 1;
  TTickMark tickMarks_ = tmBottomRight;
  TTickStyle tickStyle_ = tsAuto;
  int lineSize_ = 1, pageSize_ = 2;
};

/// A multi-line text box whose contents are the string list Lines.
class TMemo : public TWinControl {
public:
  explicit TMemo(TComponent *AOwner);
  ~TMemo() override;
  TStrings *Lines();
  void SetLines(TStrings *Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TNotifyEvent OnChange;
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  void ColorChanged() override;

private:
  void LinesChanged();
  void WidgetEdited();
  class TMemoLines;
  std::unique_ptr<TStringList> lines_;
  bool readOnly_ = false;
  bool wordWrap_ = true;
  bool updating_ = false;
  TScrollStyle scrollBars_ = ssNone;
  TAlignment alignment_ = taLeftJustify;
};
