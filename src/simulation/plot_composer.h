#pragma once
// Turns the simulation's state into the chart's display list: the band of
// visible light, the peak curve, the snapshot curves with their captions, the
// current curve and the dotted line at the current peak.
#include "simulation/blackbody.h"

#include <cstdint>
#include <string>
#include <vector>

class TRChart;

/// Colours of the picture (0xBBGGRR).
inline constexpr std::uint32_t BandColor = 0xFFEEDD;
inline constexpr std::uint32_t BandTextColor = 0x998877;
inline constexpr std::uint32_t PeakCurveColor = 0x008000;
inline constexpr std::uint32_t SnapshotColor = 0x808080;
inline constexpr std::uint32_t CurrentCurveColor = 0x000000;
inline constexpr std::uint32_t PeakLineColor = 0x0000FF;

/// Everything one composition reads, gathered by the window at redraw time.
struct TPlotInputs {
  std::uint16_t Temperature = 0;        // current temperature in K
  std::vector<std::uint16_t> Snapshots; // oldest first, at most 20
  bool ShowPeakCurve = false;
  bool ShowBand = false;
  bool LogScale = false;
  double YLow = 0; // current range of the energy axis
  double YHigh = 1;
  std::string BandText;    // translated "visible light"
  std::string LabelFormat; // translated "%d K"
};

/// Appends one curve (MoveTo at 100 nm on the x axis and 198 DrawTo samples up
/// to 9950 nm) in the chart's current pen. For LabelIndex > 0 it places that
/// text label at the theoretical peak wavelength and the largest sample,
/// captioned with LabelFormat filled with T (ELabelFormatError when the format
/// is not valid for one whole number).
void DrawCurve(TRChart &Chart, std::uint16_t T, std::uint8_t LabelIndex,
               const std::string &LabelFormat);

/// Rebuilds the whole display list from Inputs and shows it; the peak curve
/// is drawn from Peaks. An invalid label format ends the composition before
/// the picture is shown.
void ComposePlot(TRChart &Chart, const TPlotInputs &Inputs, const TPeakTable &Peaks);
