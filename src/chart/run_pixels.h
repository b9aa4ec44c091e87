#pragma once
// Internal: the pixels a paint worked out for the long draw-to runs of the
// display list, kept for the next paint together with everything they were
// worked out from. A run whose inputs are all the same again (its world
// points, the map of its layer, the margins, the pen rule for same-pixel
// points and the point the line comes from) is not mapped again: its points
// go to the line as they did before, so the pixels are the same by
// construction. Included only by the chart's own source files.
#include "chart/display_list.h"
#include "chart/rchart_layer.h"

#include <cstdint>
#include <cstring>
#include <vector>

/// Everything besides the world points that decides the pixels of a run.
struct TRunMapping {
  TLayerPixelMap Map;
  int Left = 0, Top = 0; // the data bitmap's origin in control pixels
  bool SkipSame = false; // points on the pixel the line ends on are left out
  TPoint From;           // where the line stands when the run starts

  bool operator==(const TRunMapping &O) const {
    return SameAxis(Map.X, O.Map.X) && SameAxis(Map.Y, O.Map.Y) && Left == O.Left && Top == O.Top &&
           SkipSame == O.SkipSame && From == O.From;
  }

private:
  // The fast map is made from these alone (see TAxisPixelMap).
  static bool SameAxis(const TAxisPixelMap &A, const TAxisPixelMap &B) {
    return A.F.Factor == B.F.Factor && A.F.Offset == B.F.Offset &&
           A.F.LinearFallback == B.F.LinearFallback && A.R.Low == B.R.Low && A.R.High == B.R.High &&
           A.R.Logarithmic == B.R.Logarithmic && A.LowEdge == B.LowEdge;
  }
};

/// One kept run: its inputs and the points it handed to the line.
struct TRunPixelEntry {
  TRunMapping Mapping;
  std::vector<TItemPoint> World;
  std::uint64_t Stamp = 0; // the list's stamp when World was last seen equal
  std::vector<TPoint> Pixels;
};

/// The kept runs of one chart, by run index.
class TRunPixelCache {
public:
  /// Runs shorter than this are mapped on every paint: keeping them costs
  /// more than it saves.
  static constexpr std::int32_t MinPoints = 32;
  /// At most this many world points are kept in all; longer lists are
  /// mapped on every paint beyond that.
  static constexpr std::size_t MaxPoints = std::size_t(1) << 21;

  /// Starts a paint of a list with the given stamp and run count.
  void Begin(std::uint64_t Stamp, std::int32_t RunCount) {
    stamp_ = Stamp;
    if (entries_.size() > std::size_t(RunCount)) {
      for (std::size_t r = std::size_t(RunCount); r < entries_.size(); ++r)
        kept_ -= entries_[r].World.size();
      entries_.resize(std::size_t(RunCount));
    }
  }

  /// The points run R handed to the line when it was last worked out from
  /// these very inputs, or null.
  const std::vector<TPoint> *Find(std::int32_t R, const TRunMapping &M, const TItemPoint *Points,
                                  std::int32_t Count) {
    if (std::size_t(R) >= entries_.size()) return nullptr;
    TRunPixelEntry &e = entries_[std::size_t(R)];
    if (e.World.size() != std::size_t(Count) || Count == 0 || !(e.Mapping == M)) return nullptr;
    if (e.Stamp != stamp_) {
      // The list changed since: the run may still hold the same points.
      if (std::memcmp(e.World.data(), Points, std::size_t(Count) * sizeof(TItemPoint)) != 0)
        return nullptr;
      e.Stamp = stamp_;
    }
    return &e.Pixels;
  }

  /// The emptied pixel list to fill for run R of Count points, or null when
  /// the run is too short or the cache is full. The entry matches nothing
  /// until Keep completes it, so a paint broken off halfway leaves no stale
  /// pixels behind.
  std::vector<TPoint> *Renew(std::int32_t R, std::int32_t Count) {
    if (Count < MinPoints) return nullptr;
    if (entries_.size() <= std::size_t(R)) entries_.resize(std::size_t(R) + 1);
    TRunPixelEntry &e = entries_[std::size_t(R)];
    kept_ -= e.World.size();
    e.World.clear();
    e.Pixels.clear();
    if (kept_ + std::size_t(Count) > MaxPoints) return nullptr;
    return &e.Pixels;
  }

  /// Completes the entry of run R, whose pixels were worked out from M and
  /// Points.
  void Keep(std::int32_t R, const TRunMapping &M, const TItemPoint *Points, std::int32_t Count) {
    TRunPixelEntry &e = entries_[std::size_t(R)];
    e.Mapping = M;
    e.World.assign(Points, Points + Count);
    e.Stamp = stamp_;
    kept_ += e.World.size();
    ++renewed_;
  }

  /// How many runs have been worked out and kept so far.
  std::uint64_t Renewed() const { return renewed_; }

private:
  std::vector<TRunPixelEntry> entries_;
  std::uint64_t stamp_ = 0;
  std::size_t kept_ = 0; // world points held in all entries
  std::uint64_t renewed_ = 0;
};
