#pragma once
// The chart's display list: an ordered, growable array of fixed-size item
// records in world coordinates, plus the drawing attributes that each new item
// copies. Charts that show one common list hold the same storage object, so an
// append through any of them is seen by all at once.
#include "platform/color.h"
#include "platform/graphics.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

/// Kind codes of display-list items. The gaps belong to figure kinds that
/// this system never creates.
enum TGraphItemKind : std::uint8_t {
  ikDrawTo = 3,
  ikRectangle = 4,
  ikText = 7,
  ikMoveTo = 8,
};

/// Text of an ikText item: at most 15 characters, kept in place so that an
/// item never owns heap memory. A UTF-8 character takes up to 4 bytes.
struct TItemText {
  static constexpr int MaxChars = 15;
  static constexpr int MaxBytes = 4 * MaxChars;
  std::uint8_t Length = 0; // in bytes
  char Chars[MaxBytes] = {};

  std::string_view View() const { return std::string_view(Chars, Length); }
  /// Stores the first 15 characters of Value, never splitting a UTF-8
  /// sequence; a byte that does not start a valid sequence counts as one character.
  void Assign(std::string_view Value);
};

/// One display-list record; one layout for all kinds. Fields a kind does not
/// use stay zero.
struct GraphItem {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
  TColor Color = 0;
  TColor FillColor = 0;
  std::uint8_t PenStyle = 0; // a TPenStyle
  std::int32_t LineWidth = 0;
  std::uint8_t ItemClass = 0;
  std::uint8_t Kind = 0; // a TGraphItemKind
  std::int32_t Layer = 0;
  TItemText Text;
  std::int32_t FontSize = 0;
  std::uint8_t TextAlign = 0; // a TAlignment
  // Slots of figure kinds that no command of this system creates.
  TColor Color2 = 0;
  TColor Color3 = 0;
  std::uint8_t FrameStyle = 0;
  std::uint8_t OutlineOnly = 0;
  std::int32_t Reserved = 0;
};

/// World point of an item, kept apart from the records so that a paint
/// walking long lines reads 16 bytes per point instead of a whole record.
struct TItemPoint {
  double X = 0;
  double Y = 0;
};

/// A maximal stretch of consecutive ikDrawTo items that share every drawing
/// attribute (colour, fill colour, pen style, line width, layer): the paint
/// sets the pen once and then maps only the points.
struct TDrawToRun {
  std::int32_t First = 0; // item index
  std::int32_t Count = 0;
};

/// The storage that a share group of charts holds in common.
struct TGraphData {
  std::vector<GraphItem> Items; // size() is the allocated length
  std::int32_t Count = 0;
  std::vector<TItemPoint> Points; // X1, Y1 of each of the Count items
  std::vector<TDrawToRun> Runs;   // every ikDrawTo item lies in exactly one
  /// Names the current content (see TDisplayList::Stamp); 0 after a change
  /// until someone asks.
  std::uint64_t Stamp = 0;
};

/// A chart's view of a display list together with its current drawing
/// attributes. The attributes are per chart; the storage may be shared.
class TDisplayList {
public:
  TDisplayList();

  std::int32_t ItemCount() const { return data_->Count; }
  /// Allocated length of the array held, which grows in steps of AllocSize.
  std::int32_t Capacity() const { return static_cast<std::int32_t>(data_->Items.size()); }
  const GraphItem &Item(std::int32_t Index) const { return data_->Items[std::size_t(Index)]; }
  const GraphItem *Items() const { return data_->Items.data(); }
  /// X1, Y1 of every item, in item order.
  const TItemPoint *Points() const { return data_->Points.data(); }
  /// The draw-to runs in item order (see TDrawToRun).
  const TDrawToRun *Runs() const { return data_->Runs.data(); }
  std::int32_t RunCount() const { return static_cast<std::int32_t>(data_->Runs.size()); }
  /// A number that names the items as they are now: it stays the same while
  /// nothing is appended or cleared, and no other content, of this or any
  /// other list, ever gets the same number. Lets a paint know that what it
  /// worked out from the items last time still holds.
  std::uint64_t Stamp() const;

  std::int32_t AllocSize() const { return allocSize_; }
  /// Values outside 1 ... 1000000 are ignored.
  void SetAllocSize(std::int32_t Value);

  TColor DataColor() const { return dataColor_; }
  void SetDataColor(TColor Value) { dataColor_ = Value; }
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor Value) { fillColor_ = Value; }
  TPenStyle PenStyle() const { return penStyle_; }
  void SetPenStyle(TPenStyle Value) { penStyle_ = Value; }
  std::uint8_t LineWidth() const { return lineWidth_; }
  void SetLineWidth(std::uint8_t Value) { lineWidth_ = Value; }
  std::uint8_t ClassDefault() const { return classDefault_; }
  /// 255 is reserved and ignored.
  void SetClassDefault(std::uint8_t Value);
  std::uint8_t TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(std::uint8_t Value) { textAlignment_ = Value; }
  std::int32_t CurrentLayer() const { return layer_; }
  void SetCurrentLayer(std::int32_t Value) { layer_ = Value; }

  void MoveTo(double X, double Y);
  void DrawTo(double X, double Y);
  /// Two opposite corners in any order.
  void Rectangle(double X1, double Y1, double X2, double Y2);
  void Text(double X, double Y, std::int32_t Size, std::string_view Value);
  /// Empties the list (for every holder of the storage): no items, and an
  /// allocated length of 0. The memory of a list of up to RetainedItems
  /// items is kept for the next composition, which then appends without
  /// allocating; longer lists give theirs back.
  void Clear();
  static constexpr std::size_t RetainedItems = 65536;

  /// Makes this list show Other's storage (and its future appends).
  void ShareWith(const TDisplayList &Other) { data_ = Other.data_; }
  /// Gives this list a new, empty storage of its own.
  void Detach();
  /// Gives this list a storage of its own holding a copy of the items it
  /// shows now (same allocated length), so that later commands here and on
  /// the former co-holders no longer reach each other.
  void MakePrivate();
  /// True when both show the same storage.
  bool SharesWith(const TDisplayList &Other) const { return data_ == Other.data_; }

private:
  GraphItem &Append(TGraphItemKind Kind);

  std::shared_ptr<TGraphData> data_;
  std::int32_t allocSize_ = 1000;
  TColor dataColor_ = clBlack;
  TColor fillColor_ = clSilver;
  TPenStyle penStyle_ = psSolid;
  std::uint8_t lineWidth_ = 1;
  std::uint8_t classDefault_ = 0;
  std::uint8_t textAlignment_ = 2; // centred
  std::int32_t layer_ = 1;
};
