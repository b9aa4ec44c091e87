// The standard controls' own rules on every system: panels and labels, which
// paint themselves on their canvas, the range controls' ordering of minimum,
// maximum and position, and the settings of buttons, bars and memos. What
// their system windows show is the back end's (qt/controls_standard.cpp,
// windows/controls_standard.cpp).
#include "platform/controls_standard.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/strings.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

/// Draws one 3-D bevel ring inside R and shrinks R by it.
void Bevel(TCanvas &c, TRect &r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace) {
      c.Pen().SetColor(topLeft);
      c.MoveTo(r.Left, r.Bottom - 1);
      c.LineTo(r.Left, r.Top);
      c.LineTo(r.Right - 1, r.Top);
      c.Pen().SetColor(bottomRight);
      c.LineTo(r.Right - 1, r.Bottom - 1);
      c.LineTo(r.Left - 1, r.Bottom - 1);
    }
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
}

} // namespace

// ---- TPanel -----------------------------------------------------------------

TPanel::TPanel(TComponent *AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelInner(TBevelCut Value) {
  bevelInner_ = Value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  bevelOuter_ = Value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelWidth(int Value) {
  bevelWidth_ = std::max(Value, 1);
  Realign();
  Invalidate();
}

void TPanel::SetBorderWidth(int Value) {
  borderWidth_ = std::max(Value, 0);
  Realign();
  Invalidate();
}

void TPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

TRect TPanel::AdjustedClientRect() const {
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  TRect r = ClientRect();
  return Rect(r.Left + inset, r.Top + inset, std::max(r.Right - inset, r.Left + inset),
              std::max(r.Bottom - inset, r.Top + inset));
}

void TPanel::Paint() {
  TCanvas &c = Canvas();
  TRect r = ClientRect();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
  Bevel(c, r, bevelOuter_, bevelWidth_);
  r = Rect(r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_,
           r.Bottom - borderWidth_);
  Bevel(c, r, bevelInner_, bevelWidth_);
  if (Caption().empty()) return;
  c.Font().Assign(*Font());
  if (!Enabled()) c.Font().SetColor(clGrayText);
  c.Brush().SetStyle(bsClear);
  int w = c.TextWidth(Caption()), h = c.TextHeight(Caption());
  int x = alignment_ == taLeftJustify    ? r.Left + 2
          : alignment_ == taRightJustify ? r.Right - w - 2
                                         : (Width() - w) / 2;
  c.TextRect(r, x, (Height() - h) / 2, Caption());
}

// ---- TLabel -----------------------------------------------------------------

TLabel::TLabel(TComponent *AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
  showAccelChar_ = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
  autoSize_ = Value;
  AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
  transparent_ = Value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TLabel::TextChanged() {
  AdjustBounds();
  TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

std::vector<std::string> TLabel::TextLines() const {
  TCanvas measure;
  measure.Font().Assign(*Font());
  std::vector<std::string> out;
  // Explicit line breaks always start a new line; word wrap breaks further
  // at spaces so that each line fits the width where possible.
  std::size_t start = 0;
  // Labels show accelerator marks as they are shown on buttons: "&&" is a
  // literal "&", a single "&" is left out.
  const std::string text = showAccelChar_ ? StripAccelChars(Caption()) : Caption();
  do {
    std::size_t nl = text.find('\n', start);
    std::string para = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!para.empty() && para.back() == '\r') para.pop_back();
    start = nl == std::string::npos ? text.size() + 1 : nl + 1;
    if (!wordWrap_) {
      out.push_back(para);
      continue;
    }
    std::string line;
    std::size_t p = 0;
    while (p <= para.size()) {
      std::size_t sp = para.find(' ', p);
      std::string word = para.substr(p, sp == std::string::npos ? std::string::npos : sp - p);
      std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && measure.TextWidth(candidate) > Width()) {
        out.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
      if (sp == std::string::npos) break;
      p = sp + 1;
    }
    out.push_back(line);
  } while (start <= text.size());
  return out;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  TCanvas measure;
  measure.Font().Assign(*Font());
  std::vector<std::string> lines = TextLines();
  int lineHeight = measure.TextHeight("Wg");
  int h = lineHeight * int(std::max<std::size_t>(lines.size(), 1));
  if (wordWrap_) {
    SetBounds(Left(), Top(), Width(), h);
    return;
  }
  int w = 0;
  for (const std::string &l : lines)
    w = std::max(w, measure.TextWidth(l));
  // Right-aligned labels keep their right edge, centred ones their centre.
  int left = Left();
  if (alignment_ == taRightJustify)
    left += Width() - w;
  else if (alignment_ == taCenter)
    left += (Width() - w) / 2;
  SetBounds(left, Top(), w, h);
}

void TLabel::Paint() {
  TCanvas &c = Canvas();
  if (!transparent_) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
  }
  c.Font().Assign(*Font());
  c.Brush().SetStyle(bsClear);
  std::vector<std::string> lines = TextLines();
  int lineHeight = c.TextHeight("Wg");
  int total = lineHeight * int(lines.size());
  int y = layout_ == tlTop ? 0 : layout_ == tlBottom ? Height() - total : (Height() - total) / 2;
  for (const std::string &line : lines) {
    int w = c.TextWidth(line);
    int x = alignment_ == taLeftJustify    ? 0
            : alignment_ == taRightJustify ? Width() - w
                                           : (Width() - w) / 2;
    if (!Enabled()) {
      c.Font().SetColor(clBtnHighlight);
      c.TextRect(ClientRect(), x + 1, y + 1, line);
      c.Font().SetColor(clBtnShadow);
    }
    c.TextRect(ClientRect(), x, y, line);
    y += lineHeight;
  }
  if (KeyboardFocused()) {
    // The frame takes the brush colour.
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clHighlight);
    c.FrameRect(ClientRect());
  }
}

// ---- TBitBtn ----------------------------------------------------------------

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap *Value) {
  if (Value)
    glyph_->Assign(*Value);
  else
    glyph_->SetSize(0, 0);
  GlyphChanged();
}

void TBitBtn::SetNumGlyphs(int Value) {
  numGlyphs_ = std::clamp(Value, 1, 4);
  GlyphChanged();
}

void TBitBtn::Loaded() {
  TWinControl::Loaded();
  GlyphChanged();
}

void TBitBtn::Click() {
  if (modalResult_ != mrNone) {
    TWinControl *p = Parent();
    while (p && !dynamic_cast<TForm *>(p))
      p = p->Parent();
    if (auto *form = dynamic_cast<TForm *>(p)) form->SetModalResult(modalResult_);
  }
  TWinControl::Click();
}

void TBitBtn::KeyDown(std::uint16_t &Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  // Enter presses the focused button, as Space does.
  if (Key == 0x0D && Shift.Empty()) {
    Key = 0;
    PerformClick();
  }
}

// ---- TRangeControl ----------------------------------------------------------

void TRangeControl::SetParams(int APosition, int AMin, int AMax) {
  if (IsLoading()) {
    // A description may name minimum, maximum and position in any order:
    // they are kept as written and Loaded puts them in order once.
    min_ = AMin;
    max_ = AMax;
    position_ = APosition;
    return;
  }
  ApplyRange(APosition, AMin, AMax, true);
}

void TRangeControl::ApplyRange(int APosition, int AMin, int AMax, bool Notify) {
  if (AMax < AMin) AMax = AMin;
  const int newPos = std::clamp(APosition, AMin, AMax);
  const bool changed = newPos != position_;
  min_ = AMin;
  max_ = AMax;
  position_ = newPos;
  Sync();
  if (changed && Notify) PositionChanged();
}

void TRangeControl::SetMin(int Value) {
  if (IsLoading())
    min_ = Value;
  else
    SetParams(position_, Value, std::max(max_, Value));
}

void TRangeControl::SetMax(int Value) {
  if (IsLoading())
    max_ = Value;
  else
    SetParams(position_, std::min(min_, Value), Value);
}

void TRangeControl::SetPosition(int Value) {
  SetParams(Value, min_, max_);
}

void TRangeControl::Loaded() {
  TWinControl::Loaded();
  // The form's handlers are not ready yet: putting the values in order
  // raises no change event.
  ApplyRange(position_, min_, std::max(min_, max_), false);
}

// ---- TScrollBar -------------------------------------------------------------

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == kind_) return;
  kind_ = Value;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  Sync();
}

void TScrollBar::SetSmallChange(int Value) {
  smallChange_ = std::max(Value, 1);
  Sync();
}

void TScrollBar::SetLargeChange(int Value) {
  largeChange_ = std::max(Value, 1);
  Sync();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

// ---- TTrackBar --------------------------------------------------------------

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (Value == orientation_) return;
  orientation_ = Value;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  Sync();
}

void TTrackBar::SetFrequency(int Value) {
  frequency_ = std::max(Value, 1);
  Sync();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  tickMarks_ = Value;
  Sync();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  tickStyle_ = Value;
  Sync();
}

void TTrackBar::SetLineSize(int Value) {
  lineSize_ = std::max(Value, 1);
  Sync();
}

void TTrackBar::SetPageSize(int Value) {
  pageSize_ = std::max(Value, 1);
  Sync();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TMemo ------------------------------------------------------------------

TMemo::~TMemo() = default;

TStrings *TMemo::Lines() {
  return lines_.get();
}

void TMemo::SetLines(TStrings *Value) {
  if (Value) lines_->Assign(Value);
}

void TMemo::SetAlignment(TAlignment Value) {
  alignment_ = Value;
}
