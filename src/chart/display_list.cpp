#include "chart/display_list.h"

#include <limits>
#include <stdexcept>

namespace {

// Length in bytes of the UTF-8 sequence starting at s[0], or 1 when the bytes
// there do not form a valid sequence (such a byte is kept as one character).
std::size_t SequenceLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t n = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    n = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    n = 4;
  if (n > s.size()) return 1;
  for (std::size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  return n;
}

} // namespace

void TItemText::Assign(std::string_view Value) {
  std::size_t bytes = 0;
  for (int chars = 0; chars < MaxChars && bytes < Value.size(); ++chars)
    bytes += SequenceLength(Value.substr(bytes));
  for (std::size_t i = 0; i < bytes; ++i)
    Chars[i] = Value[i];
  for (std::size_t i = bytes; i < std::size_t(MaxBytes); ++i)
    Chars[i] = 0;
  Length = static_cast<std::uint8_t>(bytes);
}

TDisplayList::TDisplayList() : data_(std::make_shared<TGraphData>()) {}

void TDisplayList::SetAllocSize(std::int32_t Value) {
  if (Value >= 1 && Value <= 1000000) allocSize_ = Value;
}

void TDisplayList::SetClassDefault(std::uint8_t Value) {
  if (Value != 255) classDefault_ = Value;
}

std::uint64_t TDisplayList::Stamp() const {
  // Numbers are handed out on demand, so an append costs one store. The chart
  // lives on the user-interface thread; the counter is shared by all lists.
  static std::uint64_t last = 0;
  if (data_->Stamp == 0) data_->Stamp = ++last;
  return data_->Stamp;
}

GraphItem &TDisplayList::Append(TGraphItemKind Kind) {
  TGraphData &d = *data_;
  d.Stamp = 0;
  // Growth is computed from the array actually held, so a list shared with
  // other charts never shrinks below the items already in it.
  if (std::size_t(d.Count) >= d.Items.size()) {
    if (d.Count == std::numeric_limits<std::int32_t>::max())
      throw std::length_error("display list is full");
    const std::size_t limit = std::size_t(std::numeric_limits<std::int32_t>::max());
    std::size_t grown = d.Items.size() + std::size_t(allocSize_);
    if (grown > limit) grown = limit;
    // New elements are zeroed: copies of one zeroed record, which is far
    // cheaper than constructing each (its text alone would be a memset call).
    d.Items.resize(grown, GraphItem{});
    d.Points.reserve(grown);
  }
  GraphItem &item = d.Items[std::size_t(d.Count)];
  item.Kind = Kind;
  item.Layer = layer_;
  item.ItemClass = classDefault_;
  item.Color = dataColor_;
  item.PenStyle = static_cast<std::uint8_t>(penStyle_);
  item.LineWidth = lineWidth_;
  ++d.Count;
  return item;
}

void TDisplayList::MoveTo(double X, double Y) {
  GraphItem &item = Append(ikMoveTo);
  item.X1 = X;
  item.Y1 = Y;
  data_->Points.push_back({X, Y});
}

void TDisplayList::DrawTo(double X, double Y) {
  GraphItem &item = Append(ikDrawTo);
  item.X1 = X;
  item.Y1 = Y;
  item.FillColor = fillColor_;
  TGraphData &d = *data_;
  d.Points.push_back({X, Y});
  const std::int32_t index = d.Count - 1;
  if (!d.Runs.empty()) {
    TDrawToRun &run = d.Runs.back();
    const GraphItem &prev = d.Items[std::size_t(index - 1)];
    if (run.First + run.Count == index && prev.Color == item.Color &&
        prev.FillColor == item.FillColor && prev.PenStyle == item.PenStyle &&
        prev.LineWidth == item.LineWidth && prev.Layer == item.Layer) {
      ++run.Count;
      return;
    }
  }
  d.Runs.push_back({index, 1});
}

void TDisplayList::Rectangle(double X1, double Y1, double X2, double Y2) {
  GraphItem &item = Append(ikRectangle);
  item.X1 = X1;
  item.Y1 = Y1;
  item.X2 = X2;
  item.Y2 = Y2;
  item.FillColor = fillColor_;
  data_->Points.push_back({X1, Y1});
}

void TDisplayList::Text(double X, double Y, std::int32_t Size, std::string_view Value) {
  GraphItem &item = Append(ikText);
  item.X1 = X;
  item.Y1 = Y;
  item.Text.Assign(Value);
  item.FontSize = Size;
  item.TextAlign = textAlignment_;
  data_->Points.push_back({X, Y});
}

void TDisplayList::Clear() {
  TGraphData &d = *data_;
  d.Count = 0;
  d.Stamp = 0;
  if (d.Items.capacity() <= RetainedItems) {
    // The length (the list's allocated length) drops to 0; the memory stays.
    d.Items.clear();
    d.Points.clear();
    d.Runs.clear();
    return;
  }
  std::vector<GraphItem>().swap(d.Items);
  std::vector<TItemPoint>().swap(d.Points);
  std::vector<TDrawToRun>().swap(d.Runs);
}

void TDisplayList::Detach() {
  data_ = std::make_shared<TGraphData>();
}

void TDisplayList::MakePrivate() {
  data_ = std::make_shared<TGraphData>(*data_);
}
